#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <vector>

#include "RenderTestRecords.h"
#include "photometry/IesRecord.h"
#include "render/RenderEngine.h"

namespace {

constexpr int kHalf = kRenderSize / 2;

using Picture = std::vector<std::uint8_t>;

int At(const Picture& picture, int x, int y)
{
    return picture[static_cast<std::size_t>((y + kHalf) * kRenderSize + x + kHalf)];
}

// Vertical angles 0 to 90 in steps of 10, one plane falling from 1000 to 100.
tIES LowerHalfRecord()
{
    return MakeRecord({0, 10, 20, 30, 40, 50, 60, 70, 80, 90}, {0},
                      {{1000, 1000, 900, 800, 700, 600, 500, 400, 200, 100}});
}

// The same intensity in every direction of a full sphere.
tIES EvenRecord(double value)
{
    return MakeRecord({0, 90, 180}, {0}, {{value, value, value}});
}

RenderParameters Parameters(const tIES& ies, bool radiosity)
{
    RenderRequest request;
    request.Radiosity = radiosity;
    return MakeRenderParameters(ies, request);
}

// The ambient share alone: 127.5 B / sqrt(B + d^2 / Zm), written out afresh.
int Ambient(const RenderParameters& p, int x, int y)
{
    const double v = 127.5 * p.Brightness / std::sqrt(p.Brightness + (x * x + y * y) / p.Zoom);
    return v > 255 ? 255 : RoundHalfEven(v);
}

TEST(RenderEngineTest, RecordsOtherThanTypeCRenderWhite)
{
    for (const std::uint16_t type : {2, 3}) {
        const tIES ies = MakeRecord({0, 90, 180}, {0, 90}, {{10, 5, 0}, {10, 5, 0}}, type);
        const Picture picture = RenderLight(ies, Parameters(ies, true));
        EXPECT_EQ(picture, Picture(kRenderPixels, 255)) << "type " << type;
    }
}

TEST(RenderEngineTest, LowerHalfRecordLeavesTheUpperHalfBlack)
{
    const tIES ies = LowerHalfRecord();
    const RenderParameters p = Parameters(ies, false);
    const Picture picture = RenderLight(ies, p);
    for (int y = -kHalf; y < 0; ++y)
        for (int x = -kHalf; x < kHalf; ++x)
            ASSERT_EQ(At(picture, x, y), 0) << x << "," << y;
    // Straight below, the direction is nearly 0, where the plane holds M.
    EXPECT_EQ(At(picture, 0, 140), RoundHalfEven(255 * 4 / std::sqrt(4 + 19600.0 / 500)));
    EXPECT_GT(At(picture, 40, 40), 0);
    EXPECT_EQ(At(picture, 40, 40), At(picture, -40, 40)) << "one plane is its own opposite";
}

TEST(RenderEngineTest, RadiosityAddsTheAmbientShareAndLiftsWeakDirections)
{
    const tIES ies = LowerHalfRecord();
    const RenderParameters off = Parameters(ies, false);
    const RenderParameters on = Parameters(ies, true);
    const Picture dark = RenderLight(ies, off);
    const Picture lit = RenderLight(ies, on);
    for (int y = -kHalf; y < 0; y += 7)
        for (int x = -kHalf; x < kHalf; x += 7)
            ASSERT_EQ(At(lit, x, y), Ambient(on, x, y)) << x << "," << y;
    EXPECT_GT(At(lit, 0, -10), At(lit, 0, -100)) << "the ambient share falls off with distance";

    int brighter = 0;
    for (int y = 1; y < kHalf; ++y) {
        for (int x = -kHalf; x < kHalf; ++x) {
            const double gamma = std::atan2(std::sqrt(x * x + 1.0), y) * 180 / std::numbers::pi - 0.07079632679489656;
            const double share = PlaneIntensity(ies, 0, gamma) / off.Maximum;
            if (share == 1.0) {
                ASSERT_EQ(At(lit, x, y), At(dark, x, y)) << x << "," << y;
            } else {
                ASSERT_GE(At(lit, x, y), At(dark, x, y)) << x << "," << y;
                // (I/M + 1) / 2 instead of I/M, before rounding.
                const double v = 255 * on.Brightness * (share + 1) / 2 / std::sqrt(on.Brightness + (x * x + y * y) / on.Zoom);
                ASSERT_NEAR(At(lit, x, y), std::min(v, 255.0), 0.5 + 1e-9) << x << "," << y;
                brighter += At(lit, x, y) > At(dark, x, y) ? 1 : 0;
            }
        }
    }
    EXPECT_GT(brighter, 1000);
}

TEST(RenderEngineTest, LeftHalfWithoutOppositePlaneIsDarkOrAmbient)
{
    const tIES ies = EvenRecord(100);
    for (const bool radiosity : {false, true}) {
        RenderParameters p = Parameters(ies, radiosity);
        p.Opposite = -1;
        const Picture picture = RenderLight(ies, p);
        for (int y = -kHalf; y < kHalf; y += 3)
            for (int x = -kHalf; x < 0; x += 3)
                ASSERT_EQ(At(picture, x, y), radiosity ? Ambient(p, x, y) : 0) << x << "," << y;
        EXPECT_GT(At(picture, 100, 0), radiosity ? Ambient(p, 100, 0) : 0);
    }
}

TEST(RenderEngineTest, BrightnessFactorAndZoomSetTheValueAtFullIntensity)
{
    const tIES ies = EvenRecord(100);
    RenderRequest request;
    request.Radiosity = false;
    // B = 4 at the centre: 255 * 4 / sqrt(4) = 510, held at 255.
    EXPECT_EQ(At(RenderLight(ies, MakeRenderParameters(ies, request)), 0, 0), 255);
    request.Brightness = 1;  // 25.5 / sqrt(0.1) = 80.6
    EXPECT_EQ(At(RenderLight(ies, MakeRenderParameters(ies, request)), 0, 0), 81);
    request.Zoom = 1;  // 100 pixels away: 25.5 / sqrt(0.1 + 10000) = 0.255
    EXPECT_EQ(At(RenderLight(ies, MakeRenderParameters(ies, request)), 100, 0), 0);
    request.Zoom = 10000;  // 25.5 / sqrt(1.1) = 24.3
    EXPECT_EQ(At(RenderLight(ies, MakeRenderParameters(ies, request)), 100, 0), 24);
}

TEST(RenderEngineTest, ExactHalvesRoundToEven)
{
    // B = 1 and the centre's fall-off is 1, so v = 255 I / M with M = 255.
    for (const auto& [value, expected] : {std::pair{0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {126.5, 126}}) {
        const tIES ies = EvenRecord(value);
        RenderParameters p;
        p.Plane = p.Opposite = 0;
        p.Maximum = 255;
        p.Brightness = 1;
        p.Radiosity = false;
        EXPECT_EQ(RenderPixel(ies, p, 0, 0), expected) << value;
    }
}

TEST(RenderEngineTest, FitToTheDrawnPlanesRendersAWeakPlaneBrighter)
{
    // Planes 0 and 180 are weak, 90 and 270 strong.
    const tIES ies = MakeRecord({0, 45, 90}, {0, 90, 180, 270},
                                {{100, 80, 10}, {1000, 800, 100}, {100, 80, 10}, {1000, 800, 100}});
    RenderRequest request;
    request.Radiosity = false;
    request.Planes.Orthogonal = false;
    request.Planes.Fit = true;
    const RenderParameters fitted = MakeRenderParameters(ies, request);
    request.Planes.Fit = false;
    const RenderParameters whole = MakeRenderParameters(ies, request);
    EXPECT_EQ(fitted.Maximum, 100);
    EXPECT_EQ(whole.Maximum, 1000);
    const Picture bright = RenderLight(ies, fitted);
    const Picture dim = RenderLight(ies, whole);
    for (std::size_t i = 0; i < bright.size(); ++i)
        ASSERT_GE(bright[i], dim[i]) << i;
    EXPECT_GT(At(bright, 20, 60), At(dim, 20, 60));
}

TEST(RenderEngineTest, AllZeroPlanesRenderDarkInsteadOfFailing)
{
    const tIES ies = MakeRecord({0, 90, 180}, {0, 180}, {{0, 0, 0}, {0, 0, 0}});
    const RenderParameters off = Parameters(ies, false);
    ASSERT_EQ(off.Maximum, 0);
    EXPECT_EQ(RenderLight(ies, off), Picture(kRenderPixels, 0));
    const RenderParameters on = Parameters(ies, true);
    const Picture ambient = RenderLight(ies, on);
    for (int y = -kHalf; y < kHalf; y += 5)
        for (int x = -kHalf; x < kHalf; x += 5)
            ASSERT_EQ(At(ambient, x, y), Ambient(on, x, y)) << x << "," << y;
}

TEST(RenderEngineTest, EqualConsecutiveAnglesTakeTheValueAtThatAngle)
{
    // Below 10 degrees the first interval, of zero width, is extended.
    const tIES ies = MakeRecord({10, 10, 45, 90}, {0}, {{700, 500, 300, 1000}});
    EXPECT_EQ(PlaneIntensity(ies, 0, 5), 700);
    EXPECT_EQ(PlaneIntensity(ies, 0, 10), 700);
    EXPECT_EQ(PlaneIntensity(ies, 0, 45), 300);
    const RenderParameters p = Parameters(ies, false);
    EXPECT_EQ(At(RenderLight(ies, p), 0, 100), RoundHalfEven(255 * 4 * 0.7 / std::sqrt(4 + 10000.0 / 500)));
}

TEST(RenderEngineTest, SingleVerticalAngleLightsItsWholeRangeEvenly)
{
    const tIES single = MakeRecord({180}, {0}, {{100}});
    const RenderParameters p = Parameters(single, false);
    EXPECT_EQ(RenderLight(single, p), RenderLight(EvenRecord(100), p));
    EXPECT_EQ(PlaneIntensity(single, 0, 37.5), 100);

    // A single angle at 0 is one ray straight down, which no pixel meets exactly.
    const tIES ray = MakeRecord({0}, {0}, {{100}});
    EXPECT_EQ(RenderLight(ray, Parameters(ray, false)), Picture(kRenderPixels, 0));
    EXPECT_EQ(PlaneIntensity(ray, 0, 0), 100);
}

TEST(RenderEngineTest, MalformedShapesRenderWithoutReadingPastTheArrays)
{
    RenderParameters p;
    p.Maximum = 10;
    p.Opposite = 1;
    const tIES shortRow = MakeRecord({0, 45, 90}, {0, 180}, {{10, 5}, {10, 5, 0}});
    const Picture picture = RenderLight(shortRow, p);
    EXPECT_EQ(At(picture, 50, 50), Ambient(p, 50, 50)) << "a short row gives no light";
    EXPECT_GT(At(picture, -50, 50), Ambient(p, -50, 50));
    EXPECT_EQ(PlaneIntensity(shortRow, 0, 10), 0);
    EXPECT_EQ(PlaneIntensity(shortRow, 7, 10), 0);
    EXPECT_EQ(PlaneIntensity(shortRow, -1, 10), 0);

    for (const tIES& empty : {MakeRecord({}, {0}, {{}}), MakeRecord({0, 90}, {}, {})}) {
        const Picture dark = RenderLight(empty, p);
        EXPECT_EQ(At(dark, 20, 20), Ambient(p, 20, 20));
        EXPECT_EQ(dark, RenderPixelByPixel(empty, p));
    }
}

}  // namespace
