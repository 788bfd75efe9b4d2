#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <string_view>
#include <string>
#include <vector>

#include "photometry/EntryTexts.h"
#include "photometry/PhotometricSummary.h"

// The photometric summary of files for the command line: reading them on
// every core, and writing their values as JSON or as CSV. Commands that print
// summary values (summary, list) share these writers, so the keys and their
// meaning are the same everywhere.

// One file's summary: its texts and values, or why it could not be read.
struct FileSummary {
    std::string path;         // as given (file system bytes)
    EntryTexts texts;
    PhotometricSummary summary;
    std::string error;        // not empty: the file could not be read
    std::string headerFault;  // "Line N" when a header value was bad (the values are still given)
};

// Reads every file of `paths` in full on up to `workers` threads and
// summarises it; the record is dropped once summarised. In `paths`' order,
// the same whatever the number of workers.
[[nodiscard]] std::vector<FileSummary> SummarizeFiles(const std::vector<std::string>& paths, unsigned workers);

// Appends the summary's members (no braces) to a JSON object's text, in
// this order, unrounded, null where a value cannot be had: flux_lm,
// lamp_flux_lm, lor, input_watts, efficacy_lm_per_w, max_cd, max_at {c,
// gamma}, c0_c180 and c90_c270 {beam_deg, field_deg}, zonal_lm {"0-30": ...,
// in kZonalBands' order}, cie_flux_code [N1..N5]. The one writer of these keys.
void AppendSummaryJson(std::string& out, const PhotometricSummary& summary);

// The same members added to `object`, for commands that build their output
// as a QJsonObject.
void InsertSummaryJson(QJsonObject& object, const PhotometricSummary& summary);

// The object `kandora-cli summary` prints for a file, on one line: "file",
// then either the summary's members (and "header_fault" when a header value
// was faulty) or "error".
[[nodiscard]] std::string FileSummaryJson(const FileSummary& file);

// The CSV header row and a file's row (RFC 4180: comma separated, texts
// quoted, quotes doubled, CR LF line ends): the file, its texts
// (manufacturer, luminaire, luminaire catalog, lamp, lamp catalog), the
// values with "." decimals whatever the locale (empty where null), and the
// error or header fault.
[[nodiscard]] std::string SummaryCsvHeader();
[[nodiscard]] std::string SummaryCsvRow(const FileSummary& file);

enum class SummaryForm { Json, Csv };

// What `kandora-cli summary` writes for `paths`: a JSON array (one indented
// object per file) or CSV (a header row, one row per file). Files are read
// in batches on up to `workers` threads and the text handed to `write` as
// each batch is done, so no more than a batch is held however many files
// there are. `unreadable` hears of each file that could not be read, in
// order. Returns how many those were.
std::size_t WriteSummaries(const std::vector<std::string>& paths, SummaryForm form, unsigned workers,
                           const std::function<void(std::string_view)>& write,
                           const std::function<void(const FileSummary&)>& unreadable);

// A text as one CSV field: quoted, inner quotes doubled.
[[nodiscard]] std::string CsvText(std::string_view text);

// The files `inputs` name, in their order: a folder stands for its
// photometric files sorted as captions sort (byte order, a-z as A-Z). A
// folder that cannot be listed is left out with a line in `complaints`.
[[nodiscard]] std::vector<std::string> ExpandPhotometricInputs(const QStringList& inputs, QStringList& complaints);
