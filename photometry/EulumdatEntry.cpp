#include "EulumdatEntry.h"

#include <utility>

#include "EulumdatReader.h"
#include "EulumdatRecord.h"

namespace {

// The entry's texts from the file's items; whether the file carries the change marker.
bool ItemTexts(const TiesData& entry, const EulumdatFile& file, EntryTexts& texts)
{
    texts = EntryTexts{};
    texts.fileName = entry.Texts.fileName;
    return FillEulumdatTexts(file, texts);
}

}  // namespace

LoadResult ReadEulumdatEntry(TiesData& entry, std::string_view bytes)
{
    EulumdatFile file;
    const ReadResult read = ReadEulumdat(bytes, file);
    if (!read.Read())
        return LoadResult::Failure(read.message);
    LoadResult result;
    // A caption read took the lines through the lamp sets and told their fault.
    const bool completing = HasKeywordTexts(entry) && !entry.Loaded;
    if (read.status == ReadResult::Status::HeaderFault &&
        (!completing || read.faultLine > EulumdatHeaderLines(file.LampSets.size())))
        result.headerFault = read.message;

    EntryTexts texts;
    entry.Changed = ItemTexts(entry, file, texts);
    entry.Texts = std::move(texts);
    entry.KeywordsRead = true;
    entry.Ies = EulumdatRecord(file);
    entry.Eulumdat = EulumdatStated{file.Ityp, file.Isym, file.DownwardFlux, file.Lorl, std::move(file.LampSets)};
    entry.Loaded = true;
    return result;
}

std::optional<LoadResult> ReadEulumdatEntryFront(TiesData& entry, std::string_view front, bool wholeFile)
{
    EulumdatFile file;
    std::size_t end = 0;
    const ReadResult read = ReadEulumdatHeader(front, file, &end);
    // The last line read may go on past the front, unless the text ends there.
    const bool textEnds = wholeFile || FileText(front).size() < front.size();
    if (!textEnds && end >= front.size())
        return std::nullopt;
    if (!read.Read())
        return LoadResult::Failure(read.message);
    LoadResult result;
    if (read.status == ReadResult::Status::HeaderFault)
        result.headerFault = read.message;
    EntryTexts texts;
    entry.Changed = ItemTexts(entry, file, texts);
    entry.Texts = std::move(texts);
    entry.KeywordsRead = true;
    return result;
}
