#include "Keywords.h"

#include <array>

std::string KeywordValue(std::string_view key, std::string_view headerText, std::string_view stop)
{
    const std::size_t at = headerText.find(key);
    if (key.empty() || at == std::string_view::npos)
        return {};
    std::string_view value = headerText.substr(at + key.size());
    if (const std::size_t lf = value.find('\n'); lf != std::string_view::npos)
        value = value.substr(0, lf);
    if (const std::size_t cr = value.find('\r'); cr != std::string_view::npos)
        value = value.substr(0, cr);
    if (!stop.empty()) {
        if (const std::size_t s = value.find(stop); s != std::string_view::npos)
            value = value.substr(0, s);
    }
    while (!value.empty() && static_cast<unsigned char>(value.front()) <= 32)
        value.remove_prefix(1);
    while (!value.empty() && static_cast<unsigned char>(value.back()) <= 32)
        value.remove_suffix(1);
    return std::string(value);
}

namespace {

struct KeywordField {
    std::string EntryTexts::*field;
    std::string_view key;
    std::string_view fallbackKey;
    std::string_view fallbackStop;
};

constexpr std::array<KeywordField, 6> kFields{{
    {&EntryTexts::test, "[TEST]", "", ""},
    {&EntryTexts::manufacturer, "[MANUFAC]", "", ""},
    {&EntryTexts::luminaire, "[LUMINAIRE]", "DESCR.-1 :", ""},
    {&EntryTexts::luminaireCatalog, "[LUMCAT]", "LM-NO.   :", "LM-DATE"},
    {&EntryTexts::lamp, "[LAMP]", "LAMP     :", ""},
    {&EntryTexts::lampCatalog, "[LAMPCAT]", "", ""},
}};

struct Prefix {
    std::string EntryTexts::*field;
    std::string_view label;
    std::string_view keyword;
};

constexpr std::array<Prefix, 6> kPrefixes{{
    {&EntryTexts::test, "Test: ", "[TEST] "},
    {&EntryTexts::manufacturer, "Manufacturer: ", "[MANUFAC]  "},
    {&EntryTexts::luminaireCatalog, "Luminaire catalog: ", "[LUMCAT] "},
    {&EntryTexts::luminaire, "Luminaire: ", "[LUMINAIRE] "},
    {&EntryTexts::lampCatalog, "Lamp catalog: ", "[LAMPCAT] "},
    {&EntryTexts::lamp, "Lamp: ", "[LAMP] "},
}};

}  // namespace

bool FillKeywordTexts(std::string_view headerText, EntryTexts& texts)
{
    for (const KeywordField& keyword : kFields) {
        std::string value = KeywordValue(keyword.key, headerText, "[");
        if (value.empty() && !keyword.fallbackKey.empty())
            value = KeywordValue(keyword.fallbackKey, headerText, keyword.fallbackStop);
        texts.*keyword.field = std::move(value);
    }
    return KeywordValue("[CHANGED]", headerText, "[").find(kChangeMarker) != std::string::npos;
}

std::string KeywordText(const EntryTexts& texts, KeywordForm form)
{
    std::string result;
    for (const Prefix& prefix : kPrefixes) {
        const std::string& value = texts.*prefix.field;
        if (value.empty())
            continue;
        result.append(form == KeywordForm::Labels ? prefix.label : prefix.keyword);
        result.append(value);
        result.append("\r\n");
    }
    if (!result.empty())
        result.resize(result.size() - 2);
    return result;
}

std::string DateKeyword(std::string_view headerText)
{
    for (const std::string_view key : {"[ISSUEDATE]", "[DATE]", "[TESTDATE]"})
        if (std::string value = KeywordValue(key, headerText, "["); !value.empty())
            return value;
    return KeywordValue("LM-DATE :", headerText, "");
}

std::string IesFormatName(std::string_view fileText, bool hasTilt)
{
    const std::string_view firstLine = fileText.substr(0, fileText.find_first_of("\r\n"));
    for (const std::string_view prefix : {"IESNA:LM-63-", "IES:LM-63-"}) {
        if (firstLine.substr(0, prefix.size()) == prefix) {
            // Only the year: some writers put more after it.
            std::string year;
            for (const char c : firstLine.substr(prefix.size(), 4))
                if (c >= '0' && c <= '9')
                    year += c;
            return "IES LM-63" + (year.size() == 4 ? "-" + year : std::string());
        }
    }
    if (firstLine.substr(0, 7) == "IESNA91")
        return "IES LM-63-1991";
    return hasTilt ? "IES LM-63-1986" : std::string();
}
