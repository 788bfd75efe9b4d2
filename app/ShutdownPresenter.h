#pragma once

#include "app/MessagePresenter.h"

// Shows messages through another presenter (the message boxes) until the
// program is being ended by a signal; from then on writes them to standard
// error, so that nothing modal keeps a logout waiting.
class ShutdownPresenter : public MessagePresenter {
public:
    explicit ShutdownPresenter(MessagePresenter& normal) : normal_(normal) {}
    void showMessage(Icon icon, const QString& caption, const QString& text) override;

    // Every later message goes to standard error.
    void SessionEnding() { ending_ = true; }
    [[nodiscard]] bool Ending() const { return ending_; }

private:
    MessagePresenter& normal_;
    bool ending_ = false;
};
