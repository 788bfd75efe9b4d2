#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <string>

namespace {

class CliListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        Write("b.ies", "[MANUFAC] Zeta\r\nTILT=NONE\r\n1 1000 1 1 1 1 2 0 0 0 1 1 9\r\n0\r\n0\r\n5\r\n");
        Write("a.ies", "[MANUFAC] alpha\r\n[CHANGED] by Orvanek\r\nTILT=NONE\r\n1 1000 1 1 1 1 2 0 0 0 1 1 9\r\n0\r\n0\r\n5\r\n");
        Write("c.ies", "[MANUFAC] Mid\r\nTILT=NONE\r\n1 x 1 1 1 1 2 0 0 0 1 1 9\r\n0\r\n0\r\n5\r\n");
        Write("huge.IES", "TILT=NONE\r\n1 1000 1 65535 65535 1 2 0 0 0 1 1 9\r\n");
        Write("notes.txt", "not listed");
        // EULUMDAT files list beside them: their items caption them, item 12 carries the marker.
        Write("d.LDT", Ldt("Kappa", "1", "Converted by Orvanek").c_str());
        Write("e.ldt", Ldt("Epsilon", "5", "").c_str());
    }
    static std::string Ldt(const std::string& company, const std::string& isym, const std::string& date)
    {
        std::string text = company + "\r\n1\r\n" + isym + "\r\n1\r\n0\r\n2\r\n90\r\nR-1\r\nSpot\r\nS-1\r\ns.ldt\r\n" + date + "\r\n";
        for (int item = 13; item <= 25; ++item)
            text += "0\r\n";
        text += "1\r\n1\r\nLED\r\n1000\r\n3000 K\r\n1B\r\n10\r\n";
        for (int ratio = 0; ratio < 10; ++ratio)
            text += "0\r\n";
        return text + "0\r\n0\r\n90\r\n100\r\n50\r\n";
    }
    void Write(const char* name, const char* text)
    {
        QFile file(dir_.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    int Run(const QStringList& arguments, QByteArray* out = nullptr)
    {
        QProcess process;
        process.start(QStringLiteral(KANDORA_CLI), QStringList{QStringLiteral("list")} + arguments);
        EXPECT_TRUE(process.waitForFinished(30000));
        if (out != nullptr)
            *out = process.readAllStandardOutput();
        return process.exitCode();
    }
    // "file=caption" per object, with the marker and the fault when present.
    QStringList Listed(const QStringList& options)
    {
        QByteArray out;
        EXPECT_EQ(Run(QStringList{dir_.path()} + options, &out), 0);
        QStringList rows;
        for (const QJsonValue& value : QJsonDocument::fromJson(out).array()) {
            const QJsonObject o = value.toObject();
            QString row = o[QStringLiteral("file")].toString() + QLatin1Char('=') + o[QStringLiteral("caption")].toString();
            if (o[QStringLiteral("changed")].toBool())
                row += QStringLiteral(" changed");
            if (!o[QStringLiteral("fault")].isNull())
                row += QStringLiteral(" fault:") + o[QStringLiteral("fault")].toString().left(10);
            rows.append(row);
        }
        return rows;
    }

    QTemporaryDir dir_;
};

TEST_F(CliListTest, ListsCaptionsMarkersAndFaultsInTheListsOrder)
{
    EXPECT_EQ(Listed({QStringLiteral("--caption"), QStringLiteral("manufacturer"), QStringLiteral("--sort")}),
              (QStringList{QStringLiteral("a.ies=alpha changed"), QStringLiteral("e.ldt=e.ldt fault:Line 3: th"),
                           QStringLiteral("huge.IES=huge.IES fault:The file d"), QStringLiteral("d.LDT=Kappa changed"),
                           QStringLiteral("c.ies=Mid fault:Line 3"), QStringLiteral("b.ies=Zeta")}));
    // By file name nothing is read, so nothing is marked or faulty.
    EXPECT_EQ(Listed({QStringLiteral("--sort")}),
              (QStringList{QStringLiteral("a.ies=a.ies"), QStringLiteral("b.ies=b.ies"), QStringLiteral("c.ies=c.ies"),
                           QStringLiteral("d.LDT=d.LDT"), QStringLiteral("e.ldt=e.ldt"), QStringLiteral("huge.IES=huge.IES")}));
    EXPECT_EQ(Listed({QStringLiteral("--caption"), QStringLiteral("lamp")}).size(), 6);
}

// --where reads every file whole and filters as the window's box does: words
// match the texts the full read found, comparisons the summary; each match
// carries the summary's values; a term that cannot be read is a usage error.
TEST_F(CliListTest, WhereFiltersByTextsAndValuesAndAddsTheSummary)
{
    EXPECT_EQ(Listed({QStringLiteral("--where"), QStringLiteral("imax>4"), QStringLiteral("--sort")}),
              (QStringList{QStringLiteral("a.ies=a.ies changed"), QStringLiteral("b.ies=b.ies"),
                           QStringLiteral("c.ies=c.ies"), QStringLiteral("d.LDT=d.LDT changed")}))
        << "the refused file has no values to compare";
    EXPECT_EQ(Listed({QStringLiteral("--where"), QStringLiteral("ZETA imax<=5")}), QStringList{QStringLiteral("b.ies=b.ies")});
    QByteArray out;
    ASSERT_EQ(Run({dir_.path(), QStringLiteral("--where"), QStringLiteral("zeta")}, &out), 0);
    const QJsonObject b = QJsonDocument::fromJson(out).array().at(0).toObject();
    EXPECT_DOUBLE_EQ(b[QStringLiteral("max_cd")].toDouble(), 5);
    EXPECT_TRUE(b.contains(QStringLiteral("flux_lm")) && b.contains(QStringLiteral("c0_c180")));
    EXPECT_EQ(Run({dir_.path(), QStringLiteral("--where"), QStringLiteral("imax>")}), 2);
}

TEST_F(CliListTest, AFolderThatCannotBeListedOrABadOptionFails)
{
    EXPECT_EQ(Run({dir_.filePath(QStringLiteral("missing"))}), 1);
    EXPECT_EQ(Run({dir_.path(), QStringLiteral("--caption"), QStringLiteral("colour")}), 2);
    EXPECT_EQ(Run({}), 2);
}

}  // namespace
