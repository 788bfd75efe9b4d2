#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

// A type C file with a manufacturer, so the page carries header lines.
const char* const kFile =
    "IESNA:LM-63-2002\r\n[TEST] T-7\r\n[MANUFAC] Acme\r\n[LUMCAT] DL-20\r\nTILT=NONE\r\n"
    "1 1000 1 3 2 1 2 0.6 1.2 0\r\n1 1 36\r\n0 45 90\r\n0 180\r\n"
    "300 200 20\r\n300 200 20\r\n";

// Runs a program and returns its exit status and standard output.
int RunProgram(const QString& program, const QStringList& arguments, QByteArray* out = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    if (out != nullptr)
        *out = process.readAllStandardOutput();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

class CliPrintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        QFile file(Path("lamp.ies"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kFile);
        pdfinfo_ = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
        pdftoppm_ = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
        if (pdfinfo_.isEmpty() || pdftoppm_.isEmpty())
            GTEST_SKIP() << "poppler-utils (pdfinfo, pdftoppm) not installed";
    }
    QString Path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
    int Print(const QStringList& extra) const
    {
        return RunProgram(QStringLiteral(KANDORA_CLI),
                   QStringList{QStringLiteral("print"), Path("lamp.ies"), QStringLiteral("--out"), Path("page.pdf")} +
                       extra);
    }
    // Whether pdfinfo's report on the page has a line matching `line`.
    bool InfoHas(const QString& line) const
    {
        QByteArray out;
        EXPECT_EQ(RunProgram(pdfinfo_, {Path("page.pdf")}, &out), 0);
        return QString::fromUtf8(out).contains(
            QRegularExpression(QStringLiteral("^") + line + QStringLiteral("$"), QRegularExpression::MultilineOption));
    }

    QTemporaryDir dir_;
    QString pdfinfo_;
    QString pdftoppm_;
};

}  // namespace

TEST_F(CliPrintTest, WritesOneTitledPageWithTheDiagram)
{
    ASSERT_EQ(Print({}), 0);
    EXPECT_TRUE(InfoHas(QStringLiteral("Title: +IES diagramm by Kandora v2\\.9    ")));
    EXPECT_TRUE(InfoHas(QStringLiteral("Pages: +1")));
    EXPECT_TRUE(InfoHas(QStringLiteral("Page size: +595 x 842 pts \\(A4\\)")));

    ASSERT_EQ(RunProgram(pdftoppm_, {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("50"),
                              QStringLiteral("-singlefile"), Path("page.pdf"), Path("page")}),
              0);
    const QImage page(Path("page.png"));
    ASSERT_FALSE(page.isNull());
    // The upper part holds the grey square with the red curve, the lower part is paper.
    int red = 0;
    for (int y = 0; y < page.width(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            red += c.red() > 200 && c.green() < 80 && c.blue() < 80;
        }
    EXPECT_GT(red, 100);
    EXPECT_EQ(page.pixelColor(page.width() / 2, page.height() - 10), QColor(Qt::white));
}

TEST_F(CliPrintTest, PaperAndOrientationChooseThePage)
{
    ASSERT_EQ(Print({QStringLiteral("--paper"), QStringLiteral("Letter"), QStringLiteral("--landscape"),
                     QStringLiteral("--resolution"), QStringLiteral("300")}),
              0);
    EXPECT_TRUE(InfoHas(QStringLiteral("Page size: +792 x 612 pts \\(letter\\)")));
    // One dot per inch leaves a page of a few pixels: still one valid page.
    ASSERT_EQ(Print({QStringLiteral("--resolution"), QStringLiteral("1")}), 0);
    EXPECT_TRUE(InfoHas(QStringLiteral("Pages: +1")));
}

TEST_F(CliPrintTest, MistakesWriteNothing)
{
    EXPECT_EQ(Print({QStringLiteral("--paper"), QStringLiteral("A3")}), 2);
    EXPECT_EQ(Print({QStringLiteral("--resolution"), QStringLiteral("0")}), 2);
    EXPECT_EQ(RunProgram(QStringLiteral(KANDORA_CLI), {QStringLiteral("print"), Path("lamp.ies")}), 2);
    EXPECT_EQ(RunProgram(QStringLiteral(KANDORA_CLI),
                  {QStringLiteral("print"), Path("missing.ies"), QStringLiteral("--out"), Path("page.pdf")}),
              1);
    EXPECT_FALSE(QFile::exists(Path("page.pdf")));
    EXPECT_EQ(RunProgram(QStringLiteral(KANDORA_CLI), {QStringLiteral("print"), Path("lamp.ies"), QStringLiteral("--out"),
                                                 dir_.filePath(QStringLiteral("no/such/folder/page.pdf"))}),
              1);
}
