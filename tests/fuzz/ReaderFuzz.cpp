// Feeds arbitrary bytes through the same steps LoadEntry takes after reading
// a file, and aborts when the record breaks one of its promises.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "photometry/IesReader.h"
#include "photometry/IesRecord.h"
#include "photometry/Keywords.h"

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
    Require(std::isfinite(ies.Multiplier) && std::isfinite(ies.LampLumens));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string_view text = FileText(bytes);
    Require(text.find('\0') == std::string_view::npos);

    const HeaderSplit split = SplitHeader(text);
    Require(split.numericOffset <= text.size());
    Require(split.hasTilt || split.headerText.empty());

    tIES ies;
    const ReadResult read = ReadIes(text, split, ies);
    if (read.Read()) {
        CheckRecord(ies);
        Require((read.status == ReadResult::Status::HeaderFault) == !read.message.empty());
    } else {
        Require(!read.message.empty());
        Require(ies == tIES{});
    }

    // The one-step overload must agree with the split one (skipped for big
    // matrices, which would only halve the fuzzer's speed).
    if (std::size_t{ies.VertCount} * ies.HorzCount < 4096) {
        tIES again;
        const ReadResult second = ReadIes(text, again);
        Require(second.status == read.status && second.message == read.message && again == ies);
    }

    std::vector<std::string> texts{std::string(), "fuzz.ies"};
    const bool changed = FillKeywordTexts(split.headerText, texts);
    Require(texts.size() == 8);
    // Loading takes the keywords from the file's own header lines instead of
    // the rebuilt header text: both must give the same values.
    std::vector<std::string> fromFile{std::string(), "fuzz.ies"};
    const std::string_view header = split.hasTilt ? text.substr(0, split.numericOffset) : std::string_view();
    Require(FillKeywordTexts(header, fromFile) == changed && fromFile == texts);
    const std::string labels = KeywordText(texts, KeywordForm::Labels);
    const std::string lines = KeywordText(texts, KeywordForm::KeywordLines);
    Require(labels.empty() == lines.empty());

    // NextNumber must always make progress and never read past the text.
    std::string_view numbers = text.substr(split.numericOffset);
    bool fault = false;
    for (int i = 0; i < 64 && !numbers.empty(); ++i) {
        const std::size_t before = numbers.size();
        const double v = NextNumber(numbers, fault);
        Require(std::isfinite(v));
        Require(numbers.size() < before);
    }
    return 0;
}
