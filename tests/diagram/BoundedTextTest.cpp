#include <gtest/gtest.h>

#include <string>

#include <QString>

#include "diagram/BoundedText.h"

namespace {

const QString kEllipsis(QChar(0x2026));

TEST(BoundedText, CutsWithAnEllipsisNeverInsideACharacter)
{
    const QString clef = QString::fromUtf8("\xF0\x9D\x84\x9E");  // one character, two UTF-16 units
    EXPECT_EQ(BoundedText(QStringLiteral("abcd"), 4), QStringLiteral("abcd"));
    EXPECT_EQ(BoundedText(QStringLiteral("abcde"), 4), QStringLiteral("abc") + kEllipsis);
    EXPECT_EQ(BoundedText(QStringLiteral("ab") + clef + QStringLiteral("cd"), 4), QStringLiteral("ab") + kEllipsis);
    EXPECT_EQ(BoundedText(QStringLiteral("abc"), 0), QString());
    // Each line, and the number of lines; a tooltip's lines break after blanks or inside long words.
    EXPECT_EQ(BoundedLines(QStringLiteral("abcdef\nab\n\n1\n2"), 4, 4),
              QStringLiteral("abc") + kEllipsis + QStringLiteral("\nab\n\n") + kEllipsis);
    EXPECT_EQ(BrokenLines(QStringLiteral("one two three abcdefghij"), 8),
              QStringLiteral("one two\nthree\nabcdefgh\nij"));
}

// Decoding only the front that ShownBytes keeps must show what decoding all would.
TEST(ShownBytes, DecodingTheFrontShowsWhatDecodingAllWould)
{
    std::string utf8;
    for (int i = 0; i < 2000; ++i)
        utf8 += i % 3 == 0 ? "\xF0\x9D\x84\x9E" : i % 3 == 1 ? "\xC3\xA9" : "x";
    auto decoded = [](std::string_view b, bool latin1) {
        const auto n = static_cast<qsizetype>(b.size());
        return BoundedText(latin1 ? QString::fromLatin1(b.data(), n) : QString::fromUtf8(b.data(), n), 256);
    };
    for (const std::string& bytes : {std::string(10u << 20, 'x'), utf8, utf8.substr(1), std::string("short"),
                                     std::string(1032, 'y'), std::string(1033, 'y'), std::string(5000, '\xE9')}) {
        const bool latin1 = bytes.front() == '\xE9';
        EXPECT_LE(ShownBytes(bytes, 256).size(), 256u * 4 + 8);
        EXPECT_EQ(decoded(ShownBytes(bytes, 256), latin1), decoded(bytes, latin1));
    }
}

}  // namespace
