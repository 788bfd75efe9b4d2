// Feeds arbitrary bytes to the EULUMDAT reader, maps what it reads into the
// record and writes it out again both ways; aborts when a promise breaks:
// the layout the counts declare, a sound record, a written file that reads
// back as what was written, the comma fast path agreeing with fast_float.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <fast_float/fast_float.h>

#include "photometry/DecimalToken.h"
#include "photometry/EntryLoader.h"
#include "photometry/EulumdatConversion.h"
#include "photometry/EulumdatReader.h"
#include "photometry/EulumdatRecord.h"
#include "photometry/IesReader.h"
#include "photometry/Keywords.h"
#include "photometry/TextBytes.h"

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
    for (const tArrEx& row : ies.Candela) {
        Require(row.size() == ies.VertCount);
        for (double v : row)
            Require(std::isfinite(v));
    }
    for (const tArrEx* angles : {&ies.VertAngles, &ies.HorzAngles})
        for (double a : *angles)
            Require(std::isfinite(a));
    for (double v : {ies.LampLumens, ies.Multiplier, ies.Width, ies.Length, ies.Height})
        Require(std::isfinite(v));
}

// Within the 15 significant digits a writer keeps.
bool Close(double a, double b)
{
    return std::fabs(a - b) <= 1e-14 * std::fabs(a) + 1e-300;
}

bool Close(const tArrEx& a, const tArrEx& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!Close(a[i], b[i]))
            return false;
    return true;
}

void CheckLayout(const EulumdatFile& f)
{
    const int stored = StoredPlaneCount(f.Isym, f.Nc);
    Require(stored >= 1 && stored <= kMaxEulumdatStoredPlanes);
    Require(f.CAngles.size() == static_cast<std::size_t>(f.Nc));
    Require(f.GAngles.size() == static_cast<std::size_t>(f.Ng));
    Require(f.Intensities.size() == static_cast<std::size_t>(stored));
    Require(static_cast<std::size_t>(stored) * static_cast<std::size_t>(f.Ng) <= kMaxCandelaValues);
    for (const tArrEx& row : f.Intensities)
        Require(row.size() == static_cast<std::size_t>(f.Ng));
    Require(!f.LampSets.empty() && f.LampSets.size() <= static_cast<std::size_t>(kMaxEulumdatLampSets));
    for (const std::string* text : {&f.Company, &f.ReportNumber, &f.LuminaireName, &f.LuminaireNumber, &f.FileName,
                                    &f.DateUser})
        Require(TextToUtf8(*text) == *text);
}

// What EulumdatBytes wrote reads back as what it was written from.
void CheckWrittenAgain(const EulumdatFile& f)
{
    EulumdatFile again;
    Require(ReadEulumdat(EulumdatBytes(f), again).status == ReadResult::Status::Ok);
    Require(again.Company == f.Company && again.ReportNumber == f.ReportNumber &&
            again.LuminaireName == f.LuminaireName && again.LuminaireNumber == f.LuminaireNumber &&
            again.FileName == f.FileName && again.DateUser == f.DateUser);
    Require(again.Ityp == f.Ityp && again.Isym == f.Isym && again.Nc == f.Nc && again.Ng == f.Ng);
    Require(again.LampSets.size() == f.LampSets.size());
    for (std::size_t i = 0; i < f.LampSets.size(); ++i) {
        const EulumdatLampSet& a = again.LampSets[i];
        const EulumdatLampSet& b = f.LampSets[i];
        Require(a.Count == b.Count && a.Type == b.Type && a.ColourTemperature == b.ColourTemperature &&
                a.ColourRendering == b.ColourRendering && Close(a.Flux, b.Flux) && Close(a.Watts, b.Watts));
    }
    for (std::size_t i = 0; i < f.DirectRatios.size(); ++i)
        Require(Close(again.DirectRatios[i], f.DirectRatios[i]));
    Require(Close(again.CAngles, f.CAngles) && Close(again.GAngles, f.GAngles));
    for (std::size_t i = 0; i < f.Intensities.size(); ++i)
        Require(Close(again.Intensities[i], f.Intensities[i]));
}

// Tokens the comma fast path takes read as fast_float reads them with a point.
void CheckCommaFastPath(std::string_view text)
{
    const char* const end = text.data() + text.size();
    const char* p = text.data();
    while (p != end) {
        if (decimal_token::IsBlank(*p)) {
            ++p;
            continue;
        }
        const char* tokenEnd = p;
        while (tokenEnd != end && !decimal_token::IsBlank(*tokenEnd))
            ++tokenEnd;
        double fast = 0;
        if (decimal_token::ParseSimpleComma(p, end, fast) != nullptr) {
            std::string token(*p == '+' ? p + 1 : p, tokenEnd);
            for (char& c : token)
                if (c == ',')
                    c = '.';
            double exact = 0;
            const auto parsed = fast_float::from_chars(token.data(), token.data() + token.size(), exact);
            Require(parsed.ec == std::errc() && parsed.ptr == token.data() + token.size());
            Require(std::memcmp(&fast, &exact, sizeof fast) == 0);
        }
        p = tokenEnd;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CheckCommaFastPath(FileText(bytes));

    // A caption read of a front either asks for more or knows what the whole file gives.
    TiesData whole = UnreadEntry("fuzz.ldt");
    const std::optional<LoadResult> all = ReadEntryTexts(whole, bytes, true);
    Require(all.has_value());
    for (const std::size_t cut : {size / 2, size / 3 * 2}) {
        TiesData front = UnreadEntry("fuzz.ldt");
        if (const std::optional<LoadResult> part = ReadEntryTexts(front, std::string_view(bytes).substr(0, cut), false)) {
            Require(part->kind == all->kind && part->error == all->error && part->headerFault == all->headerFault);
            Require(front.Texts == whole.Texts && front.Changed == whole.Changed);
        }
    }

    EulumdatFile ldt;
    const ReadResult read = ReadEulumdat(bytes, ldt);
    Require(!read.message.empty() == (read.status != ReadResult::Status::Ok));
    if (!read.Read()) {
        Require(ldt == EulumdatFile{});
        return 0;
    }
    if (read.status == ReadResult::Status::HeaderFault)
        Require(read.message == "Line " + std::to_string(read.faultLine));
    CheckLayout(ldt);

    const tIES ies = EulumdatRecord(ldt);
    CheckRecord(ies);
    EntryTexts texts{.fileName = "fuzz.ldt"};
    FillEulumdatTexts(ldt, texts);
    Require(texts.fileName == "fuzz.ldt");

    // As IES: it reads without a fault, with the same counts and keywords.
    const FormatConversion asIes = BuildIesFromEulumdat(ldt);
    if (asIes.Written()) {
        tIES back;
        Require(ReadIes(asIes.bytes, back).status == ReadResult::Status::Ok);
        Require(back.VertCount == ies.VertCount && back.HorzCount == ies.HorzCount);
        CheckRecord(back);
        EntryTexts keywords{.fileName = "fuzz.ldt"};
        const bool changed = FillKeywordTexts(SplitHeader(asIes.bytes).headerLines, keywords);
        // Brackets and colons in a text can make another keyword, or an
        // older labelled form, out of it.
        bool plain = ldt.DateUser.find_first_of("[:") == std::string::npos;
        for (const std::string* text : {&texts.test, &texts.manufacturer, &texts.luminaire, &texts.luminaireCatalog, &texts.lamp})
            plain = plain && text->find_first_of("[:") == std::string::npos;
        if (plain) {
            Require(changed);
            keywords.lampCatalog = texts.lampCatalog;
            Require(keywords == texts);
        }
    }

    CheckWrittenAgain(ldt);

    // The record written as EULUMDAT, when it can be, reads again.
    EulumdatWriteInputs inputs;
    inputs.luminaireFlux = 1000;
    const EulumdatBuild build = EulumdatFromIes(ies, inputs);
    if (build.fault == ConversionFault::None) {
        EulumdatFile again;
        Require(ReadEulumdat(EulumdatBytes(build.file), again).status == ReadResult::Status::Ok);
        CheckLayout(again);
    }
    return 0;
}
