#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "photometry/IesRecord.h"
#include "render/RenderEngine.h"

// A record with the given angles and rows; type C unless told.
inline tIES MakeRecord(tArrEx vertical, tArrEx horizontal, tArrEx2 candela, std::uint16_t type = 1)
{
    tIES ies;
    ies.PhotometricType = type;
    ies.VertCount = static_cast<std::uint16_t>(vertical.size());
    ies.HorzCount = static_cast<std::uint16_t>(horizontal.size());
    ies.VertAngles = std::move(vertical);
    ies.HorzAngles = std::move(horizontal);
    ies.Candela = std::move(candela);
    return ies;
}

// The picture built pixel by pixel from RenderPixel alone.
inline std::vector<std::uint8_t> RenderPixelByPixel(const tIES& ies, const RenderParameters& p)
{
    std::vector<std::uint8_t> pixels(kRenderPixels);
    for (int py = 0; py < kRenderSize; ++py)
        for (int px = 0; px < kRenderSize; ++px)
            pixels[static_cast<std::size_t>(py * kRenderSize + px)] =
                RenderPixel(ies, p, px - kRenderSize / 2, py - kRenderSize / 2);
    return pixels;
}
