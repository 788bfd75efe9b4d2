#include "app/ExportDatasheets.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QProgressDialog>

#include "app/AppTexts.h"
#include "app/MessagePresenter.h"

namespace {

const QString kA4Filter = QStringLiteral("PDF on A4 (*.pdf)");
const QString kLetterFilter = QStringLiteral("PDF on Letter (*.pdf)");

QString PathText(const std::string& bytes)
{
    return QFile::decodeName(QByteArray::fromStdString(bytes));
}

}  // namespace

std::optional<DatasheetTarget> ChooseDatasheetFile(QWidget* parent, const QString& suggested, DatasheetPaperSize paper)
{
    QString filter = paper == DatasheetPaperSize::Letter ? kLetterFilter : kA4Filter;
    QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("Export datasheet"), suggested,
                                                kA4Filter + QStringLiteral(";;") + kLetterFilter, &filter);
    if (path.isEmpty())
        return std::nullopt;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    return DatasheetTarget{path, filter == kLetterFilter ? DatasheetPaperSize::Letter : DatasheetPaperSize::A4};
}

DatasheetPaperSize LocalePaper(const QLocale& locale)
{
    const QLocale::Territory territory = locale.territory();
    return territory == QLocale::UnitedStates || territory == QLocale::Canada ? DatasheetPaperSize::Letter
                                                                               : DatasheetPaperSize::A4;
}

QString SuggestedDatasheetName(const std::string& firstPath)
{
    const QFileInfo file(PathText(firstPath));
    return file.dir().filePath(file.completeBaseName() + QStringLiteral(".pdf"));
}

DatasheetOutcome::Status ExportDatasheets(QWidget* parent, const std::vector<std::string>& paths,
                                          MessagePresenter& messages, const DatasheetFileChooser& choose)
{
    if (paths.empty())
        return DatasheetOutcome::Status::NothingWritten;
    const std::optional<DatasheetTarget> target = choose(parent, SuggestedDatasheetName(paths.front()), LocalePaper(QLocale()));
    if (!target)
        return DatasheetOutcome::Status::Cancelled;

    DatasheetOutcome outcome;
    if (paths.size() > 1) {
        // A catalogue takes a while: each step lets the dialog (and the window
        // behind it) handle its events, and the Cancel button stops the work.
        QProgressDialog progress(QStringLiteral("Writing datasheets…"), QStringLiteral("Cancel"), 0, 1, parent);
        progress.setWindowTitle(AppTexts::MainTitle());
        // Wide enough for the title bar to show the program's name whole.
        progress.setMinimumWidth(progress.fontMetrics().horizontalAdvance(AppTexts::MainTitle()) + 200);
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(300);
        outcome = WriteDatasheets(paths, target->path, target->paper, [&progress](int done, int total) {
            progress.setMaximum(total);
            progress.setValue(done);
            QApplication::processEvents();
            return !progress.wasCanceled();
        });
    } else {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        outcome = WriteDatasheets(paths, target->path, target->paper);
        QApplication::restoreOverrideCursor();
    }

    QStringList unread;
    for (const DatasheetFault& fault : outcome.faults)
        unread << PathText(fault.path) + QStringLiteral(": ") + QString::fromStdString(fault.message);
    switch (outcome.status) {
    case DatasheetOutcome::Status::Written:
        if (!unread.isEmpty())
            messages.showMessage(MessagePresenter::Icon::Warning, AppTexts::MainTitle(),
                                 QStringLiteral("These files could not be read and have no page:\r") +
                                     unread.join(QLatin1Char('\r')));
        break;
    case DatasheetOutcome::Status::Cancelled:
        messages.showMessage(MessagePresenter::Icon::Information, AppTexts::MainTitle(),
                             QStringLiteral("Export cancelled; no datasheet was written."));
        break;
    case DatasheetOutcome::Status::WriteFailed:
        messages.showMessage(MessagePresenter::Icon::Error, AppTexts::MainTitle(),
                             QStringLiteral("Cannot write ") + target->path + QStringLiteral(":\r") + outcome.error);
        break;
    case DatasheetOutcome::Status::NothingWritten:
        messages.showMessage(MessagePresenter::Icon::Error, AppTexts::MainTitle(),
                             QStringLiteral("No selected file could be read; nothing was written.\r") +
                                 unread.join(QLatin1Char('\r')));
        break;
    }
    return outcome.status;
}
