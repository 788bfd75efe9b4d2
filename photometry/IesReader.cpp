#include "IesReader.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <span>

#include <fast_float/fast_float.h>

#include "DecimalToken.h"
#include "TextBytes.h"

namespace {

using decimal_token::IsDigit;
using decimal_token::IsSeparator;

// Parses [first, last) as a whole decimal number: optional sign, digits with
// an optional point (either side may be empty, not both), optional exponent.
// Rejects "nan", "inf" and hex, which fast_float would otherwise take.
inline bool ParseToken(const char* first, const char* last, double& value)
{
    const char* digits = first;
    if (digits != last && *digits == '+')
        first = ++digits;  // fast_float 3.9 takes no leading plus
    else if (digits != last && *digits == '-')
        ++digits;
    if (digits == last || !(IsDigit(*digits) || *digits == '.'))
        return false;
    const auto result = fast_float::from_chars(first, last, value);
    return result.ec == std::errc() && result.ptr == last && std::isfinite(value);
}

// Walks the numeric text token by token, optionally counting lines so that
// a header fault can name its line.
class NumberScanner {
public:
    NumberScanner(const char* first, const char* last, int line)
        : pos_(first), end_(last), line_(line) {}

    // Next value; a missing or malformed token gives 0 and sets `fault`.
    double Next(bool& fault)
    {
        SkipSeparators();
        double value = 0;
        if (const char* after = decimal_token::ParseSimple(pos_, end_, value)) {
            pos_ = after;
            return value;
        }
        const char* token = pos_;
        pos_ = TokenEnd(token, end_);
        if (!ParseToken(token, pos_, value)) {
            fault = true;
            return 0;
        }
        return value;
    }

    // The next values.size() numbers, as Next gives them but without faults,
    // each divided by `divisor` (a result out of range gives 0): the hot loop
    // of a file, kept free of member loads and stores.
    void Fill(std::span<double> values, double divisor = 1)
    {
        if (divisor == 1)
            FillDivided<false>(values, divisor);
        else
            FillDivided<true>(values, divisor);
    }

    // Line of the next token; only meaningful while counting.
    int TokenLine()
    {
        SkipSeparators();
        return line_;
    }

    void StopCountingLines() { counting_ = false; }
    [[nodiscard]] const char* Position() const { return pos_; }

private:
    template <bool Divide>
    void FillDivided(std::span<double> values, double divisor)
    {
        // A fast-path value is below 1e38, so only a divisor this small can
        // make it overflow; testing every quotient would wait on each division.
        const bool tinyDivisor = Divide && divisor < 1e-250;
        const char* p = pos_;
        for (double& out : values) {
            while (p != end_ && IsSeparator(*p))
                ++p;
            double value = 0;
            if (const char* after = decimal_token::ParseSimple(p, end_, value)) {
                p = after;
                if constexpr (Divide) {
                    value /= divisor;
                    if (tinyDivisor && !std::isfinite(value))
                        value = 0;
                }
            } else {
                const char* token = p;
                p = TokenEnd(token, end_);
                if (!ParseToken(token, p, value))
                    value = 0;
                if constexpr (Divide) {
                    value /= divisor;
                    if (!std::isfinite(value))
                        value = 0;
                }
            }
            out = value;
        }
        pos_ = p;
    }

    // The end of the token at `token`. A zero byte in it ends the whole
    // text there, so that callers need not search each file for one first.
    const char* TokenEnd(const char* token, const char* end)
    {
        const char* p = token;
        while (p != end && !IsSeparator(*p) && *p != '\0')
            ++p;
        if (p != end && *p == '\0')
            end_ = p;
        return p;
    }

    void SkipSeparators()
    {
        if (!counting_) {
            while (pos_ != end_ && IsSeparator(*pos_))
                ++pos_;
            return;
        }
        while (pos_ != end_ && IsSeparator(*pos_)) {
            if (*pos_ == '\n' || (*pos_ == '\r' && (pos_ + 1 == end_ || pos_[1] != '\n')))
                ++line_;
            ++pos_;
        }
    }

    const char* pos_;
    const char* end_;
    int line_;
    bool counting_ = true;
};

bool EqualsIgnoreCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

enum class TiltKind { None, Include };

// NONE and a separate tilt file both leave the numbers right after the TILT
// line; only INCLUDE puts a tilt block there. A file without any TILT line
// is read as if the block stood at its start, as old readers do.
TiltKind ClassifyTilt(const HeaderSplit& split)
{
    if (!split.hasTilt)
        return TiltKind::Include;
    return EqualsIgnoreCase(Trimmed(split.tiltValue), "include") ? TiltKind::Include : TiltKind::None;
}

}  // namespace

std::string_view FileText(std::string_view bytes)
{
    const void* nul = std::memchr(bytes.data(), 0, bytes.size());
    return nul ? bytes.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - bytes.data())) : bytes;
}

namespace {

// The first CR, LF or NUL at or after `pos`, or the text's size.
std::size_t LineEnd(std::string_view text, std::size_t pos)
{
    while (pos < text.size() && text[pos] != '\r' && text[pos] != '\n' && text[pos] != '\0')
        ++pos;
    return pos;
}

// Where the line ending at `eol` is followed by the next one.
std::size_t NextLine(std::string_view text, std::size_t eol)
{
    if (eol >= text.size())
        return text.size();
    return (text[eol] == '\r' && eol + 1 < text.size() && text[eol + 1] == '\n') ? eol + 2 : eol + 1;
}

}  // namespace

HeaderSplit SplitHeader(std::string_view text)
{
    HeaderSplit split;
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    // Only a line's first "=" can make it the TILT line, so jump from one "="
    // to the next instead of walking every line: a file of millions of empty
    // lines is then crossed at memchr speed. Every byte is looked at at most
    // twice, since the walk back to a line's start stops at the last "=".
    const char* searched = begin;
    while (searched < end) {
        const char* equals = static_cast<const char*>(std::memchr(searched, '=', static_cast<std::size_t>(end - searched)));
        if (!equals)
            break;
        const char* lineStart = equals;
        while (lineStart > searched && lineStart[-1] != '\r' && lineStart[-1] != '\n')
            --lineStart;
        const bool firstEqualsOfLine = lineStart != searched || searched == begin;
        searched = equals + 1;
        if (!firstEqualsOfLine || !EqualsIgnoreCase(std::string_view(lineStart, static_cast<std::size_t>(equals - lineStart)), "TILT"))
            continue;
        // A zero byte ends the text: one before this line means there is no TILT line.
        const std::size_t start = static_cast<std::size_t>(lineStart - begin);
        if (std::memchr(begin, 0, start) != nullptr)
            break;
        const std::size_t eol = LineEnd(text, static_cast<std::size_t>(equals - begin));
        const std::size_t next = (eol < text.size() && text[eol] == '\0') ? eol : NextLine(text, eol);
        int line = 1;
        for (const char* p = begin; p < lineStart; ++p)
            if (*p == '\n' || (*p == '\r' && (p + 1 == end || p[1] != '\n')))
                ++line;
        split.hasTilt = true;
        split.tiltValue = text.substr(static_cast<std::size_t>(equals + 1 - begin), eol - static_cast<std::size_t>(equals + 1 - begin));
        split.numericOffset = next;
        split.numericFirstLine = line + 1;
        split.headerLines = text.substr(0, next);
        return split;
    }
    return split;  // no TILT line: empty header, the whole text is numeric
}

std::string HeaderText(const HeaderSplit& split)
{
    const std::string_view lines = split.headerLines;
    std::string header;
    header.reserve(lines.size() + 2);
    for (std::size_t p = 0; p < lines.size();) {
        const std::size_t e = LineEnd(lines, p);
        header.append(lines.substr(p, e - p));
        header.append("\r\n");
        if (e < lines.size() && lines[e] == '\0')
            break;
        p = NextLine(lines, e);
    }
    return header;
}

double NextNumber(std::string_view& text, bool& fault)
{
    NumberScanner scanner(text.data(), text.data() + text.size(), 1);
    scanner.StopCountingLines();
    const double value = scanner.Next(fault);
    std::size_t consumed = static_cast<std::size_t>(scanner.Position() - text.data());
    if (consumed < text.size())
        ++consumed;  // the separator that ended the token
    text.remove_prefix(consumed);
    return value;
}

ReadResult ReadIes(std::string_view fileText, tIES& ies)
{
    return ReadIes(fileText, SplitHeader(fileText), ies);
}

namespace {

// Takes the tilt block and the 13 header values off `in` into `ies`, as far
// as both ReadIes and ReadIesHeader go: the header fault, or the refusal of
// counts too large to hold. `divisor` gets the normalisation divisor.
ReadResult TakeHeaderValues(NumberScanner& in, const HeaderSplit& split, std::size_t numericSize, tIES& ies,
                            double& divisor)
{
    ReadResult result;
    bool fault = false;
    if (ClassifyTilt(split) == TiltKind::Include) {
        in.Next(fault);  // lamp-to-luminaire geometry
        const double count = in.Next(fault);
        // A tilt block longer than the text is simply consumed to its end.
        const double pairs = std::isfinite(count) ? std::nearbyint(count) : 0;
        if (pairs > 0) {
            const double toSkip = std::min(2 * pairs, static_cast<double>(numericSize) + 1);
            for (double i = 0; i < toSkip; ++i)
                in.Next(fault);
        }
    }

    fault = false;
    auto header = [&](double& value) {
        const int line = in.TokenLine();
        bool thisFault = false;
        value = in.Next(thisFault);
        if (thisFault && !fault) {
            fault = true;
            result.faultLine = line;
        }
    };
    double lampCount = 0, vertCount = 0, horzCount = 0, photometricType = 0, unitsType = 0;
    header(lampCount);
    header(ies.LampLumens);
    header(ies.Multiplier);
    // Relative photometry is kept per 1000 lamp lumens. Absolute photometry
    // (lumens -1) and a zero lumens value have nothing to normalise by.
    divisor = 1;
    if (ies.LampLumens != 1000 && ies.Multiplier == 1 && ies.LampLumens > 0) {
        ies.Multiplier = ies.LampLumens / 1000;
        divisor = ies.Multiplier;
    }
    header(vertCount);
    header(horzCount);
    header(photometricType);
    header(unitsType);
    header(ies.Width);
    header(ies.Length);
    header(ies.Height);
    header(ies.BallastFactor);
    header(ies.BallastLampFactor);
    header(ies.InputWattsExact);
    in.StopCountingLines();
    ies.LampCount = RoundToU16(lampCount);
    ies.VertCount = RoundToU16(vertCount);
    ies.HorzCount = RoundToU16(horzCount);
    ies.PhotometricType = RoundToU16(photometricType);
    ies.UnitsType = RoundToU16(unitsType);
    ies.InputWatts = RoundToU16(ies.InputWattsExact);

    const std::size_t values = std::size_t{ies.VertCount} * ies.HorzCount;
    if (values > kMaxCandelaValues) {
        const std::string counts = std::to_string(ies.VertCount) + " x " + std::to_string(ies.HorzCount);
        ClearIes(ies);
        result.status = ReadResult::Status::Refused;
        result.message = "The file declares " + counts +
                         " candela values, more than this program reads (" +
                         std::to_string(kMaxCandelaValues) + ").";
        return result;
    }
    if (fault) {
        result.status = ReadResult::Status::HeaderFault;
        result.message = "Line " + std::to_string(result.faultLine);
    }
    return result;
}

}  // namespace

ReadResult ReadIes(std::string_view fileText, const HeaderSplit& split, tIES& ies)
{
    ClearIes(ies);
    const std::string_view numeric = fileText.substr(split.numericOffset);
    NumberScanner in(numeric.data(), numeric.data() + numeric.size(), split.numericFirstLine);
    double divisor = 1;
    ReadResult result = TakeHeaderValues(in, split, numeric.size(), ies, divisor);
    if (!result.Read())
        return result;

    ies.VertAngles.resize(ies.VertCount);
    in.Fill(ies.VertAngles);
    ies.HorzAngles.resize(ies.HorzCount);
    in.Fill(ies.HorzAngles);
    ies.Candela.resize(ies.HorzCount);
    for (tArrEx& row : ies.Candela) {
        row.resize(ies.VertCount);
        in.Fill(row, divisor);
    }
    return result;
}

ReadResult ReadIesHeader(std::string_view fileText, const HeaderSplit& split, tIES& ies, std::size_t& headerEnd)
{
    ClearIes(ies);
    const std::string_view numeric = fileText.substr(split.numericOffset);
    NumberScanner in(numeric.data(), numeric.data() + numeric.size(), split.numericFirstLine);
    double divisor = 1;
    ReadResult result = TakeHeaderValues(in, split, numeric.size(), ies, divisor);
    headerEnd = split.numericOffset + static_cast<std::size_t>(in.Position() - numeric.data());
    return result;
}
