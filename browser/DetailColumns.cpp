#include "browser/DetailColumns.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "browser/Catalog.h"

namespace {

constexpr std::array<DetailColumnInfo, kDetailColumnCount> kColumns{{
    {DetailColumn::Caption, "caption", "Name", false, 220},
    {DetailColumn::Manufacturer, "manufacturer", "Manufacturer", false, 120},
    {DetailColumn::Luminaire, "luminaire", "Luminaire", false, 160},
    {DetailColumn::Lamp, "lamp", "Lamp", false, 120},
    {DetailColumn::Flux, "flux", "Flux (lm)", true, 70},
    {DetailColumn::Watts, "watts", "Watts", true, 56},
    {DetailColumn::Efficacy, "efficacy", "lm/W", true, 56},
    {DetailColumn::BeamC0, "beam_c0_c180", "Beam C0\xE2\x80\x93" "C180 (\xC2\xB0)", true, 112},
    {DetailColumn::BeamC90, "beam_c90_c270", "Beam C90\xE2\x80\x93" "C270 (\xC2\xB0)", true, 118},
    {DetailColumn::FieldC0, "field_c0_c180", "Field C0\xE2\x80\x93" "C180", true, 96},
    {DetailColumn::FieldC90, "field_c90_c270", "Field C90\xE2\x80\x93" "C270", true, 102},
    {DetailColumn::Imax, "imax", "Imax (cd)", true, 70},
    {DetailColumn::Lor, "lor", "LOR (%)", true, 56},
    {DetailColumn::CieCode, "cie_flux_code", "CIE flux code", false, 110},
}};

constexpr int kMinWidth = 16;
constexpr int kMaxWidth = 2000;

const std::string* TextField(DetailColumn column, const EntryTexts& texts)
{
    switch (column) {
    case DetailColumn::Manufacturer: return &texts.manufacturer;
    case DetailColumn::Luminaire: return &texts.luminaire;
    case DetailColumn::Lamp: return &texts.lamp;
    default: return nullptr;
    }
}

// Digits after the point each numeric column shows.
int DecimalsOf(DetailColumn column)
{
    switch (column) {
    case DetailColumn::Flux:
    case DetailColumn::Imax: return 0;
    default: return 1;
    }
}

std::string Fixed(double value, int decimals)
{
    std::array<char, 64> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                         std::chars_format::fixed, decimals);
    if (ec != std::errc())
        return {};
    std::string text(buffer.data(), end);
    if (text == "-0" || text == "-0.0")
        text.erase(0, 1);
    return text;
}

std::string CieCodeText(const CieFluxCode& code)
{
    std::string text;
    // Appended piece by piece: GCC 12 at -O3 warns falsely on "a" + string.
    const auto add = [&text](double v) {
        if (!text.empty())
            text.push_back(' ');
        text.append(Fixed(std::round(v), 0));
    };
    add(code.n1);
    add(code.n2);
    add(code.n3);
    if (code.n4)
        add(*code.n4);
    if (code.n5)
        add(*code.n5);
    return text;
}

std::vector<std::string_view> SplitList(std::string_view text)
{
    std::vector<std::string_view> parts;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        std::string_view part = text.substr(0, comma);
        while (!part.empty() && part.front() == ' ')
            part.remove_prefix(1);
        while (!part.empty() && part.back() == ' ')
            part.remove_suffix(1);
        if (!part.empty())
            parts.push_back(part);
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    return parts;
}

std::optional<DetailColumn> ColumnOfKey(std::string_view key)
{
    for (const DetailColumnInfo& info : kColumns)
        if (info.key == key)
            return info.column;
    return std::nullopt;
}

}  // namespace

const std::array<DetailColumnInfo, kDetailColumnCount>& DetailColumns()
{
    return kColumns;
}

const DetailColumnInfo& InfoOf(DetailColumn column)
{
    return kColumns[static_cast<std::size_t>(column)];
}

std::optional<double> DetailValue(DetailColumn column, const PhotometricSummary& s)
{
    switch (column) {
    case DetailColumn::Flux: return s.flux_lm;
    case DetailColumn::Watts: return s.input_watts;
    case DetailColumn::Efficacy: return s.efficacy_lm_per_w;
    case DetailColumn::BeamC0: return s.c0_c180.beam_deg;
    case DetailColumn::BeamC90: return s.c90_c270.beam_deg;
    case DetailColumn::FieldC0: return s.c0_c180.field_deg;
    case DetailColumn::FieldC90: return s.c90_c270.field_deg;
    case DetailColumn::Imax: return s.max_cd;
    case DetailColumn::Lor:
        if (s.lor)
            return *s.lor * 100;
        return std::nullopt;
    default: return std::nullopt;
    }
}

std::string DetailText(DetailColumn column, const std::string& caption, const EntryTexts& texts,
                       const PhotometricSummary* summary)
{
    if (column == DetailColumn::Caption)
        return caption;
    if (const std::string* field = TextField(column, texts))
        return *field;
    if (!summary)
        return {};
    if (column == DetailColumn::CieCode)
        return summary->cie_flux_code ? CieCodeText(*summary->cie_flux_code) : std::string();
    const std::optional<double> value = DetailValue(column, *summary);
    return value ? Fixed(*value, DecimalsOf(column)) : std::string();
}

int CompareDetails(DetailColumn column, bool descending, const std::string& captionA, const EntryTexts& textsA,
                   const PhotometricSummary* a, const std::string& captionB, const EntryTexts& textsB,
                   const PhotometricSummary* b)
{
    int order = 0;
    if (InfoOf(column).numeric) {
        const std::optional<double> va = a ? DetailValue(column, *a) : std::nullopt;
        const std::optional<double> vb = b ? DetailValue(column, *b) : std::nullopt;
        if (!va || !vb)
            return va ? -1 : (vb ? 1 : 0);
        order = *va < *vb ? -1 : (*vb < *va ? 1 : 0);
    } else {
        const std::string ta = DetailText(column, captionA, textsA, a);
        const std::string tb = DetailText(column, captionB, textsB, b);
        if (ta.empty() || tb.empty())
            return !ta.empty() ? -1 : (!tb.empty() ? 1 : 0);
        order = CompareCaptions(ta, tb);
    }
    return descending ? -order : order;
}

DetailsLayout DefaultDetailsLayout()
{
    DetailsLayout layout;
    for (const DetailColumnInfo& info : kColumns) {
        layout.order.push_back(info.column);
        layout.widths[static_cast<std::size_t>(info.column)] = info.width;
    }
    return layout;
}

DetailsLayoutText DetailsLayoutToText(const DetailsLayout& layout)
{
    DetailsLayoutText text;
    for (const DetailColumn column : layout.order) {
        const std::size_t at = static_cast<std::size_t>(column);
        if (!text.columns.empty()) {
            text.columns += ',';
            text.widths += ',';
        }
        text.columns += InfoOf(column).key;
        text.widths += std::to_string(layout.widths[at]);
        if (layout.hidden[at]) {
            if (!text.hidden.empty())
                text.hidden += ',';
            text.hidden += InfoOf(column).key;
        }
    }
    if (layout.sortColumn)
        text.sort = InfoOf(*layout.sortColumn).key;
    text.descending.assign(1, layout.descending ? '1' : '0');
    return text;
}

DetailsLayout DetailsLayoutFromText(const DetailsLayoutText& text)
{
    const DetailsLayout defaults = DefaultDetailsLayout();
    DetailsLayout layout;
    layout.widths = defaults.widths;
    const std::vector<std::string_view> keys = SplitList(text.columns);
    const std::vector<std::string_view> widths = SplitList(text.widths);
    for (std::size_t k = 0; k < keys.size(); ++k) {
        const std::optional<DetailColumn> column = ColumnOfKey(keys[k]);
        if (!column || std::find(layout.order.begin(), layout.order.end(), *column) != layout.order.end())
            continue;
        layout.order.push_back(*column);
        int width = 0;
        if (k < widths.size()) {
            const std::string_view w = widths[k];
            const auto [end, ec] = std::from_chars(w.data(), w.data() + w.size(), width);
            if (ec == std::errc() && end == w.data() + w.size())
                layout.widths[static_cast<std::size_t>(*column)] = std::clamp(width, kMinWidth, kMaxWidth);
        }
    }
    for (const DetailColumn column : defaults.order)
        if (std::find(layout.order.begin(), layout.order.end(), column) == layout.order.end())
            layout.order.push_back(column);
    for (const std::string_view key : SplitList(text.hidden))
        if (const std::optional<DetailColumn> column = ColumnOfKey(key); column && *column != DetailColumn::Caption)
            layout.hidden[static_cast<std::size_t>(*column)] = true;
    layout.sortColumn = ColumnOfKey(text.sort);
    layout.descending = text.descending == "1";
    return layout;
}
