#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

// Runs a program; its exit status, and its output in `out` when given.
int RunProgram(const QString& program, const QStringList& arguments, QByteArray* out = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    if (out != nullptr)
        *out = process.readAllStandardOutput();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

int Print(const QStringList& arguments)
{
    return RunProgram(QStringLiteral(KANDORA_CLI), QStringList{QStringLiteral("print")} + arguments);
}

// Whether pdfinfo's report on `pdf` has a line matching `line`.
bool InfoHas(const QString& pdf, const char* line)
{
    QByteArray out;
    EXPECT_EQ(RunProgram(QStringLiteral("pdfinfo"), {pdf}, &out), 0);
    const QRegularExpression pattern(QStringLiteral("^%1$").arg(QString::fromLatin1(line)),
                                     QRegularExpression::MultilineOption);
    return QString::fromUtf8(out).contains(pattern);
}

}  // namespace

TEST(CliPrintTest, WritesOneTitledPageOfTheChosenPaper)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        GTEST_SKIP() << "poppler-utils not installed";
    QTemporaryDir dir;
    const QString ies = dir.filePath(QStringLiteral("lamp.ies"));
    const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
    QFile file(ies);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("IESNA:LM-63-2002\r\n[MANUFAC] Acme\r\nTILT=NONE\r\n1 1000 1 3 2 1 2 0.6 1.2 0\r\n1 1 36\r\n"
               "0 45 90\r\n0 180\r\n300 200 20\r\n300 200 20\r\n");
    file.close();

    ASSERT_EQ(Print({ies, QStringLiteral("--out"), pdf}), 0);
    EXPECT_TRUE(InfoHas(pdf, "Title: +IES diagramm by Kandora v2\\.9    "));
    EXPECT_TRUE(InfoHas(pdf, "Pages: +1"));
    EXPECT_TRUE(InfoHas(pdf, "Page size: +595 x 842 pts \\(A4\\)"));
    ASSERT_EQ(RunProgram(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("50"),
                                                      QStringLiteral("-singlefile"), pdf, dir.filePath(QStringLiteral("page"))}),
              0);
    // The red curve in the square at the top, paper below the header lines.
    const QImage page(dir.filePath(QStringLiteral("page.png")));
    ASSERT_FALSE(page.isNull());
    int red = 0;
    for (int y = 0; y < page.width(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            red += c.red() > 200 && c.green() < 80 && c.blue() < 80;
        }
    EXPECT_GT(red, 100);
    EXPECT_EQ(page.pixelColor(page.width() / 2, page.height() - 10), QColor(Qt::white));

    ASSERT_EQ(Print({ies, QStringLiteral("--out"), pdf, QStringLiteral("--paper"), QStringLiteral("Letter"),
                     QStringLiteral("--landscape"), QStringLiteral("--resolution"), QStringLiteral("1")}),
              0);
    EXPECT_TRUE(InfoHas(pdf, "Page size: +792 x 612 pts \\(letter\\)"));

    // Mistakes write nothing.
    QFile::remove(pdf);
    EXPECT_EQ(Print({ies, QStringLiteral("--out"), pdf, QStringLiteral("--paper"), QStringLiteral("A3")}), 2);
    EXPECT_EQ(Print({ies, QStringLiteral("--out"), pdf, QStringLiteral("--resolution"), QStringLiteral("0")}), 2);
    EXPECT_EQ(Print({ies}), 2);
    EXPECT_EQ(Print({dir.filePath(QStringLiteral("missing.ies")), QStringLiteral("--out"), pdf}), 1);
    EXPECT_EQ(Print({ies, QStringLiteral("--out"), dir.filePath(QStringLiteral("no/such/page.pdf"))}), 1);
    EXPECT_FALSE(QFile::exists(pdf));
}
