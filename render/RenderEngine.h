#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "photometry/Calculations.h"
#include "photometry/IesRecord.h"

// The rendered light view: a square grey picture of the light a type C
// luminaire throws onto a vertical plane through its own axis. The right half
// is lit by the chosen plane, the left half by the plane opposite to it.

inline constexpr int kRenderSize = 300;
inline constexpr int kRenderPixels = kRenderSize * kRenderSize;

// What the render window's controls hold, as their positions.
struct RenderRequest {
    int Plane = 0;         // the degree slider
    int Brightness = 40;   // 1 to 100
    int Zoom = 500;        // 1 to 10000
    int Z = 1;             // 1 to 10000
    bool Radiosity = true;
    PlaneOptions Planes;   // the main window's settings that choose planes and scale
};

// The numbers one render works with.
struct RenderParameters {
    int Plane = 0;           // P, lights the right half
    int Opposite = -1;       // Q, lights the left half; -1 for none
    double Maximum = 0;      // M, the intensity shown at full brightness
    double Brightness = 4;   // B
    double Zoom = 500;       // Zm: larger values fall off more slowly with distance
    double Z = 1;            // z, the plane's offset from the axis
    bool Radiosity = true;   // adds an ambient share
};

// Chooses the planes and the maximum as the diagram does and turns the slider
// positions into factors; positions outside their sliders' ranges are clamped.
[[nodiscard]] RenderParameters MakeRenderParameters(const tIES& ies, const RenderRequest& request);

// Intensity at vertical angle `gamma` (degrees) in plane `row`, interpolated
// linearly between the record's vertical angles; 0 outside the record's
// vertical range, for a row the record lacks, or a row shorter than the angles.
[[nodiscard]] double PlaneIntensity(const tIES& ies, int row, double gamma);

// Grey value of the pixel at offsets x, y (-150 to 149) from the centre,
// y growing downward; computed on its own, as a reference for RenderLight.
[[nodiscard]] std::uint8_t RenderPixel(const tIES& ies, const RenderParameters& parameters, int x, int y);

// Renders into `pixels` (kRenderSize rows of kRenderSize grey values, top row
// first). Every pixel equals RenderPixel's; directions shared by the two halves
// are computed once. A record that is not type C gives a white picture.
void RenderLight(const tIES& ies, const RenderParameters& parameters,
                 std::span<std::uint8_t, kRenderPixels> pixels);

// The same into a new buffer.
[[nodiscard]] std::vector<std::uint8_t> RenderLight(const tIES& ies, const RenderParameters& parameters);
