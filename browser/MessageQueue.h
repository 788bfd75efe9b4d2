#pragma once

#include <vector>

#include <QMessageBox>
#include <QObject>
#include <QString>

#include "browser/Catalog.h"

class BrowserHost;

// Message boxes wait here until the event loop is free again: none opens
// from inside a listing, a selection handler or a paint.
class MessageQueue : public QObject {
    Q_OBJECT
public:
    explicit MessageQueue(BrowserHost& host, QObject* parent = nullptr) : QObject(parent), host_(host) {}

    void Post(const QString& text, const QString& caption, QMessageBox::Icon icon);
    // One box for all files a listing could not read, naming the first few.
    void PostListingFaults(const std::vector<ReadFault>& faults);
    // Shows every waiting message now.
    void Flush();

    struct Message {
        QString text;
        QString caption;
        QMessageBox::Icon icon;
    };
    [[nodiscard]] const std::vector<Message>& Waiting() const { return waiting_; }

    static constexpr int kNamedFaults = 5;

private:
    BrowserHost& host_;
    std::vector<Message> waiting_;
    bool flushPosted_ = false;
};

// The text of the box that sums up a listing's faults.
[[nodiscard]] QString ListingFaultText(const std::vector<ReadFault>& faults);
