#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include "AppTestSupport.h"
#include "app/ExportDatasheets.h"

namespace {

const std::string kSamples = KANDORA_SOURCE_DIR "/samples/";

class ExportDatasheetsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    // A chooser that records what it was offered and answers `answer`.
    DatasheetFileChooser Chooser(std::optional<DatasheetTarget> answer)
    {
        return [this, answer](QWidget*, const QString& suggested, DatasheetPaperSize paper) {
            offered_ = suggested;
            offeredPaper_ = paper;
            return answer;
        };
    }
    QString Out(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir_;
    QWidget parent_;
    RecordingPresenter messages_;
    QString offered_;
    DatasheetPaperSize offeredPaper_ = DatasheetPaperSize::A4;
};

const std::vector<std::string> kThree{kSamples + "downlight-halogen-narrow-spot.ies",
                                      kSamples + "street-light-led-type-ii.ies",
                                      kSamples + "floodlight-area-symmetric.ies"};

TEST_F(ExportDatasheetsTest, WritesTheChosenFileOnThePaperOfTheLocale)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const DatasheetOutcome::Status status =
        ExportDatasheets(&parent_, kThree, messages_, Chooser(DatasheetTarget{Out("three.pdf"), DatasheetPaperSize::A4}));
    QLocale::setDefault(before);
    EXPECT_EQ(status, DatasheetOutcome::Status::Written);
    EXPECT_EQ(offered_, QString::fromStdString(kSamples + "downlight-halogen-narrow-spot.pdf"));
    EXPECT_EQ(offeredPaper_, DatasheetPaperSize::Letter);
    EXPECT_TRUE(messages_.messages.empty());
    QFile pdf(Out("three.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
    EXPECT_EQ(LocalePaper(QLocale(QLocale::German, QLocale::Germany)), DatasheetPaperSize::A4);
    EXPECT_EQ(LocalePaper(QLocale(QLocale::French, QLocale::Canada)), DatasheetPaperSize::Letter);
}

// Cancelling in the progress dialog, a write that fails, a chooser left
// without a name and files that cannot be read leave no file; all but the
// chooser say so after the work.
TEST_F(ExportDatasheetsTest, CancelledOrFailedExportsLeaveNoFileAndSaySo)
{
    QTimer::singleShot(0, &parent_, [this] {
        if (auto* progress = parent_.findChild<QProgressDialog*>())
            progress->cancel();
    });
    EXPECT_EQ(ExportDatasheets(&parent_, kThree, messages_, Chooser(DatasheetTarget{Out("cancelled.pdf")})),
              DatasheetOutcome::Status::Cancelled);
    EXPECT_FALSE(QFile::exists(Out("cancelled.pdf")));
    ASSERT_EQ(messages_.messages.size(), 1U);
    EXPECT_EQ(messages_.messages[0].icon, MessagePresenter::Icon::Information);

    const QString unwritable = Out("missing-folder/out.pdf");
    EXPECT_EQ(ExportDatasheets(&parent_, {kThree[0]}, messages_, Chooser(DatasheetTarget{unwritable})),
              DatasheetOutcome::Status::WriteFailed);
    ASSERT_EQ(messages_.messages.size(), 2U);
    EXPECT_EQ(messages_.messages[1].icon, MessagePresenter::Icon::Error);
    EXPECT_TRUE(messages_.messages[1].text.startsWith(QStringLiteral("Cannot write ") + unwritable));

    EXPECT_EQ(ExportDatasheets(&parent_, kThree, messages_, Chooser(std::nullopt)), DatasheetOutcome::Status::Cancelled);
    EXPECT_EQ(messages_.messages.size(), 2U) << "cancelling the chooser needs no message";

    // No selected file readable: nothing written, and the file named.
    EXPECT_EQ(ExportDatasheets(&parent_, {kSamples + "no-such-file.ies"}, messages_, Chooser(DatasheetTarget{Out("none.pdf")})),
              DatasheetOutcome::Status::NothingWritten);
    ASSERT_EQ(messages_.messages.size(), 3U);
    EXPECT_TRUE(messages_.messages[2].text.contains(QStringLiteral("no-such-file.ies")));
    EXPECT_TRUE(QDir(dir_.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

}  // namespace
