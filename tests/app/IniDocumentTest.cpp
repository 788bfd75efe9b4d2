#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/IniFile.h"
#include "tests/app/IniFileFixture.h"

namespace {

IniDocument Doc(const char* text)
{
    return IniDocument::Parse(QByteArrayView(text));
}

QString Value(const IniDocument& doc, const char* section, const char* key)
{
    return doc.value(QString::fromLatin1(section), QString::fromLatin1(key)).value_or(QStringLiteral("<none>"));
}

void Set(IniDocument& doc, const char* section, const char* key, const char* value)
{
    doc.setValue(QString::fromLatin1(section), QString::fromLatin1(key), QString::fromUtf8(value));
}

struct LookupCase {
    const char* text;
    const char* section;
    const char* key;
    const char* expected;
};

class IniLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(IniLookup, FindsValue)
{
    const LookupCase& c = GetParam();
    EXPECT_EQ(Value(Doc(c.text), c.section, c.key), QString::fromUtf8(c.expected)) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Semantics, IniLookup,
    ::testing::Values(
        LookupCase{"[Kandora]\r\nWidth=800\r\n", "Kandora", "Width", "800"},
        LookupCase{"[KANDORA]\r\nwidth=800\r\n", "kandora", "WIDTH", "800"},
        LookupCase{"[ Kandora ]\r\n  Width \t=  \t800 \t\r\n", "Kandora", "Width", "800"},
        LookupCase{"[Kandora]\nPath=a/b c/\n", "Kandora", "Path", "a/b c/"},
        LookupCase{"[Kandora]\r\nPath=x=y\r\n", "Kandora", "Path", "x=y"},
        LookupCase{"[Kandora]\r\nWidth=\r\n", "Kandora", "Width", ""},
        LookupCase{"Width=1\r\n[Kandora]\r\n", "Kandora", "Width", "<none>"},
        LookupCase{"[Other]\r\nWidth=1\r\n[Kandora]\r\nHeight=2\r\n", "Kandora", "Width", "<none>"},
        LookupCase{"[Kandora]\r\nWidth=1\r\n[Kandora]\r\nWidth=2\r\n", "Kandora", "Width", "1"},
        LookupCase{"[Kandora]\r\nWidth=1\r\nWidth=2\r\n", "Kandora", "Width", "1"},
        LookupCase{"[Kandora]\r\n;Width=1\r\n", "Kandora", "Width", "<none>"},
        LookupCase{"[Kandora]\r\n=5\r\n", "Kandora", "", "<none>"},
        LookupCase{"", "Kandora", "Width", "<none>"},
        LookupCase{"[Favorites]\r\nfolder0=25/home/ü\r\n", "favorites", "FOLDER0", "25/home/ü"}),
    [](const ::testing::TestParamInfo<LookupCase>& param) { return "case" + std::to_string(param.index); });

TEST(IniWrite, ReplacesInPlaceAndKeepsEveryOtherLine)
{
    IniDocument doc = Doc("; my notes\r\n[Kandora]\r\nwidth = 640\r\nMine=keep\r\n\r\n[Other]\r\nx=1\r\n");
    Set(doc, "KANDORA", "Width", "800");
    EXPECT_EQ(doc.serialize(), QByteArray("; my notes\r\n[Kandora]\r\nWidth=800\r\nMine=keep\r\n\r\n[Other]\r\nx=1\r\n"));
}

TEST(IniWrite, AppendsNewKeyAtEndOfItsSectionBeforeBlankLines)
{
    IniDocument doc = Doc("[Kandora]\r\nWidth=800\r\n\r\n[Other]\r\nx=1\r\n");
    Set(doc, "kandora", "Height", "600");
    Set(doc, "Other", "y", "2");
    EXPECT_EQ(doc.serialize(),
              QByteArray("[Kandora]\r\nWidth=800\r\nHeight=600\r\n\r\n[Other]\r\nx=1\r\ny=2\r\n"));
}

TEST(IniWrite, AppendsNewSectionAtEndAndEndsLinesWithCrLf)
{
    IniDocument doc = Doc("[Kandora]\nWidth=800");
    Set(doc, "Options", "Panel", "1");
    EXPECT_EQ(doc.serialize(), QByteArray("[Kandora]\r\nWidth=800\r\n[Options]\r\nPanel=1\r\n"));
    EXPECT_EQ(Value(doc, "options", "panel"), QStringLiteral("1"));
}

TEST(IniWrite, LineBreakInValueCannotInjectKeys)
{
    IniDocument doc;
    Set(doc, "Kandora", "Path", "a\r\n[Options]\nPanel=0");
    EXPECT_EQ(Value(doc, "Options", "Panel"), QStringLiteral("<none>"));
    EXPECT_EQ(IniDocument::Parse(doc.serialize()).lineCount(), 2);
}

TEST(IniWrite, EraseSectionRemovesAllItsLinesOnly)
{
    IniDocument doc = Doc("[Favorites]\r\nfolder0=00/a\r\nfolder7=00/b\r\n[Kandora]\r\nW=1\r\n[favorites]\r\nfolder9=1\r\n");
    doc.eraseSection(QStringLiteral("Favorites"));
    EXPECT_EQ(doc.serialize(), QByteArray("[Kandora]\r\nW=1\r\n"));
    EXPECT_FALSE(doc.hasSection(QStringLiteral("Favorites")));
}

TEST(IniWrite, RoundTripKeepsUnknownLinesVerbatim)
{
    const QByteArray text("garbage line\r\n[S]\r\n  odd = spaced  \r\n[ broken\r\n");
    EXPECT_EQ(IniDocument::Parse(text).serialize(), text);
}

using IniFileTest = IniFileFixture;

TEST_F(IniFileTest, MissingFileReadsEmptyAndIsCreatedOnSave)
{
    IniFile file(path());
    file.load();
    EXPECT_EQ(file.document().lineCount(), 0);
    file.document().setValue(QStringLiteral("Kandora"), QStringLiteral("Width"), QStringLiteral("800"));
    EXPECT_TRUE(file.save());
    EXPECT_EQ(read(), QByteArray("[Kandora]\r\nWidth=800\r\n"));
}

TEST_F(IniFileTest, ReadOnlyFileFailsAndStaysWhole)
{
    write("[Kandora]\r\nWidth=640\r\n");
    QFile::setPermissions(path(), QFile::ReadOwner);
    if (QFileInfo(path()).isWritable())
        GTEST_SKIP() << "running with rights that ignore file permissions";
    IniFile file(path());
    file.load();
    file.document().setValue(QStringLiteral("Kandora"), QStringLiteral("Width"), QStringLiteral("800"));
    EXPECT_FALSE(file.save());
    EXPECT_EQ(read(), QByteArray("[Kandora]\r\nWidth=640\r\n"));
}

TEST_F(IniFileTest, ReadOnlyFolderFailsAndLeavesNoTemporaryFile)
{
    write("[Kandora]\r\nWidth=640\r\n");
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    const bool enforced = !QFileInfo(dir.path()).isWritable();
    IniFile file(path());
    file.load();
    file.document().setValue(QStringLiteral("Kandora"), QStringLiteral("Width"), QStringLiteral("800"));
    const bool saved = file.save();
    const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!enforced)
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    EXPECT_FALSE(saved);
    EXPECT_EQ(read(), QByteArray("[Kandora]\r\nWidth=640\r\n"));
    EXPECT_EQ(left, QStringList{QStringLiteral("ies.ini")});
}

TEST_F(IniFileTest, SaveReplacesWholeFileAndKeepsPermissions)
{
    write("[Kandora]\r\nWidth=640\r\nZ=9\r\n");
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    IniFile file(path());
    file.load();
    file.document().setValue(QStringLiteral("Kandora"), QStringLiteral("Width"), QStringLiteral("800"));
    ASSERT_TRUE(file.save());
    EXPECT_EQ(read(), QByteArray("[Kandora]\r\nWidth=800\r\nZ=9\r\n"));
    EXPECT_EQ(QFile::permissions(path()) & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther),
              QFile::ReadGroup);
}

TEST_F(IniFileTest, OversizedFileIsNeitherReadNorCutShort)
{
    QByteArray big(static_cast<qsizetype>(IniFile::kMaxBytes) + 1, 'x');
    big.prepend("[Kandora]\r\nWidth=1\r\n");
    write(big);
    IniFile file(path());
    file.load();
    EXPECT_FALSE(file.document().value(QStringLiteral("Kandora"), QStringLiteral("Width")).has_value());
    EXPECT_FALSE(file.save());
    EXPECT_EQ(QFileInfo(path()).size(), big.size());
}

}  // namespace
