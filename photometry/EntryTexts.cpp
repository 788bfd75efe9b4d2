#include "EntryTexts.h"

const std::array<CaptionKind, kCaptionChoiceCount>& CaptionKinds()
{
    static const std::array<CaptionKind, kCaptionChoiceCount> kinds{{
        {CaptionChoice::FileName, &EntryTexts::fileName, "File name", "file"},
        {CaptionChoice::Test, &EntryTexts::test, "Test", "test"},
        {CaptionChoice::Manufacturer, &EntryTexts::manufacturer, "Manufacturer", "manufacturer"},
        {CaptionChoice::Luminaire, &EntryTexts::luminaire, "Luminaire", "luminaire"},
        {CaptionChoice::LuminaireCatalog, &EntryTexts::luminaireCatalog, "Luminaire catalog", "luminaire-catalog"},
        {CaptionChoice::Lamp, &EntryTexts::lamp, "Lamp", "lamp"},
        {CaptionChoice::LampCatalog, &EntryTexts::lampCatalog, "Lamp catalog", "lamp-catalog"},
    }};
    return kinds;
}

const CaptionKind& KindOf(CaptionChoice choice)
{
    return CaptionKinds()[static_cast<std::size_t>(choice)];
}

std::optional<CaptionChoice> CaptionChoiceAt(int number)
{
    if (number < 0 || number >= kCaptionChoiceCount)
        return std::nullopt;
    return static_cast<CaptionChoice>(number);
}

const std::string& CaptionText(const EntryTexts& texts, CaptionChoice choice)
{
    const std::string& chosen = texts.*(KindOf(choice).field);
    return chosen.empty() ? texts.fileName : chosen;
}
