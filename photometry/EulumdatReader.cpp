#include "EulumdatReader.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <span>

#include <fast_float/fast_float.h>

#include "DecimalToken.h"
#include "TextBytes.h"

namespace {

using decimal_token::IsBlank;
using decimal_token::IsDigit;

// A whole token as one decimal number, a comma standing for the point.
// Rejects "nan", "inf", hex and anything out of the double range.
bool ParseWhole(const char* first, const char* last, double& value)
{
    std::string copy(first, last);
    for (char& c : copy)
        if (c == ',')
            c = '.';
    const char* p = copy.data();
    const char* const end = p + copy.size();
    const char* digits = p;
    if (digits != end && *digits == '+')
        p = ++digits;  // fast_float takes no leading plus
    else if (digits != end && *digits == '-')
        ++digits;
    if (digits == end || !(IsDigit(*digits) || *digits == '.'))
        return false;
    const auto result = fast_float::from_chars(p, end, value);
    return result.ec == std::errc() && result.ptr == end && std::isfinite(value);
}

// One number off the front of `text` (blanks skipped): true and the value,
// or false with `at` the token that is not a number. The end of the text
// gives false with `at` at the end.
inline bool TakeNumber(const char*& p, const char* end, double& value, const char*& at)
{
    while (p != end && IsBlank(*p))
        ++p;
    at = p;
    if (p == end)
        return false;
    if (const char* after = decimal_token::ParseSimpleComma(p, end, value)) {
        p = after;
        return true;
    }
    while (p != end && !IsBlank(*p))
        ++p;
    return ParseWhole(at, p, value);
}

// The text's lines, read one by one; a blank line is a line like any other.
// Lines end at CR LF, a lone CR or a lone LF.
class Lines {
public:
    explicit Lines(std::string_view text) : text_(text) {}

    bool Next(std::string_view& line)
    {
        if (pos_ >= text_.size())
            return false;
        std::size_t e = pos_;
        while (e < text_.size() && text_[e] != '\r' && text_[e] != '\n')
            ++e;
        line = text_.substr(pos_, e - pos_);
        pos_ = e >= text_.size() ? e : (text_[e] == '\r' && e + 1 < text_.size() && text_[e + 1] == '\n') ? e + 2 : e + 1;
        ++number_;
        return true;
    }

    [[nodiscard]] int Number() const { return number_; }  // of the line last taken
    [[nodiscard]] std::size_t Position() const { return pos_; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
    int number_ = 0;
};

// Line ends in [first, last): CR LF counts once.
int LineEndsIn(const char* first, const char* last)
{
    int count = 0;
    for (const char* p = first; p != last; ++p)
        if (*p == '\n' || (*p == '\r' && (p + 1 == last || p[1] != '\n')))
            ++count;
    return count;
}

// Reads the items in order, keeping the first fault and the refusal.
class Reader {
public:
    explicit Reader(std::string_view text) : text_(text), lines_(text) {}

    ReadResult& Result() { return result_; }

    // A text item; false (and the refusal) when the file has ended.
    bool Text(std::string& out, std::string_view what)
    {
        std::string_view line;
        if (!NextLine(line, what))
            return false;
        out = TextToUtf8(Trimmed(line));
        return true;
    }

    // A numeric item: its first number, 0 for an empty line. A line that
    // does not start with a number gives 0 and a fault; `valid` tells which.
    bool Number(double& out, std::string_view what, bool* valid = nullptr)
    {
        std::string_view line;
        if (!NextLine(line, what))
            return false;
        out = 0;
        const char* p = line.data();
        const char* at = nullptr;
        double value = 0;
        bool ok = true;
        if (!Trimmed(line).empty()) {
            ok = TakeNumber(p, line.data() + line.size(), value, at);
            if (ok)
                out = value;
        }
        if (valid)
            *valid = ok;
        else if (!ok)
            Fault(lines_.Number());
        return true;
    }

    // A count or indicator, rounded; its bad token refuses the file when the
    // layout depends on it (`needed`), else it is a fault and 0.
    bool Whole(int& out, std::string_view what, bool needed)
    {
        double value = 0;
        bool valid = true;
        if (!Number(value, what, &valid))
            return false;
        if (!valid) {
            if (needed)
                return Refuse(lines_.Number(), "Line " + Line() + ": " + Named(what) + " is not a number.");
            Fault(lines_.Number());
        }
        value = std::nearbyint(value);
        out = static_cast<int>(std::clamp(value, -1e9, 1e9));
        return true;
    }

    bool Refuse(int line, std::string message)
    {
        result_.status = ReadResult::Status::Refused;
        result_.faultLine = line;
        result_.message = std::move(message);
        return false;
    }

    void Fault(int line)
    {
        if (result_.status != ReadResult::Status::Ok)
            return;
        result_.status = ReadResult::Status::HeaderFault;
        result_.faultLine = line;
        result_.message = "Line " + std::to_string(line);
    }

    [[nodiscard]] std::string Line() const { return std::to_string(lines_.Number()); }
    [[nodiscard]] int LineNumber() const { return lines_.Number(); }
    Lines& LinesRead() { return lines_; }
    [[nodiscard]] std::string_view Text() const { return text_; }

    // Refuses the file for ending before `what`.
    bool EndsBefore(std::string_view what)
    {
        const int last = LastLine();
        return Refuse(last, "The file ends after line " + std::to_string(last) + ", before " + Named(what) + ".");
    }

    // Items read from here on belong to lamp set `set` (from 1), or to none (0).
    void InLampSet(int set) { lampSet_ = set; }

    // Number of the text's last line (0 for an empty text).
    [[nodiscard]] int LastLine() const
    {
        if (text_.empty())
            return 0;
        const int ends = LineEndsIn(text_.data(), text_.data() + text_.size());
        const char back = text_.back();
        return back == '\n' || back == '\r' ? ends : ends + 1;
    }

private:
    // What an item is called in a message; the names are made only for one.
    [[nodiscard]] std::string Named(std::string_view what) const
    {
        std::string name = lampSet_ > 0 ? "lamp set " + std::to_string(lampSet_) + "'s " : std::string();
        name += what;
        return name;
    }

    bool NextLine(std::string_view& line, std::string_view what)
    {
        if (lines_.Next(line))
            return true;
        if (text_.empty())
            return Refuse(0, "The file is empty.");
        return EndsBefore(what);
    }

    std::string_view text_;
    Lines lines_;
    ReadResult result_;
    int lampSet_ = 0;
};

// The numbers of the angle and intensity blocks, several to a line or one,
// blank lines skipped.
class Numbers {
public:
    Numbers(const char* first, const char* last, int line) : start_(first), p_(first), end_(last), line_(line) {}

    // Whether the rest of the text could hold `count` numbers at all: one
    // character each and a blank between. Checked before allocating them.
    [[nodiscard]] bool CouldHold(std::size_t count) const
    {
        return count <= (static_cast<std::size_t>(end_ - p_) + 1) / 2;
    }

    // Fills `values`; false when the text ends first. A token that is not a
    // number gives 0, and the first one is remembered for the fault.
    bool Fill(std::span<double> values)
    {
        const char* p = p_;
        for (double& out : values) {
            while (p != end_ && IsBlank(*p))
                ++p;
            if (p == end_) {
                p_ = p;
                return false;
            }
            double value = 0;
            if (const char* after = decimal_token::ParseSimpleComma(p, end_, value)) {
                p = after;
            } else {
                const char* token = p;
                while (p != end_ && !IsBlank(*p))
                    ++p;
                if (!ParseWhole(token, p, value)) {
                    value = 0;
                    if (!bad_)
                        bad_ = token;
                }
            }
            out = value;
        }
        p_ = p;
        return true;
    }

    // Line of the first bad token, or 0.
    [[nodiscard]] int BadLine() const { return bad_ ? line_ + LineEndsIn(start_, bad_) : 0; }

private:
    const char* start_;
    const char* p_;
    const char* end_;
    int line_;  // line number at start_
    const char* bad_ = nullptr;
};

// The ten direct ratios, line by line: an empty line stands for 0 and a
// line may hold several. Where the tenth ends inside a line, the blocks
// that follow begin right after it: `next` gets that place.
bool ReadDirectRatios(Reader& in, std::array<double, 10>& ratios, const char*& next, int& nextLine)
{
    std::size_t filled = 0;
    Lines& lines = in.LinesRead();
    const std::string_view text = in.Text();
    while (filled < ratios.size()) {
        std::string_view line;
        if (!lines.Next(line))
            return in.EndsBefore("its direct ratios");
        const char* p = line.data();
        const char* const end = p + line.size();
        if (Trimmed(line).empty()) {
            ratios[filled++] = 0;
            continue;
        }
        while (filled < ratios.size()) {
            double value = 0;
            const char* at = nullptr;
            if (TakeNumber(p, end, value, at)) {
                ratios[filled++] = value;
            } else if (at == end) {
                break;
            } else {
                ratios[filled++] = 0;
                in.Fault(lines.Number());
            }
        }
        const char* rest = p;
        while (rest != end && IsBlank(*rest))
            ++rest;
        if (filled == ratios.size() && rest != end) {
            next = rest;
            nextLine = lines.Number();
            return true;
        }
    }
    next = text.data() + lines.Position();
    nextLine = lines.Number() + 1;
    return true;
}

std::string SymmetryNeeds(int isym)
{
    switch (isym) {
    case 0: return "at least one C-plane";
    case 2: return "an even number of C-planes";
    default: return "a number of C-planes divisible by 4";
    }
}

}  // namespace

int StoredPlaneCount(int isym, int nc)
{
    switch (isym) {
    case 0: return nc >= 1 ? nc : -1;
    case 1: return nc >= 0 ? 1 : -1;
    case 2: return nc >= 2 && nc % 2 == 0 ? nc / 2 + 1 : -1;
    case 3:
    case 4: return nc >= 4 && nc % 4 == 0 ? nc / 4 * (isym == 3 ? 2 : 1) + 1 : -1;
    default: return -1;
    }
}

int FirstStoredPlane(int isym, int nc)
{
    return isym == 3 ? nc / 4 * 3 : 0;
}

namespace {

ReadResult Read(std::string_view bytes, EulumdatFile& file, bool headerOnly, std::size_t* end = nullptr)
{
    file = EulumdatFile{};
    std::string_view text = FileText(bytes);
    const std::size_t mark = text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    text.remove_prefix(mark);
    Reader in(text);
    // Where the reading stopped, on every way out.
    struct EndReport {
        Reader& in;
        std::size_t mark;
        std::size_t* end;
        ~EndReport()
        {
            if (end)
                *end = mark + in.LinesRead().Position();
        }
    } report{in, mark, end};
    EulumdatFile f;
    const auto refused = [&]() { return in.Result(); };

    if (!in.Text(f.Company, "the company name (item 1)"))
        return refused();
    // A file saved twice by an editor may start with more than one mark;
    // none belongs to the name, or a file written from it would lose it.
    std::string_view company = f.Company;
    while (company.starts_with("\xEF\xBB\xBF"))
        company = Trimmed(company.substr(3));
    f.Company = std::string(company);
    if (!in.Whole(f.Ityp, "the type indicator (item 2)", false) ||
        !in.Whole(f.Isym, "the symmetry indicator (item 3)", true))
        return refused();
    if (f.Isym < 0 || f.Isym > 4) {
        in.Refuse(in.LineNumber(), "Line " + in.Line() + ": the symmetry indicator is " + std::to_string(f.Isym) +
                                       "; it must be 0 to 4.");
        return refused();
    }
    if (!in.Whole(f.Nc, "the number of C-planes (item 4)", true))
        return refused();
    if (f.Nc < 0 || f.Nc > kMaxEulumdatPlanes) {
        in.Refuse(in.LineNumber(), "Line " + in.Line() + ": the file declares " + std::to_string(f.Nc) +
                                       " C-planes, " +
                                       (f.Nc < 0 ? std::string("a negative number.")
                                                 : "more than this program reads (" +
                                                       std::to_string(kMaxEulumdatPlanes) + ")."));
        return refused();
    }
    const int stored = StoredPlaneCount(f.Isym, f.Nc);
    if (stored < 0) {
        in.Refuse(in.LineNumber(), "Line " + in.Line() + ": symmetry " + std::to_string(f.Isym) + " needs " +
                                       SymmetryNeeds(f.Isym) + ", not " + std::to_string(f.Nc) + ".");
        return refused();
    }
    if (stored > kMaxEulumdatStoredPlanes) {
        in.Refuse(in.LineNumber(), "Line " + in.Line() + ": the file stores " + std::to_string(stored) +
                                       " C-planes, more than this program reads (" +
                                       std::to_string(kMaxEulumdatStoredPlanes) + ").");
        return refused();
    }
    if (!in.Number(f.Dc, "the C-plane spacing (item 5)") || !in.Whole(f.Ng, "the number of gamma angles (item 6)", true))
        return refused();
    if (f.Ng < 0 || f.Ng > kMaxEulumdatGammas) {
        in.Refuse(in.LineNumber(), "Line " + in.Line() + ": the file declares " + std::to_string(f.Ng) +
                                       " intensities per plane, " +
                                       (f.Ng < 0 ? std::string("a negative number.")
                                                 : "more than this program reads (" +
                                                       std::to_string(kMaxEulumdatGammas) + ")."));
        return refused();
    }
    if (static_cast<std::size_t>(stored) * static_cast<std::size_t>(f.Ng) > kMaxCandelaValues) {
        in.Refuse(in.LineNumber(), "The file declares " + std::to_string(stored) + " x " + std::to_string(f.Ng) +
                                       " intensities, more than this program reads (" +
                                       std::to_string(kMaxCandelaValues) + ").");
        return refused();
    }
    double* const dimensions[] = {&f.LuminaireLength, &f.LuminaireWidth, &f.LuminaireHeight, &f.AreaLength,
                                  &f.AreaWidth, &f.AreaHeights[0], &f.AreaHeights[1], &f.AreaHeights[2],
                                  &f.AreaHeights[3], &f.DownwardFlux, &f.Lorl, &f.ConversionFactor, &f.Tilt};
    const char* const dimensionNames[] = {
        "the luminaire's length (item 13)", "the luminaire's width (item 14)", "the luminaire's height (item 15)",
        "the luminous area's length (item 16)", "the luminous area's width (item 17)",
        "the luminous area's height at C0 (item 18)", "the luminous area's height at C90 (item 19)",
        "the luminous area's height at C180 (item 20)", "the luminous area's height at C270 (item 21)",
        "the downward flux fraction (item 22)", "the light output ratio (item 23)",
        "the conversion factor (item 24)", "the tilt (item 25)"};
    if (!in.Number(f.Dg, "the gamma spacing (item 7)") || !in.Text(f.ReportNumber, "the report number (item 8)") ||
        !in.Text(f.LuminaireName, "the luminaire's name (item 9)") ||
        !in.Text(f.LuminaireNumber, "the luminaire's number (item 10)") ||
        !in.Text(f.FileName, "the file name (item 11)") || !in.Text(f.DateUser, "the date and user (item 12)"))
        return refused();
    for (std::size_t i = 0; i < std::size(dimensions); ++i)
        if (!in.Number(*dimensions[i], dimensionNames[i]))
            return refused();

    int sets = 0;
    if (!in.Whole(sets, "the number of lamp sets (item 26)", true))
        return refused();
    if (sets < 1 || sets > kMaxEulumdatLampSets) {
        in.Refuse(in.LineNumber(), "Line " + in.Line() + ": the file declares " + std::to_string(sets) + " lamp sets" +
                                       (sets < 1 ? std::string("; it needs at least one.")
                                                 : ", more than this program reads (" +
                                                       std::to_string(kMaxEulumdatLampSets) + ")."));
        return refused();
    }
    for (int i = 0; i < sets; ++i) {
        in.InLampSet(i + 1);
        EulumdatLampSet lamp;
        if (!in.Whole(lamp.Count, "number of lamps", false) || !in.Text(lamp.Type, "lamp type") ||
            !in.Number(lamp.Flux, "flux") || !in.Text(lamp.ColourTemperature, "colour temperature") ||
            !in.Text(lamp.ColourRendering, "colour rendering") || !in.Number(lamp.Watts, "wattage"))
            return refused();
        f.LampSets.push_back(std::move(lamp));
    }
    in.InLampSet(0);

    if (headerOnly) {
        file = std::move(f);
        return in.Result();
    }
    const char* next = nullptr;
    int nextLine = 0;
    if (!ReadDirectRatios(in, f.DirectRatios, next, nextLine))
        return refused();

    Numbers numbers(next, text.data() + text.size(), nextLine);
    // The block's name is made only when the text ends before it does.
    const auto ends = [&](std::size_t count, const char* what) {
        return in.EndsBefore("all " + std::to_string(count) + " " + what);
    };
    const auto block = [&](tArrEx& values, std::size_t count, const char* what) {
        if (!numbers.CouldHold(count))
            return ends(count, what);
        values.resize(count);
        return numbers.Fill(values) || ends(count, what);
    };
    const std::size_t intensities = static_cast<std::size_t>(stored) * static_cast<std::size_t>(f.Ng);
    if (!block(f.CAngles, static_cast<std::size_t>(f.Nc), "C-angles") ||
        !block(f.GAngles, static_cast<std::size_t>(f.Ng), "gamma angles"))
        return refused();
    if (!numbers.CouldHold(intensities)) {
        ends(intensities, "intensities");
        return refused();
    }
    f.Intensities.resize(static_cast<std::size_t>(stored));
    for (tArrEx& row : f.Intensities) {
        row.resize(static_cast<std::size_t>(f.Ng));
        if (!numbers.Fill(row)) {
            ends(intensities, "intensities");
            return refused();
        }
    }
    if (const int bad = numbers.BadLine())
        in.Fault(bad);
    file = std::move(f);
    return in.Result();
}

}  // namespace

ReadResult ReadEulumdat(std::string_view bytes, EulumdatFile& file)
{
    return Read(bytes, file, false);
}

ReadResult ReadEulumdatHeader(std::string_view bytes, EulumdatFile& file, std::size_t* end)
{
    return Read(bytes, file, true, end);
}
