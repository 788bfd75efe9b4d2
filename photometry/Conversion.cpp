#include "Conversion.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>

#include "AtomicFile.h"
#include "FormatSave.h"
#include "KandoraVersion.h"
#include "Calculations.h"
#include "Keywords.h"

namespace {

constexpr std::size_t kWrapWidth = 60;
constexpr const char* kUnexpected = "Unexpected error.";
constexpr const char* kGridsDiffer =
    "Cannot convert to type C: the horizontal angles and the vertical angles from 0 do not lie on the same grid.";
constexpr const char* kNotConvertible = "Neither type B nor starting at 90 degrees.";

std::string ChangedLine(ConversionKind kind)
{
    const char* what = kind == ConversionKind::TypeC ? "Converted from type B" : "Rotated from 90 to 0";
    return std::string("[CHANGED] ") + what + " by " + std::string(kChangeMarker) + " " + kKandoraNameVersion;
}

void AppendWhole(std::string& line, unsigned value)
{
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    line.append(buffer, result.ptr);
}

// Appends each value and one space, as the number lines of the body are built.
class NumberLine {
public:
    NumberLine& Add(double value)
    {
        text_ += FormatIesNumber(value);
        text_ += ' ';
        return *this;
    }
    [[nodiscard]] std::string Wrapped() const { return WrapLine(text_); }

private:
    std::string text_;
};

// Every array holds the counts it claims; a record from the reader always does.
bool Consistent(const tIES& ies)
{
    if (ies.VertAngles.size() != ies.VertCount || ies.HorzAngles.size() != ies.HorzCount ||
        ies.Candela.size() != ies.HorzCount)
        return false;
    for (const tArrEx& row : ies.Candela)
        if (row.size() != ies.VertCount)
            return false;
    return true;
}

// Lines 1 to 4 and the two header number lines.
std::vector<std::string> Head(const tIES& ies, const EntryTexts& texts, ConversionKind kind,
                              unsigned vertCount, unsigned horzCount)
{
    std::string numbers;
    AppendWhole(numbers, ies.LampCount);
    for (double value : {ies.LampLumens, ies.Multiplier}) {
        numbers += ' ';
        numbers += FormatIesNumber(value);
    }
    for (unsigned value : {vertCount, horzCount, 1u, unsigned{ies.UnitsType}}) {
        numbers += ' ';
        AppendWhole(numbers, value);
    }
    for (double value : {ies.Width, ies.Length, ies.Height}) {
        numbers += ' ';
        numbers += FormatIesNumber(value);
    }
    // Line 6 carries the source's factors and watts exactly as read.
    const std::string watts = FormatIesNumber(ies.BallastFactor) + ' ' + FormatIesNumber(ies.BallastLampFactor) + ' ' +
                              FormatIesNumber(ies.InputWattsExact);
    return {"IESNA91", KeywordText(texts, KeywordForm::KeywordLines), ChangedLine(kind), "TILT=NONE",
            WrapLine(numbers), WrapLine(watts)};
}

std::vector<std::string> Rotated(const tIES& ies, const EntryTexts& texts)
{
    std::vector<std::string> lines = Head(ies, texts, ConversionKind::Rotation, ies.VertCount, ies.HorzCount);
    lines.reserve(lines.size() + 2 + ies.Candela.size());
    NumberLine vertical;
    for (double angle : ies.VertAngles)
        vertical.Add(angle);
    lines.push_back(vertical.Wrapped());
    NumberLine horizontal;
    for (double angle : ies.HorzAngles)
        horizontal.Add(angle - 90);
    lines.push_back(horizontal.Wrapped());
    for (const tArrEx& row : ies.Candela) {
        NumberLine values;
        for (double value : row)
            values.Add(value);
        lines.push_back(values.Wrapped());
    }
    return lines;
}

enum class Variant { FromZero, BelowZero, Full };

// The planes of a type B file as type C: gamma angles are its horizontal
// angles, C0 and C180 its row of horizontal angle 0, C90 and C270 its column
// of vertical angle 0. Every plane must follow the gamma angles written,
// angle for angle, or the file's counts would not match its values.
ConversionText Converted(const tIES& ies, const EntryTexts& texts)
{
    ConversionText out{ConversionKind::TypeC, ConversionFault::Unexpected, kUnexpected, {}};
    const tArrEx& va = ies.VertAngles;
    const tArrEx& ha = ies.HorzAngles;
    const int v = ies.VertCount;
    const int h = ies.HorzCount;
    const bool full = v > 0 && h > 0 && va[static_cast<std::size_t>(v - 1)] - va[0] >= 180 && va[0] < 0 && ha[0] < 0;
    const int vz = ZeroVertIndex(ies);
    const Variant variant = full ? Variant::Full : vz == 0 ? Variant::FromZero : Variant::BelowZero;
    if (vz < 0 || (full && vz == 0))
        return out;

    out.fault = ConversionFault::GridsDiffer;
    out.message = kGridsDiffer;
    // In the full variant vz is also the row of horizontal angle 0.
    const int first = full ? vz : 0;
    if (first >= h)
        return out;
    const auto gamma = [&](int i) { return ha[static_cast<std::size_t>(first + i)]; };
    const int gammaCount = h - first;
    const int written = full ? (h - 1) / 2 + 1 : h;
    if (gammaCount != written || v - vz != gammaCount)
        return out;
    for (int i = 0; i < gammaCount; ++i)
        if (va[static_cast<std::size_t>(vz + i)] != gamma(i))
            return out;
    if (variant != Variant::FromZero) {
        if (vz + 1 != gammaCount)
            return out;
        for (int i = 0; i <= vz; ++i) {
            if (-va[static_cast<std::size_t>(vz - i)] != gamma(i))
                return out;
            if (full && -ha[static_cast<std::size_t>(vz - i)] != gamma(i))
                return out;
        }
    }

    const std::vector<double>& zeroRow = ies.Candela[static_cast<std::size_t>(ZeroPlaneIndex(ies))];
    const auto column = [&](int row) { return ies.Candela[static_cast<std::size_t>(row)][static_cast<std::size_t>(vz)]; };
    const unsigned planes = variant == Variant::Full ? 4 : variant == Variant::BelowZero ? 3 : 2;
    out.lines = Head(ies, texts, ConversionKind::TypeC, static_cast<unsigned>(written), planes);
    NumberLine gammas;
    for (int i = 0; i < gammaCount; ++i)
        gammas.Add(gamma(i));
    out.lines.push_back(gammas.Wrapped());
    out.lines.emplace_back(planes == 4 ? "0 90 180 270" : planes == 3 ? "0 90 180" : "0 90");
    NumberLine c0;
    NumberLine c90;
    for (int i = 0; i < gammaCount; ++i) {
        c0.Add(zeroRow[static_cast<std::size_t>(vz + i)]);
        c90.Add(column(first + i));
    }
    out.lines.push_back(c0.Wrapped());
    out.lines.push_back(c90.Wrapped());
    if (planes >= 3) {
        NumberLine c180;
        for (int i = vz; i >= 0; --i)
            c180.Add(zeroRow[static_cast<std::size_t>(i)]);
        out.lines.push_back(c180.Wrapped());
    }
    if (planes == 4) {
        NumberLine c270;
        for (int i = vz; i >= 0; --i)
            c270.Add(column(i));
        out.lines.push_back(c270.Wrapped());
    }
    out.fault = ConversionFault::None;
    out.message.clear();
    return out;
}

}  // namespace

ConversionKind ChooseConversion(const tIES& ies)
{
    if (ies.PhotometricType == 2)
        return ConversionKind::TypeC;
    if (!ies.HorzAngles.empty() && ies.HorzAngles[0] == 90)
        return ConversionKind::Rotation;
    return ConversionKind::None;
}

int ZeroVertIndex(const tIES& ies)
{
    const std::size_t count = std::min<std::size_t>(ies.VertCount, ies.VertAngles.size());
    for (std::size_t i = 0; i < count; ++i)
        if (ies.VertAngles[i] == 0)
            return static_cast<int>(i);
    return -1;
}

ConversionText BuildConversion(const tIES& ies, const EntryTexts& texts)
{
    const ConversionKind kind = ChooseConversion(ies);
    if (kind == ConversionKind::None)
        return {kind, ConversionFault::NotConvertible, kNotConvertible, {}};
    if (!Consistent(ies))
        return {kind, ConversionFault::Unexpected, kUnexpected, {}};
    if (kind == ConversionKind::Rotation)
        return {kind, ConversionFault::None, {}, Rotated(ies, texts)};
    return Converted(ies, texts);
}

std::string ConvertedName(std::string_view name, ConversionKind kind)
{
    const std::string_view suffix = kind == ConversionKind::TypeC ? "_C" : "_R";
    const std::size_t dot = name.rfind('.');
    const std::string_view base = dot == std::string_view::npos ? name : name.substr(0, dot);
    const std::string_view extension = dot == std::string_view::npos ? std::string_view() : name.substr(dot);
    std::string result(base);
    result += suffix;
    result += extension;
    return result;
}

std::string JoinLines(std::vector<std::string>&& lines)
{
    std::size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 2;
    std::string bytes;
    bytes.reserve(size);
    for (std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
        std::string().swap(line);
    }
    return bytes;
}

ConversionResult SaveConversion(const tIES& ies, const EntryTexts& texts, const std::string& folder)
{
    ConversionResult result;
    ConversionText text = BuildConversion(ies, texts);
    result.kind = text.kind;
    result.fault = text.fault;
    result.message = std::move(text.message);
    result.oldName = texts.fileName;
    if (result.oldName.empty() && result.Written()) {
        result.fault = ConversionFault::Unexpected;
        result.message = kUnexpected;
    }
    if (!result.Written())
        return result;
    result.newName = ConvertedName(result.oldName, result.kind);
    // The file written is IES whatever the source was: a EULUMDAT file's
    // rotation must not come out under a name the EULUMDAT reader claims.
    if (FormatOfName(result.oldName).value_or(PhotometricFormat::Ies) != PhotometricFormat::Ies)
        result.newName = FormatConvertedName(result.newName, PhotometricFormat::Ies);
    result.newPath = folder;
    if (!result.newPath.empty() && result.newPath.back() != '/')
        result.newPath += '/';
    result.newPath += result.newName;
    std::string error = WriteFileAtomically(result.newPath, JoinLines(std::move(text.lines)));
    if (!error.empty()) {
        result.fault = ConversionFault::WriteFailed;
        result.message = std::move(error);
    }
    return result;
}

std::string FormatIesNumber(double value)
{
    char buffer[64];
    if (!std::isfinite(value)) {
        // The reader never stores these; say what the value is rather than inventing one.
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        return std::string(buffer, result.ptr);
    }
    if (value == 0)
        return "0";  // also for -0
    // 15 significant digits, correctly rounded: "d.ddddddddddddddde[+-]x".
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    std::string out;
    if (text.front() == '-') {
        out += '-';
        text.remove_prefix(1);
    }
    const std::size_t e = text.find('e');
    std::string digits(1, text[0]);
    digits.append(text.substr(2, e - 2));
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    std::string_view exponentText = text.substr(e + 1);
    if (exponentText.front() == '+')
        exponentText.remove_prefix(1);
    int exponent = 0;
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);

    if (exponent < -5 || exponent >= 15) {
        out += digits[0];
        if (digits.size() > 1) {
            out += '.';
            out.append(digits, 1);
        }
        out += 'E';
        const auto written = std::to_chars(buffer, buffer + sizeof buffer, exponent);
        out.append(buffer, written.ptr);
    } else if (exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
    } else {
        const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= whole) {
            out += digits;
            out.append(whole - digits.size(), '0');
        } else {
            out.append(digits, 0, whole);
            out += '.';
            out.append(digits, whole);
        }
    }
    return out;
}

std::string WrapLine(std::string_view line)
{
    std::string text(line);
    for (char& c : text)
        if (c == ',')
            c = '.';
    if (text.size() <= kWrapWidth)
        return text;
    std::string result;
    result.reserve(text.size() + text.size() / 25);
    std::size_t start = 0;
    while (text.size() - start > kWrapWidth) {
        const std::size_t space = std::string_view(text).substr(start, kWrapWidth).rfind(' ');
        const std::size_t cut = space == std::string_view::npos ? kWrapWidth : space + 1;
        result.append(text, start, cut);
        result += "\r\n";
        start += cut;
    }
    result.append(text, start);
    return result;
}
