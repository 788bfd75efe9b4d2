#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "diagram/Datasheets.h"

class MessagePresenter;
class QLocale;
class QWidget;

// Where the datasheets go: the PDF's path and its paper.
struct DatasheetTarget {
    QString path;
    DatasheetPaperSize paper = DatasheetPaperSize::A4;
};

// Asks for the PDF to write, offering `suggested` and `paper`; nothing when cancelled.
using DatasheetFileChooser =
    std::function<std::optional<DatasheetTarget>(QWidget* parent, const QString& suggested, DatasheetPaperSize paper)>;

// The platform's save dialog, the paper chosen by its file type ("PDF on A4", "PDF on Letter").
std::optional<DatasheetTarget> ChooseDatasheetFile(QWidget* parent, const QString& suggested, DatasheetPaperSize paper);

// Letter where it is the usual paper (the United States and Canada), else A4.
[[nodiscard]] DatasheetPaperSize LocalePaper(const QLocale& locale);

// The first file's path with ".pdf" for its extension.
[[nodiscard]] QString SuggestedDatasheetName(const std::string& firstPath);

// Writes the datasheets of `paths` into the PDF the chooser names. With more
// than one file a progress dialog that can be cancelled follows the work
// (the drawing runs on this thread; the dialog's events are handled between
// steps, so the window stays responsive). Whatever went wrong (cancelled,
// unreadable files, a failed write) is told through `messages` after the
// work, never during it; a cancelled or failed export leaves no file.
DatasheetOutcome::Status ExportDatasheets(QWidget* parent, const std::vector<std::string>& paths,
                                          MessagePresenter& messages,
                                          const DatasheetFileChooser& choose = ChooseDatasheetFile);
