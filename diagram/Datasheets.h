#pragma once

#include <QString>

#include <functional>
#include <string>
#include <vector>

#include "diagram/DatasheetPage.h"
#include "photometry/IesRecord.h"

// Writing datasheets of photometric files into one PDF, for the command
// line and the window alike (no widget is made, no dialog opens).

enum class DatasheetPaperSize { A4, Letter };

// Told after each step; `total` counts every file twice for a catalogue
// (once for the index, once for its page). Returning false cancels.
using DatasheetProgress = std::function<bool(int done, int total)>;

// A file that could not be read, with what went wrong.
struct DatasheetFault {
    std::string path;
    std::string message;
};

struct DatasheetOutcome {
    enum class Status { Written, NothingWritten, Cancelled, WriteFailed };
    Status status = Status::NothingWritten;
    int pages = 0;                        // the PDF's pages, index pages included
    std::vector<DatasheetFault> faults;   // files left out (or read on their page as unreadable)
    QString error;                        // WriteFailed: why
};

// The page of a file whose entry was read from `path` (a failed read leaves
// the entry unread: the page then has the title block and says why in
// `error`), numbered `page`, as WriteDatasheets draws it. The request points
// into `entry`.
[[nodiscard]] DatasheetRequest MakeDatasheetRequest(const TiesData& entry, const std::string& path,
                                                    const std::string& error, const DatasheetPaper& paper, int page);

// Writes one datasheet page per readable file of `paths` (file system bytes),
// in their order, to `out`. More than one page gets index pages first: every
// file's key values and its page number. A file that cannot be read gets no
// page and lands in `faults`; when none can be read nothing is written. Files
// are read one at a time, and only one page is held at a time: the index's
// values are gathered by a first reading of every file. The PDF is written to
// a temporary file and renamed, so a failure or cancellation leaves `out` as
// it was. Needs a QGuiApplication (fonts).
[[nodiscard]] DatasheetOutcome WriteDatasheets(const std::vector<std::string>& paths, const QString& out,
                                               DatasheetPaperSize paper, const DatasheetProgress& progress = {});
