#include "browser/LibraryFilter.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace {

struct FieldName {
    std::string_view name;
    FilterField field;
    std::array<std::string_view, 2> units;  // what may follow the number
};

// "lm/w" before any name it could begin; the others share no prefix.
constexpr std::array<FieldName, 7> kFields{{
    {"lm/w", FilterField::Efficacy, {"lm/w", ""}},
    {"flux", FilterField::Flux, {"lm", ""}},
    {"watts", FilterField::Watts, {"w", ""}},
    {"beam", FilterField::Beam, {"\xC2\xB0", "deg"}},
    {"field", FilterField::Field, {"\xC2\xB0", "deg"}},
    {"imax", FilterField::Imax, {"cd", ""}},
    {"lor", FilterField::Lor, {"%", ""}},
}};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithFolded(std::string_view text, std::size_t at, std::string_view lowerPrefix)
{
    if (text.size() - at < lowerPrefix.size())
        return false;
    for (std::size_t k = 0; k < lowerPrefix.size(); ++k)
        if (LowerAscii(text[at + k]) != lowerPrefix[k])
            return false;
    return true;
}

std::size_t SkipBlanks(std::string_view text, std::size_t at)
{
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    return at;
}

std::size_t TokenEnd(std::string_view text, std::size_t at)
{
    while (at < text.size() && !IsBlank(text[at]))
        ++at;
    return at;
}

// The operator at `at` and its length; 0 when there is none.
std::size_t ReadOperator(std::string_view text, std::size_t at, FilterOp& op)
{
    if (at >= text.size())
        return 0;
    const bool equalNext = at + 1 < text.size() && text[at + 1] == '=';
    switch (text[at]) {
    case '<':
        op = equalNext ? FilterOp::LessEqual : FilterOp::Less;
        return equalNext ? 2 : 1;
    case '>':
        op = equalNext ? FilterOp::GreaterEqual : FilterOp::Greater;
        return equalNext ? 2 : 1;
    case '=':
        op = FilterOp::Equal;
        return equalNext ? 2 : 1;  // "==" reads as "="
    default:
        return 0;
    }
}

// A decimal number at `at` ("," or "." as the point, an optional sign) and
// how many bytes it took; 0 when there is none.
std::size_t ReadNumber(std::string_view text, std::size_t at, double& value, int& decimals)
{
    std::string digits;
    std::size_t k = at;
    if (k < text.size() && (text[k] == '-' || text[k] == '+'))
        digits += text[k++];
    bool any = false, point = false, comma = false;
    decimals = 0;
    for (; k < text.size(); ++k) {
        const char c = text[k];
        if (c >= '0' && c <= '9') {
            digits += c;
            any = true;
            if (point)
                ++decimals;
        } else if ((c == '.' || c == ',') && !point) {
            digits += '.';
            point = true;
            comma = c == ',';
        } else {
            break;
        }
    }
    // "1,500" is a thousand and a half to some users and one and a half to
    // others: refuse rather than guess.
    if (!any || (comma && decimals == 3))
        return 0;
    const char* first = digits.data() + (digits[0] == '+' ? 1 : 0);
    const auto [end, ec] = std::from_chars(first, digits.data() + digits.size(), value);
    if (ec != std::errc() || end != digits.data() + digits.size() || !std::isfinite(value))
        return 0;
    return k - at;
}

// A comparison at `at` when the text names a field there followed by an
// operator; `end` is where the term ends. False when it is no comparison.
bool ReadComparison(std::string_view text, std::size_t at, FilterTerm& term, std::size_t& end, bool& faulty)
{
    for (const FieldName& f : kFields) {
        if (!StartsWithFolded(text, at, f.name))
            continue;
        std::size_t k = SkipBlanks(text, at + f.name.size());
        FilterOp op{};
        const std::size_t opLength = ReadOperator(text, k, op);
        if (opLength == 0)
            return false;
        k = SkipBlanks(text, k + opLength);
        double value = 0;
        int decimals = 0;
        const std::size_t numberLength = ReadNumber(text, k, value, decimals);
        end = TokenEnd(text, k);
        faulty = numberLength == 0;
        if (!faulty) {
            const std::string unit = FoldCase(text.substr(k + numberLength, end - k - numberLength));
            faulty = !unit.empty() && unit != f.units[0] && unit != f.units[1];
        }
        term.kind = FilterTerm::Kind::Comparison;
        term.field = f.field;
        term.op = op;
        term.value = value;
        term.halfStep = 0.5 * std::pow(10.0, -decimals);
        return true;
    }
    return false;
}

bool Compare(double value, const FilterTerm& term)
{
    switch (term.op) {
    case FilterOp::Less: return value < term.value;
    case FilterOp::LessEqual: return value <= term.value;
    case FilterOp::Greater: return value > term.value;
    case FilterOp::GreaterEqual: return value >= term.value;
    case FilterOp::Equal: return value >= term.value - term.halfStep && value < term.value + term.halfStep;
    }
    return false;
}

}  // namespace

std::string FoldCase(std::string_view text)
{
    std::string out(text);
    for (std::size_t k = 0; k < out.size(); ++k) {
        const auto c = static_cast<unsigned char>(out[k]);
        if (c >= 'A' && c <= 'Z') {
            out[k] = static_cast<char>(c + 32);
        } else if (c == 0xC3 && k + 1 < out.size()) {
            // U+00C0..U+00DE are the Latin-1 capitals, but for U+00D7 (multiplication sign).
            const auto next = static_cast<unsigned char>(out[k + 1]);
            if (next >= 0x80 && next <= 0x9E && next != 0x97)
                out[k + 1] = static_cast<char>(next + 0x20);
            ++k;
        }
    }
    return out;
}

LibraryFilter ParseFilter(std::string_view text)
{
    LibraryFilter filter;
    std::size_t at = SkipBlanks(text, 0);
    while (at < text.size()) {
        const std::size_t begin = at;
        FilterTerm term;
        std::size_t end = 0;
        bool faulty = false;
        if (text[at] == '"') {
            const std::size_t close = text.find('"', at + 1);
            end = close == std::string_view::npos ? text.size() : close + 1;
            term.word = FoldCase(text.substr(at + 1, (close == std::string_view::npos ? text.size() : close) - at - 1));
        } else if (!ReadComparison(text, at, term, end, faulty)) {
            end = TokenEnd(text, at);
            const std::string_view word = text.substr(at, end - at);
            // An operator inside a word is a comparison gone wrong ("flx>3", "beam<").
            faulty = word.find_first_of("<>=") != std::string_view::npos;
            term.word = FoldCase(word);
        }
        if (faulty)
            filter.faults.push_back({begin, end - begin});
        else if (term.kind == FilterTerm::Kind::Comparison || !term.word.empty())
            filter.terms.push_back(std::move(term));
        at = SkipBlanks(text, end);
    }
    return filter;
}

std::vector<double> FilterValues(FilterField field, const PhotometricSummary& s)
{
    std::vector<double> values;
    const auto add = [&values](const std::optional<double>& v) {
        if (v)
            values.push_back(*v);
    };
    switch (field) {
    case FilterField::Flux: add(s.flux_lm); break;
    case FilterField::Watts: add(s.input_watts); break;
    case FilterField::Efficacy: add(s.efficacy_lm_per_w); break;
    case FilterField::Beam: add(s.c0_c180.beam_deg); add(s.c90_c270.beam_deg); break;
    case FilterField::Field: add(s.c0_c180.field_deg); add(s.c90_c270.field_deg); break;
    case FilterField::Imax: add(s.max_cd); break;
    case FilterField::Lor:
        // Per cent to a millionth, so that 0.83 reads as 83 and not 83.00000000000001.
        if (s.lor)
            values.push_back(std::round(*s.lor * 1e8) / 1e6);
        break;
    }
    return values;
}

bool FilterMatches(const LibraryFilter& filter, const FilterSubject& subject)
{
    std::vector<std::string> folded;  // folded once, only when a word asks
    for (const FilterTerm& term : filter.terms) {
        if (term.kind == FilterTerm::Kind::Comparison) {
            if (!subject.summary)
                return false;
            const std::vector<double> values = FilterValues(term.field, *subject.summary);
            if (std::none_of(values.begin(), values.end(), [&term](double v) { return Compare(v, term); }))
                return false;
            continue;
        }
        if (folded.empty())
            for (std::string_view text : subject.texts)
                folded.push_back(FoldCase(text));
        if (std::none_of(folded.begin(), folded.end(),
                         [&term](const std::string& text) { return text.find(term.word) != std::string::npos; }))
            return false;
    }
    return true;
}
