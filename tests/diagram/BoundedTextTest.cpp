#include <gtest/gtest.h>

#include <string>

#include <QString>

#include "diagram/BoundedText.h"

namespace {

const QString kEllipsis(QChar(0x2026));

struct BoundCase {
    const char* name;
    QString text;
    qsizetype limit;
    QString expected;
};

class BoundedTextTest : public ::testing::TestWithParam<BoundCase> {};

TEST_P(BoundedTextTest, KeepsShortTextsAndCutsLongOnesWithAnEllipsis)
{
    EXPECT_EQ(BoundedText(GetParam().text, GetParam().limit), GetParam().expected);
}

const QString kClef = QString::fromUtf8("\xF0\x9D\x84\x9E");  // one character, two UTF-16 units

INSTANTIATE_TEST_SUITE_P(
    Texts, BoundedTextTest,
    ::testing::Values(BoundCase{"Empty", QString(), 4, QString()},
                      BoundCase{"AtTheLimit", QStringLiteral("abcd"), 4, QStringLiteral("abcd")},
                      BoundCase{"OneOver", QStringLiteral("abcde"), 4, QStringLiteral("abc") + kEllipsis},
                      BoundCase{"NoRoom", QStringLiteral("abc"), 0, QString()},
                      BoundCase{"PairNotSplit", QStringLiteral("ab") + kClef + QStringLiteral("cd"), 4,
                                QStringLiteral("ab") + kEllipsis},
                      BoundCase{"PairKeptWhole", QStringLiteral("a") + kClef + QStringLiteral("cd"), 4,
                                QStringLiteral("a") + kClef + kEllipsis}),
    [](const ::testing::TestParamInfo<BoundCase>& c) { return std::string(c.param.name); });

TEST(BoundedLines, CutsEachLineAndTheirNumber)
{
    EXPECT_EQ(BoundedLines(QStringLiteral("abcdef\nab\n\nxyz"), 4, 10),
              QStringLiteral("abc") + kEllipsis + QStringLiteral("\nab\n\nxyz"));
    EXPECT_EQ(BoundedLines(QStringLiteral("1\n2\n3\n4"), 4, 3), QStringLiteral("1\n2\n") + kEllipsis);
    EXPECT_EQ(BoundedLines(QStringLiteral("1\n2\n3"), 4, 3), QStringLiteral("1\n2\n3"));
}

TEST(BrokenLines, BreaksAfterBlanksOrInsideLongWords)
{
    EXPECT_EQ(BrokenLines(QStringLiteral("one two three"), 8), QStringLiteral("one two\nthree"));
    EXPECT_EQ(BrokenLines(QStringLiteral("abcdefghij"), 4), QStringLiteral("abcd\nefgh\nij"));
    EXPECT_EQ(BrokenLines(QStringLiteral("short"), 8), QStringLiteral("short"));
}

// Decoding only the front that ShownBytes keeps must show what decoding all would.
TEST(ShownBytes, DecodingTheFrontShowsWhatDecodingAllWould)
{
    const std::string latin1(5000, '\xE9');
    std::string utf8;
    for (int i = 0; i < 2000; ++i)
        utf8 += i % 3 == 0 ? "\xF0\x9D\x84\x9E" : i % 3 == 1 ? "\xC3\xA9" : "x";
    for (const std::string& bytes : {std::string(10u << 20, 'x'), utf8, utf8.substr(1), std::string("short"),
                                     std::string(1032, 'y'), std::string(1033, 'y')}) {
        const std::string_view front = ShownBytes(bytes, 256);
        EXPECT_LE(front.size(), 256u * 4 + 8);
        EXPECT_EQ(BoundedText(QString::fromUtf8(front.data(), static_cast<qsizetype>(front.size())), 256),
                  BoundedText(QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())), 256));
    }
    const std::string_view front = ShownBytes(latin1, 256);
    EXPECT_EQ(BoundedText(QString::fromLatin1(front.data(), static_cast<qsizetype>(front.size())), 256),
              BoundedText(QString::fromLatin1(latin1.data(), static_cast<qsizetype>(latin1.size())), 256));
}

}  // namespace
