#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "photometry/IesReader.h"
#include "photometry/Keywords.h"

namespace fs = std::filesystem;

namespace {

// Switches the C library's numeric locale for one test, as constructing a
// Qt application does from the environment, and restores it afterwards.
class GermanNumbers {
public:
    GermanNumbers()
    {
        previous_ = std::setlocale(LC_NUMERIC, nullptr);
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"})
            if (std::setlocale(LC_NUMERIC, name)) {
                active_ = true;
                break;
            }
    }
    ~GermanNumbers() { std::setlocale(LC_NUMERIC, previous_.c_str()); }
    GermanNumbers(const GermanNumbers&) = delete;
    GermanNumbers& operator=(const GermanNumbers&) = delete;
    [[nodiscard]] bool Active() const { return active_; }

private:
    std::string previous_;
    bool active_ = false;
};

const char* const kFile =
    "IESNA:LM-63-2002\r\n[TEST] 1.5 [LAMP] 2,5\r\nTILT=INCLUDE\r\n1.5 2\r\n0 90\r\n1.0 0.5\r\n"
    "1 1500.5 1.0 3 2 1 2 0.25 -1.5e-1 1E2 1.0 1.0 35.5\r\n0 22.5 45.0\r\n0,180\r\n1.5 2.25 3.125\r\n4.5e0 +5.5 .75\r\n";

TEST(Locale, ReadingIsTheSameUnderADecimalCommaLocale)
{
    tIES inC;
    const ReadResult c = ReadIes(kFile, inC);
    EntryTexts textsC{.fileName = "f.ies"};
    FillKeywordTexts(HeaderText(SplitHeader(kFile)), textsC);

    GermanNumbers german;
    if (!german.Active())
        GTEST_SKIP() << "no de_DE locale installed";
    // The locale really is active: the C library now stops "1.5" at the point.
    EXPECT_EQ(std::strtod("1.5", nullptr), 1.0);

    tIES inGerman;
    const ReadResult g = ReadIes(kFile, inGerman);
    EXPECT_EQ(g.status, c.status);
    EXPECT_EQ(g.message, c.message);
    EXPECT_EQ(inGerman, inC);
    EXPECT_EQ(inGerman.LampLumens, 1500.5);
    EXPECT_EQ(inGerman.Height, 100.0);
    EXPECT_DOUBLE_EQ(inGerman.Candela[0][0] * inGerman.Multiplier, 1.5);
    EXPECT_DOUBLE_EQ(inGerman.Candela[1][2] * inGerman.Multiplier, 0.75);
    EXPECT_EQ(inGerman.HorzAngles, (tArrEx{0, 180})) << "a comma separates, whatever the locale";

    std::string_view text = "1,5 2.5";
    bool fault = false;
    EXPECT_EQ(NextNumber(text, fault), 1.0);
    EXPECT_EQ(NextNumber(text, fault), 5.0);
    EXPECT_EQ(NextNumber(text, fault), 2.5);
    EXPECT_FALSE(fault);

    EntryTexts textsGerman{.fileName = "f.ies"};
    FillKeywordTexts(HeaderText(SplitHeader(kFile)), textsGerman);
    EXPECT_EQ(textsGerman, textsC);

    // A refusal's message holds numbers too: they must not gain separators.
    tIES refused;
    const ReadResult r = ReadIes("TILT=NONE\n1 1000 1 65535 65535 1 2 0 0 0 1 1 0\n", refused);
    EXPECT_NE(r.message.find("65535 x 65535"), std::string::npos) << r.message;
    EXPECT_NE(r.message.find("16777216"), std::string::npos) << r.message;
}

// The calls that read or write numbers by the C library's locale, and the
// character classes that follow it: the photometric core uses none of them.
TEST(Locale, PhotometricCoreUsesNoLocaleDependentCalls)
{
    const fs::path core = fs::path(KANDORA_SOURCE_DIR) / "photometry";
    ASSERT_TRUE(fs::is_directory(core));
    const std::regex banned(
        R"(\b(strto[dfl]|strtold|ato[fil]|s?scanf|v?s?n?printf|fprintf|sto[dfl]|stold|setlocale|)"
        R"(is(alpha|digit|space|alnum|upper|lower|punct|xdigit)|to(upper|lower))\s*\(|)"
        R"(<(sstream|iostream|istream|ostream|fstream|locale|iomanip)>|std::to_string\s*\(\s*(double|float))");
    int files = 0;
    for (const auto& item : fs::recursive_directory_iterator(core)) {
        const std::string ext = item.path().extension().string();
        if (ext != ".cpp" && ext != ".h")
            continue;
        ++files;
        std::ifstream in(item.path());
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            const std::string code = line.substr(0, line.find("//"));
            EXPECT_FALSE(std::regex_search(code, banned)) << item.path().filename() << ":" << number << ": " << line;
        }
    }
    EXPECT_GT(files, 0);
}

}  // namespace
