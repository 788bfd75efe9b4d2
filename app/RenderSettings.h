#pragma once

// The render window's stored settings, handed to and from the configuration
// layer as plain values.
struct RenderSettings {
    int left = 0;
    int top = 0;
    int brightness = 40;
    int zoom = 500;
    bool radiosity = true;
    bool autoUpdate = true;
};
