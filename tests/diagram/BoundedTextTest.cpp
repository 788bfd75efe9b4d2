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
