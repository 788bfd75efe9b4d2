#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "IesReader.h"
#include "IesRecord.h"

// Files larger than this are refused unread: no photometric file comes close.
inline constexpr std::size_t kMaxFileBytes = std::size_t{64} << 20;

// Reads a whole regular file into `bytes`. Special files (FIFOs, devices,
// directories) are refused without blocking, as are files over kMaxFileBytes.
// Returns an empty string on success, else what went wrong.
[[nodiscard]] std::string ReadWholeFile(const std::string& path, std::string& bytes);

struct LoadResult {
    enum class Kind { Loaded, Missing, Failed };
    Kind kind = Kind::Loaded;
    std::string error;              // Failed: what went wrong
    std::string headerFault;        // Loaded: "Line N" when a header value was bad
    [[nodiscard]] bool HasHeaderFault() const { return !headerFault.empty(); }

    // A file that could not be read or was refused, and why.
    [[nodiscard]] static LoadResult Failure(std::string why)
    {
        LoadResult result;
        result.kind = Kind::Failed;
        result.error = std::move(why);
        return result;
    }
};

// Reads the entry's file (Texts.fileName in `folder`, which ends in "/")
// into the entry with the reader of its format: the record, the keyword
// texts and the change marker.
// A missing file changes nothing; a file that cannot be read or is refused
// leaves the entry as it was. This is also how a captioned entry gets its
// record; its header fault was reported by the caption read, so it is not
// reported again.
LoadResult LoadEntry(TiesData& entry, const std::string& folder);

// What a caption read takes of a file first (headers are rarely above 2 KB);
// it takes 16 times more each time the header values run past what it has.
inline constexpr std::size_t kCaptionFrontBytes = std::size_t{4} << 10;

// Reads only what a caption needs: the keyword texts and the change marker,
// and the header values, so that the header fault or refusal LoadEntry would
// give is found and reported the same way. The entry becomes captioned (its
// record unread, Loaded false); a file that is missing, cannot be read or is
// refused leaves it as it was, and a loaded entry is left alone. Reads the
// file's front only (kCaptionFrontBytes), unless the header runs past it.
LoadResult LoadEntryTexts(TiesData& entry, const std::string& folder);

// The part of LoadEntryTexts after a front of the file is read: nothing when
// the header may run past `front` (`wholeFile` false), else the result and
// the entry as LoadEntryTexts leaves them.
std::optional<LoadResult> ReadEntryTexts(TiesData& entry, std::string_view front, bool wholeFile);

// The part of LoadEntry after the file is read: fills the entry from the
// file's bytes as LoadEntry does, with the reader of the entry's format. A
// refused file leaves the entry as it was.
LoadResult ReadEntryBytes(TiesData& entry, std::string_view bytes);
