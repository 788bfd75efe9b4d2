#include "IesEntry.h"

#include <utility>

#include "IesReader.h"
#include "Keywords.h"

namespace {

// The entry's texts with the header's keyword values, and whether the file
// carries the change marker. Keywords read the same from the file's own
// header lines as from the CR LF text, since a value ends at the first CR or
// LF either way.
bool HeaderTexts(const TiesData& entry, const HeaderSplit& split, EntryTexts& texts)
{
    texts = EntryTexts{};
    texts.fileName = entry.Texts.fileName;
    return FillKeywordTexts(split.headerLines, texts);
}

}  // namespace

LoadResult ReadIesEntry(TiesData& entry, std::string_view bytes)
{
    LoadResult result;
    // The splitter and the reader both stop at a zero byte themselves.
    const HeaderSplit split = SplitHeader(bytes);
    // A caption read already reported the header's fault.
    const bool completing = HasKeywordTexts(entry) && !entry.Loaded;
    EntryTexts texts;
    const bool changed = HeaderTexts(entry, split, texts);

    tIES ies;
    const ReadResult read = ReadIes(bytes, split, ies);
    if (!read.Read())
        return LoadResult::Failure(read.message);
    if (read.status == ReadResult::Status::HeaderFault && !completing)
        result.headerFault = read.message;

    entry.Changed = changed;
    entry.Texts = std::move(texts);
    entry.KeywordsRead = true;
    entry.Ies = std::move(ies);
    entry.Loaded = true;
    return result;
}

std::optional<LoadResult> ReadIesEntryFront(TiesData& entry, std::string_view front, bool wholeFile)
{
    const HeaderSplit split = SplitHeader(front);
    tIES header;
    std::size_t headerEnd = 0;
    const ReadResult read = ReadIesHeader(front, split, header, headerEnd);
    // Without a TILT line in the front the numbers start at the file's top,
    // unless a later line is the TILT line: only the file's end tells.
    const bool textEnds = wholeFile || FileText(front).size() < front.size();
    if (!textEnds && !(split.hasTilt && headerEnd < front.size()))
        return std::nullopt;

    if (!read.Read())
        return LoadResult::Failure(read.message);
    LoadResult result;
    if (read.status == ReadResult::Status::HeaderFault)
        result.headerFault = read.message;
    EntryTexts texts;
    entry.Changed = HeaderTexts(entry, split, texts);
    entry.Texts = std::move(texts);
    entry.KeywordsRead = true;
    return result;
}
