#pragma once

#include <optional>

#include <QSize>
#include <QString>

// The render window's stored settings, handed to and from the configuration
// layer as plain values.
struct RenderSettings {
    int left = 0;
    int top = 0;
    int brightness = 40;
    int zoom = 500;
    bool radiosity = true;
    bool autoUpdate = true;

    friend bool operator==(const RenderSettings&, const RenderSettings&) = default;
};

// Where the render window keeps its settings; the application's configuration
// file implements it.
class RenderSettingsStore {
public:
    virtual ~RenderSettingsStore() = default;
    // Reads over `settings` (the window's current values); `screen` and `window`
    // give the centred default position. Returns the conversion error of the
    // first bad value, which stops the reading there.
    [[nodiscard]] virtual std::optional<QString> ReadRenderSettings(RenderSettings& settings, QSize screen,
                                                                    QSize window) const = 0;
    virtual void WriteRenderSettings(const RenderSettings& settings) = 0;
};
