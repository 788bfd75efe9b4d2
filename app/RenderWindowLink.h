#pragma once

#include <memory>

#include "render/RenderSource.h"

class Configuration;
class MessagePresenter;
class ShownFile;
class TMainWindow;
class TRenderWindow;

// What the render window renders: the shown file, and the main window's
// plane settings as it last handed them out.
class ShownFileRenderSource : public RenderSource {
public:
    explicit ShownFileRenderSource(const ShownFile& file) : file_(file) {}

    [[nodiscard]] QString CurrentFilePath() const override;
    [[nodiscard]] const tIES& CurrentIes() const override;
    [[nodiscard]] int PlaneIndex() const override;
    [[nodiscard]] PlaneOptions Planes() const override { return planes_; }
    void setPlanes(PlaneOptions planes) { planes_ = planes; }

private:
    const ShownFile& file_;
    PlaneOptions planes_;
};

// The render window as the application holds it: created hidden right after
// the main window, joined to it, and destroyed before it, writing its section.
// The main window's "Render" toggle shows and hides it, closing it raises the
// toggle, and a new file or plane re-renders it (when visible and on
// automatic update).
class RenderWindowLink {
public:
    // A bad value in the window's settings is shown through `messages`.
    RenderWindowLink(TMainWindow& main, ShownFile& shown, Configuration& config, MessagePresenter& messages);
    ~RenderWindowLink();
    RenderWindowLink(const RenderWindowLink&) = delete;
    RenderWindowLink& operator=(const RenderWindowLink&) = delete;

    [[nodiscard]] TRenderWindow& window() const { return *window_; }

private:
    ShownFileRenderSource source_;
    // Goes before the source it reads.
    std::unique_ptr<TRenderWindow> window_;
};
