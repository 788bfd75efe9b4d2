#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "RenderTestRecords.h"
#include "photometry/EntryLoader.h"
#include "photometry/IesRecord.h"
#include "render/RenderEngine.h"

// The row walk must give exactly the picture of the per-pixel formulas.

namespace {

std::vector<RenderRequest> Requests(const tIES& ies)
{
    std::vector<RenderRequest> requests;
    RenderRequest r;
    requests.push_back(r);  // the window's defaults
    r.Radiosity = false;
    r.Planes.Fit = true;
    r.Plane = ies.HorzCount / 3;
    requests.push_back(r);
    r.Brightness = 100;
    r.Zoom = 10000;
    r.Z = 2500;
    r.Plane = ies.HorzCount - 1;
    requests.push_back(r);
    r.Brightness = 3;
    r.Zoom = 1;
    r.Radiosity = true;
    requests.push_back(r);
    return requests;
}

void ExpectSamePicture(const tIES& ies, const std::string& name)
{
    for (const RenderRequest& request : Requests(ies)) {
        const RenderParameters p = MakeRenderParameters(ies, request);
        const std::vector<std::uint8_t> fast = RenderLight(ies, p);
        const std::vector<std::uint8_t> plain = RenderPixelByPixel(ies, p);
        ASSERT_EQ(fast, plain) << name << " plane " << request.Plane << " brightness " << request.Brightness;
    }
}

TEST(RenderIdentityTest, SampleFilesRenderAsThePerPixelFormulas)
{
    const std::filesystem::path folder = std::filesystem::path(KANDORA_SOURCE_DIR) / "samples";
    int rendered = 0;
    for (const auto& item : std::filesystem::directory_iterator(folder)) {
        if (item.path().extension() != ".ies")
            continue;
        TiesData entry = UnreadEntry(item.path().filename().string());
        if (LoadEntry(entry, folder.string() + "/").kind != LoadResult::Kind::Loaded)
            continue;
        ExpectSamePicture(entry.Ies, entry.Texts.fileName);
        ++rendered;
    }
    EXPECT_GE(rendered, 10);
}

TEST(RenderIdentityTest, UnusualAngleListsRenderAsThePerPixelFormulas)
{
    const tArrEx2 two = {{5, 9, 300, 40, 2}, {50, 1, 3, 400, 0}};
    const std::vector<std::pair<const char*, tIES>> records = {
        {"from 90", MakeRecord({90, 100, 135, 180, 180}, {0, 180}, two)},
        {"negative start", MakeRecord({-90, -30, 0, 30, 90}, {0, 180}, two)},
        {"unsorted", MakeRecord({0, 60, 30, 90, 45}, {0, 180}, two)},
        {"duplicates", MakeRecord({0, 0, 45, 45, 90}, {0, 180}, two)},
        {"start above 0", MakeRecord({20, 35, 60, 90, 120}, {0, 180}, two)},
        {"fine steps", MakeRecord({0, 0.5, 1, 1.5, 2}, {0, 180}, two)},
        {"one angle", MakeRecord({120}, {0}, {{7}})},
        {"negative values", MakeRecord({0, 45, 90, 135, 180}, {0, 180}, {{-5, -9, 3, 4, 2}, {-50, 1, 3, 4, 0}})},
    };
    for (const auto& [name, ies] : records)
        ExpectSamePicture(ies, name);
}

}  // namespace
