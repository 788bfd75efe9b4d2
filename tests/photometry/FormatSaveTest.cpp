#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "TempFolderTest.h"
#include "photometry/EntryLoader.h"
#include "photometry/FormatSave.h"
#include "photometry/PhotometricSummary.h"

// Saving a file in the other format: the new name, every refusal leaving
// the folder as it was, and what the written file says of its source.

namespace fs = std::filesystem;

namespace {

TEST(FormatConvertedName, ReplacesTheLastExtensionKeepingAnAllCapitalCase)
{
    EXPECT_EQ(FormatConvertedName("lamp.ies", PhotometricFormat::Eulumdat), "lamp.ldt");
    EXPECT_EQ(FormatConvertedName("SPOT_C.IES", PhotometricFormat::Eulumdat), "SPOT_C.LDT");
    EXPECT_EQ(FormatConvertedName("a.b.Ldt", PhotometricFormat::Ies), "a.b.ies");
    EXPECT_EQ(FormatConvertedName("lamp", PhotometricFormat::Eulumdat), "lamp.ldt");
}

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Type C, 0-90 planes, two lamps of 500 lm, ballast factor 0.9: light both up and down.
const std::string kIes =
    "IESNA:LM-63-2002\r\n[TEST] T-9\r\n[MANUFAC] Halvard\r\n[LUMINAIRE] Cube\r\n[LAMP] LED\r\nTILT=NONE\r\n"
    "2 500 1 3 2 1 2 0.1 0.2 0.05\r\n0.9 1 24.5\r\n0 90 180\r\n0 90\r\n300 200 100\r\n310 190 90\r\n";

class FormatSaveTest : public TempFolderTest {
protected:
    FormatSaveTest() : TempFolderTest("kandora-format-save-") {}
    [[nodiscard]] std::string Folder() const { return dir_.string() + "/"; }
    void Write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
    }
    // Every file of the folder with its bytes, to see that nothing changed.
    [[nodiscard]] std::map<std::string, std::string> Contents() const
    {
        std::map<std::string, std::string> files;
        for (const auto& item : fs::directory_iterator(dir_))
            files[item.path().filename().string()] = item.is_regular_file() ? ReadBytes(item.path()) : "";
        return files;
    }
    [[nodiscard]] TiesData Loaded(const std::string& name) const
    {
        TiesData entry = UnreadEntry(name);
        EXPECT_EQ(LoadEntry(entry, Folder()).kind, LoadResult::Kind::Loaded) << name;
        return entry;
    }
};

TEST_F(FormatSaveTest, WritesTheOtherFormatWithItsFluxesAndReplacesOnlyItsOwnConversion)
{
    Write("cube.ies", kIes);
    const FormatSaveResult r = SaveInFormat(Folder(), "cube.ies", PhotometricFormat::Eulumdat, "");
    ASSERT_TRUE(r.Written()) << r.message;
    EXPECT_EQ(r.newPath, Folder() + "cube.ldt");

    const TiesData ies = Loaded("cube.ies");
    const TiesData ldt = Loaded("cube.ldt");
    EXPECT_TRUE(ldt.Changed) << "carries the change marker";
    EXPECT_EQ(ldt.Texts.manufacturer, "Halvard");
    EXPECT_EQ(ldt.Texts.test, "T-9");
    ASSERT_TRUE(ldt.Eulumdat);
    // The stated values are the band fluxes of the source, factors included.
    const double total = *BandFlux(ies.Ies, 0, 180);
    EXPECT_NEAR(ldt.Eulumdat->Lorl, 100 * total / 1000, 1e-9);
    EXPECT_NEAR(ldt.Eulumdat->DownwardFlux, 100 * *BandFlux(ies.Ies, 0, 90) / total, 1e-9);
    EXPECT_GT(ldt.Eulumdat->DownwardFlux, 50);
    EXPECT_LT(ldt.Eulumdat->DownwardFlux, 100);
    // The written file's own record gives the same light.
    EXPECT_NEAR(*BandFlux(ldt.Ies, 0, 180), total, 1e-9 * total);

    // Written again over its own conversion; the way back refuses the source's name.
    EXPECT_TRUE(SaveInFormat(Folder(), "cube.ies", PhotometricFormat::Eulumdat, "").Written());
    const auto before = Contents();
    const FormatSaveResult back = SaveInFormat(Folder(), "cube.ldt", PhotometricFormat::Ies, "");
    EXPECT_EQ(back.fault, ConversionFault::TargetTaken);
    EXPECT_EQ(back.message, "cube.ies already exists and was not written by a conversion; it was left as it is.");
    EXPECT_EQ(Contents(), before);
}

TEST_F(FormatSaveTest, RefusalsLeaveTheFolderAsItWas)
{
    Write("cube.ies", kIes);
    Write("typeb.ies", "TILT=NONE\r\n1 1000 1 2 1 2 2 0 0 0\r\n1 1 10\r\n0 90\r\n0\r\n100 50\r\n");
    Write("foreign.ies", kIes);
    Write("foreign.ldt", "Other maker\r\n1\r\n1\r\n1\r\n0\r\n2\r\n90\r\n");
    ASSERT_TRUE(SaveInFormat(Folder(), "cube.ies", PhotometricFormat::Eulumdat, "").Written());
    // A target that is the source itself, through links.
    fs::create_symlink("cube.ldt", dir_ / "link.ldt");
    fs::create_symlink("cube.ldt", dir_ / "link.ies");
    const auto before = Contents();

    struct Refusal {
        const char* source;
        PhotometricFormat target;
        ConversionFault fault;
        std::string message;
    };
    const Refusal refusals[] = {
        {"cube.ies", PhotometricFormat::Ies, ConversionFault::NotConvertible, "The file is IES already."},
        {"typeb.ies", PhotometricFormat::Eulumdat, ConversionFault::NotConvertible,
         "EULUMDAT holds type C photometry only; this file is type B."},
        {"foreign.ies", PhotometricFormat::Eulumdat, ConversionFault::TargetTaken,
         "foreign.ldt already exists and was not written by a conversion; it was left as it is."},
        {"link.ldt", PhotometricFormat::Ies, ConversionFault::Unexpected,
         "link.ies is the file being converted; nothing was written."},
        {"missing.ldt", PhotometricFormat::Ies, ConversionFault::Unexpected, Folder() + "missing.ldt: " + std::strerror(ENOENT)},
    };
    for (const Refusal& refusal : refusals) {
        const FormatSaveResult r = SaveInFormat(Folder(), refusal.source, refusal.target, "");
        EXPECT_EQ(r.fault, refusal.fault) << refusal.source << ": " << r.message;
        EXPECT_EQ(r.message, refusal.message) << refusal.source;
        EXPECT_EQ(Contents(), before) << refusal.source;
    }
}

// A EULUMDAT file whose planes run from 90 rotates as an IES file does, and
// the IES file it gives is named as one: never "_R.ldt", which the EULUMDAT
// reader would claim.
TEST_F(FormatSaveTest, RotatedEulumdatFileIsWrittenUnderAnIesName)
{
    Write("cube.ies", kIes);
    ASSERT_TRUE(SaveInFormat(Folder(), "cube.ies", PhotometricFormat::Eulumdat, "").Written());
    fs::rename(dir_ / "cube.ldt", dir_ / "CUBE.LDT");
    // 0-90 as EULUMDAT reads back as 0-90; give it planes from 90 to 270.
    TiesData entry = Loaded("CUBE.LDT");
    entry.Ies.HorzAngles = {90, 180, 270};
    entry.Ies.Candela.push_back(entry.Ies.Candela.back());
    entry.Ies.HorzCount = 3;
    const ConversionResult r = SaveConversion(entry.Ies, entry.Texts, Folder());
    ASSERT_TRUE(r.Written()) << r.message;
    EXPECT_EQ(r.newName, "CUBE_R.IES");
    const TiesData rotated = Loaded("CUBE_R.IES");
    EXPECT_EQ(rotated.Ies.HorzAngles.front(), 0);
}

}  // namespace
