// Feeds arbitrary bytes through the steps LoadEntry takes after reading a
// file, and aborts when the record breaks one of its promises or when the
// reader's fast number path disagrees with a correctly rounding parser.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include <fast_float/fast_float.h>

#include "photometry/DecimalToken.h"
#include "photometry/EntryLoader.h"
#include "photometry/IesReader.h"
#include "photometry/IesRecord.h"
#include "photometry/Keywords.h"
#include "photometry/PhotometricSummary.h"

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

void CheckRecord(const tIES& ies)
{
    Require(ies.VertAngles.size() == ies.VertCount);
    Require(ies.HorzAngles.size() == ies.HorzCount);
    Require(ies.Candela.size() == ies.HorzCount);
    Require(std::size_t{ies.VertCount} * ies.HorzCount <= kMaxCandelaValues);
    for (const tArrEx& row : ies.Candela) {
        Require(row.size() == ies.VertCount);
        for (double v : row)
            Require(std::isfinite(v));
    }
    for (double a : ies.VertAngles)
        Require(std::isfinite(a));
    for (double a : ies.HorzAngles)
        Require(std::isfinite(a));
    for (double v : {ies.LampLumens, ies.Multiplier, ies.Width, ies.Length, ies.Height, ies.BallastFactor,
                     ies.BallastLampFactor, ies.InputWattsExact})
        Require(std::isfinite(v));
    const PhotometricSummary s = SummarizePhotometry(ies);
    for (const std::optional<double>& v : {s.flux_lm, s.lor, s.efficacy_lm_per_w, s.max_cd, s.c0_c180.beam_deg,
                                           s.c0_c180.field_deg, s.c90_c270.beam_deg, s.c90_c270.field_deg})
        Require(!v || std::isfinite(*v));
}

bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Every token the fast path takes must read exactly as fast_float reads it,
// whether the path checks its bounds or relies on the margin to the end.
void CheckFastPath(std::string_view text)
{
    const char* const end = text.data() + text.size();
    const char* p = text.data();
    while (p != end) {
        if (decimal_token::IsSeparator(*p)) {
            ++p;
            continue;
        }
        const char* tokenEnd = p;
        while (tokenEnd != end && !decimal_token::IsSeparator(*tokenEnd))
            ++tokenEnd;
        double fast = 0;
        double checked = 0;
        const char* after = decimal_token::ParseSimple(p, end, fast);
        const char* afterChecked = decimal_token::ParseSimpleAt<true>(p, tokenEnd, checked);
        Require((after == nullptr) == (afterChecked == nullptr));
        if (after != nullptr) {
            Require(after == tokenEnd && afterChecked == tokenEnd && SameBits(fast, checked));
            const char* first = *p == '+' ? p + 1 : p;
            double exact = 0;
            const auto parsed = fast_float::from_chars(first, tokenEnd, exact);
            Require(parsed.ec == std::errc() && parsed.ptr == tokenEnd && SameBits(fast, exact));
        }
        p = tokenEnd;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    // LoadEntry's own path once the file is in memory.
    TiesData entry = UnreadEntry("fuzz.ies");
    const LoadResult loaded = ReadEntryBytes(entry, bytes);
    if (loaded.kind == LoadResult::Kind::Loaded) {
        Require(entry.Loaded && HasKeywordTexts(entry) && entry.Texts.fileName == "fuzz.ies");
        CheckRecord(entry.Ies);
    } else {
        Require(loaded.kind == LoadResult::Kind::Failed && !loaded.error.empty());
        Require(!entry.Loaded && !HasKeywordTexts(entry));
    }

    // A zero byte ends the text: reading the bytes or the text before it is the same.
    const std::string_view text = FileText(bytes);
    Require(text.find('\0') == std::string_view::npos);
    const HeaderSplit split = SplitHeader(text);
    Require(split.numericOffset <= text.size());
    Require(split.hasTilt || split.headerLines.empty());
    tIES ies;
    const ReadResult read = ReadIes(text, split, ies);
    Require(read.Read() == (loaded.kind == LoadResult::Kind::Loaded));
    if (read.Read()) {
        Require(ies == entry.Ies);
        Require((read.status == ReadResult::Status::HeaderFault) == !read.message.empty());
        Require(read.message == loaded.headerFault);
    } else {
        Require(read.message == loaded.error && ies == tIES{});
    }

    // Keywords from the rebuilt header text and from the file's own header
    // lines (as LoadEntry takes them) must agree.
    EntryTexts texts{.fileName = "fuzz.ies"};
    const bool changed = FillKeywordTexts(HeaderText(split), texts);
    if (loaded.kind == LoadResult::Kind::Loaded)
        Require(texts == entry.Texts && changed == entry.Changed);
    Require(KeywordText(texts, KeywordForm::Labels).empty() == KeywordText(texts, KeywordForm::KeywordLines).empty());

    CheckFastPath(text);

    // NextNumber always makes progress and gives finite values.
    std::string_view numbers = text.substr(split.numericOffset);
    bool fault = false;
    for (int i = 0; i < 64 && !numbers.empty(); ++i) {
        const std::size_t before = numbers.size();
        Require(std::isfinite(NextNumber(numbers, fault)));
        Require(numbers.size() < before);
    }
    return 0;
}
