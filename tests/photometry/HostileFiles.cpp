#include "HostileFiles.h"

#include <cstdint>
#include <random>

namespace {

const std::string kKeywords = "IESNA:LM-63-2002\r\n[TEST] T-1\r\n[MANUFAC] Maker\r\n[LUMINAIRE] Spot\r\n";

// A valid file body after the TILT line: 3 vertical angles, 2 planes.
std::string Body(const std::string& counts = "3 2")
{
    return "1 1000 1 " + counts + " 1 2 0.1 0.2 0.05\r\n1 1 35\r\n0 45 90\r\n0 180\r\n100 80 60\r\n90 70 50\r\n";
}

std::string Valid(const std::string& eol = "\r\n")
{
    std::string text = "IESNA:LM-63-2002" + eol + "[TEST] T-1" + eol + "TILT=NONE" + eol +
                       "1 1000 1 3 2 1 2 0.1 0.2 0.05" + eol + "1 1 35" + eol + "0 45 90" + eol + "0 180" +
                       eol + "100 80 60" + eol + "90 70 50" + eol;
    return text;
}

std::string RandomBytes(std::size_t size, bool allowNul, std::uint32_t seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> byte(allowNul ? 0 : 1, 255);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(byte(random));
    return bytes;
}

// UTF-16 little endian with a byte order mark; every ASCII letter is followed by a NUL.
std::string Utf16(const std::string& ascii)
{
    std::string out = "\xFF\xFE";
    for (char c : ascii) {
        out.push_back(c);
        out.push_back('\0');
    }
    return out;
}

std::string Repeat(const std::string& piece, std::size_t times)
{
    std::string out;
    out.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

// A small valid EULUMDAT file, one item per line: symmetry 1, three gamma angles.
std::vector<std::string> LdtLines()
{
    return {"Maker", "1", "1", "1", "0", "3", "45", "R-1", "Spot", "S-1", "spot.ldt", "2024", "100", "100", "50",
            "80", "0", "0", "0", "0", "0", "100", "80", "1", "0", "1", "1", "LED", "1000", "3000 K", "1B", "12",
            "0.5", "0.6", "0.7", "0.8", "0.8", "0.9", "0.9", "0.9", "1", "1", "0", "0", "45", "90", "100", "80",
            "60"};
}

// The file with some of its lines replaced: {line number from 1, text}.
std::string Ldt(std::vector<std::pair<std::size_t, std::string>> changes = {})
{
    std::vector<std::string> lines = LdtLines();
    for (auto& [line, text] : changes)
        lines.at(line - 1) = std::move(text);
    std::string out;
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out;
}

// The first `lines` lines of the file.
std::string LdtHead(std::size_t lines)
{
    std::string out;
    const std::vector<std::string> all = LdtLines();
    for (std::size_t i = 0; i < lines && i < all.size(); ++i)
        out += all[i] + "\r\n";
    return out;
}

constexpr std::size_t kJustUnder64MB = (std::size_t{64} << 20) - 4096;

}  // namespace

const char* ExpectedName(Expected expected)
{
    switch (expected) {
    case Expected::Reads: return "reads";
    case Expected::ReadsWithHeaderFault: return "reads with header fault";
    case Expected::Refused: return "refused";
    }
    return "?";
}

std::vector<HostileFile> HostileFiles()
{
    using E = Expected;
    return {
        {"empty.ies", [] { return std::string(); }, E::ReadsWithHeaderFault, "Line 1"},
        {"binary.ies", [] { return RandomBytes(4096, false, 7); }, E::ReadsWithHeaderFault, "Line "},
        {"binary-with-nul.ies", [] { return RandomBytes(4096, true, 8); }, E::ReadsWithHeaderFault, "Line "},
        // The text ends at the first NUL: here in the middle of the header values.
        {"nul-in-numbers.ies", [] { return kKeywords + "TILT=NONE\r\n1 1000 1 3" + std::string(1, '\0') + " 2 1 2 0 0 0 1 1 35\r\n"; },
         E::ReadsWithHeaderFault, "Line 6"},
        {"nul-after-matrix.ies", [] { return Valid() + std::string(100, '\0') + "garbage"; }, E::Reads, ""},
        // Without a TILT line the tilt block is taken from the first numbers.
        {"no-tilt-line.ies", [] { return Body(); }, E::ReadsWithHeaderFault, "Line "},
        // The version line and the lamp count make up the tilt block: misread, yet read.
        {"no-tilt-line-with-version.ies", [] { return "IESNA:LM-63-2002\r\n" + Body(); }, E::Reads, ""},
        {"tilt-include-huge-count.ies", [] { return kKeywords + "TILT=INCLUDE\r\n1 1e15\r\n" + Body(); },
         E::ReadsWithHeaderFault, "Line "},
        {"tilt-include-2e9-count.ies", [] { return kKeywords + "TILT=INCLUDE\r\n1 2147483648 0 1\r\n" + Body(); },
         E::ReadsWithHeaderFault, "Line "},
        {"tilt-include-negative-count.ies", [] { return kKeywords + "TILT=INCLUDE\r\n1 -5\r\n" + Body(); }, E::Reads, ""},
        {"tilt-include-nan-count.ies", [] { return kKeywords + "TILT=INCLUDE\r\n1 nan\r\n" + Body(); }, E::Reads, ""},
        {"counts-65535x65535.ies", [] { return kKeywords + "TILT=NONE\r\n" + Body("65535 65535"); }, E::Refused,
         "65535 x 65535 candela values"},
        {"counts-65535x257.ies", [] { return kKeywords + "TILT=NONE\r\n" + Body("65535 257"); }, E::Refused,
         "more than this program reads"},
        // Only the low 16 bits of a rounded count are kept: 2^31 becomes 0.
        {"counts-2pow31.ies", [] { return kKeywords + "TILT=NONE\r\n" + Body("2147483648 2147483650"); }, E::Reads, ""},
        {"counts-nan.ies", [] { return kKeywords + "TILT=NONE\r\n" + Body("nan NaN"); }, E::ReadsWithHeaderFault, "Line 6"},
        {"counts-negative.ies", [] { return kKeywords + "TILT=NONE\r\n" + Body("-1 -65535"); }, E::Reads, ""},
        {"fewer-numbers-than-declared.ies", [] { return kKeywords + "TILT=NONE\r\n1 1000 1 181 73 1 2 0 0 0 1 1 35\r\n0 1 2 3\r\n"; },
         E::Reads, ""},
        {"truncated-in-header.ies", [] { return kKeywords + "TILT=NONE\r\n1 1000 1 3 2 1"; }, E::ReadsWithHeaderFault, "Line 6"},
        {"descending-angles.ies", [] { return kKeywords + "TILT=NONE\r\n1 1000 1 3 2 1 2 0 0 0 1 1 35\r\n90 45 0\r\n180 0\r\n1 2 3 4 5 6\r\n"; },
         E::Reads, ""},
        {"repeated-angles.ies", [] { return kKeywords + "TILT=NONE\r\n1 1000 1 3 2 1 2 0 0 0 1 1 35\r\n45 45 45\r\n0 0\r\n1 2 3 4 5 6\r\n"; },
         E::Reads, ""},
        {"single-vertical-angle.ies", [] { return kKeywords + "TILT=NONE\r\n1 1000 1 1 1 1 2 0 0 0 1 1 35\r\n0\r\n0\r\n100\r\n"; },
         E::Reads, ""},
        {"nan-inf-values.ies", [] { return kKeywords + "TILT=NONE\r\n1 1000 1 3 2 1 2 0 0 0 1 1 35\r\nnan 45 inf\r\n0 -inf\r\nNaN INF 1e309 -1e309 1e308 -1e308\r\n"; },
         E::Reads, ""},
        // Normalising by 0.5 lumens per thousand would double 1e308 past the double range.
        {"huge-values-normalised.ies", [] { return kKeywords + "TILT=NONE\r\n1 500 1 2 1 1 2 1e308 1e308 1e308 1 1 35\r\n0 90\r\n0\r\n1e308 -1e308\r\n"; },
         E::Reads, ""},
        {"huge-header-values.ies", [] { return kKeywords + "TILT=NONE\r\n1e308 1e308 1e308 1 1 1e308 -1e308 1e308 1e308 1e308 1e308 1e308 1e308\r\n0\r\n0\r\n1e308\r\n"; },
         E::Reads, ""},
        {"header-line-10MB.ies", [] { return "[TEST] " + std::string(10u << 20, 'x') + "\r\nTILT=NONE\r\n" + Body(); }, E::Reads, ""},
        {"tilt-line-10MB.ies", [] { return kKeywords + "TILT=" + std::string(10u << 20, 'N') + "\r\n" + Body(); }, E::Reads, ""},
        // A number of ten million digits is out of the double range: a fault, not infinity.
        {"numbers-line-10MB.ies", [] { return kKeywords + "TILT=NONE\r\n" + std::string(10u << 20, '7') + " 1000 1 3 2 1 2 0 0 0 1 1 35\r\n"; },
         E::ReadsWithHeaderFault, "Line 6"},
        {"keyword-lines-100000.ies", [] { return "IESNA:LM-63-2002\r\n" + Repeat("[MORE] a keyword line of the usual length\r\n", 100000) + "TILT=NONE\r\n" + Body(); },
         E::Reads, ""},
        {"latin1.ies", [] { return "IESNA:LM-63-2002\r\n[MANUFAC] Leuchten M\xFC" "ller \xA9\r\n[LUMINAIRE] \xC4\xD6\xDC\r\nTILT=NONE\r\n" + Body(); },
         E::Reads, ""},
        {"utf8.ies", [] { return "\xEF\xBB\xBFIESNA:LM-63-2002\r\n[MANUFAC] Leuchten M\xC3\xBCller\r\n[LUMINAIRE] \xE2\x82\xAC \xF0\x9F\x92\xA1\r\nTILT=NONE\r\n" + Body(); },
         E::Reads, ""},
        // Every other byte of UTF-16 is NUL, so the text ends after the byte order mark and one letter.
        {"utf16.ies", [] { return Utf16(Valid()); }, E::ReadsWithHeaderFault, "Line 1"},
        {"cr-only.ies", [] { return Valid("\r"); }, E::Reads, ""},
        {"lf-only.ies", [] { return Valid("\n"); }, E::Reads, ""},
        {"mixed-line-ends.ies", [] { return "IESNA:LM-63-2002\n\r[TEST] x\r\r\nTILT=NONE\n\r1 1000 1 1 1 1 2 0 0 0 1 1 35\r0\n0\r\n5\n"; },
         E::Reads, ""},
        {"tabs-as-separators.ies", [] { return kKeywords + "TILT=NONE\r\n1\t1000\t1\t3\t2\t1\t2\t0\t0\t0\t1\t1\t35\r\n0\t45\t90\v0\f90\r\n1000\t\t800\t50\t1000\t800\t50\r\n"; },
         E::Reads, ""},
        {"only-separators.ies", [] { return std::string(1 << 20, ' ') + "\r\n,,,,\r\n"; }, E::ReadsWithHeaderFault, "Line "},
        {"tilt-file-name.ies", [] { return kKeywords + "TILT=/etc/passwd\r\n" + Body(); }, E::Reads, ""},
    };
}

std::vector<HostileFile> HostileEulumdatFiles()
{
    using E = Expected;
    return {
        {"empty.ldt", [] { return std::string(); }, E::Refused, "The file is empty."},
        {"binary.ldt", [] { return RandomBytes(4096, false, 7); }, E::Refused, ""},
        {"binary-with-nul.ldt", [] { return RandomBytes(4096, true, 8); }, E::Refused, ""},
        {"utf16.ldt", [] { return Utf16(Ldt()); }, E::Refused, "The file ends after line 1, before the type indicator"},
        {"valid.ldt", [] { return Ldt(); }, E::Reads, ""},
        {"isym-5.ldt", [] { return Ldt({{3, "5"}}); }, E::Refused, "Line 3: the symmetry indicator is 5; it must be 0 to 4."},
        {"isym-text.ldt", [] { return Ldt({{3, "C0-C180"}}); }, E::Refused, "Line 3: the symmetry indicator (item 3) is not a number."},
        {"isym-4-nc-30.ldt", [] { return Ldt({{3, "4"}, {4, "30"}}); }, E::Refused, "symmetry 4 needs a number of C-planes divisible by 4, not 30"},
        {"isym-2-nc-odd.ldt", [] { return Ldt({{3, "2"}, {4, "7"}}); }, E::Refused, "an even number of C-planes"},
        {"isym-0-nc-0.ldt", [] { return Ldt({{3, "0"}, {4, "0"}}); }, E::Refused, "at least one C-plane"},
        {"nc-negative.ldt", [] { return Ldt({{4, "-24"}}); }, E::Refused, "Line 4: the file declares -24 C-planes, a negative number."},
        {"nc-huge.ldt", [] { return Ldt({{4, "1e12"}}); }, E::Refused, "more than this program reads (262136)"},
        {"stored-planes-over-16-bits.ldt", [] { return Ldt({{3, "0"}, {4, "65535"}}); }, E::Refused, "stores 65535 C-planes"},
        {"ng-negative.ldt", [] { return Ldt({{6, "-3"}}); }, E::Refused, "Line 6: the file declares -3 intensities per plane"},
        {"ng-huge.ldt", [] { return Ldt({{6, "65536"}}); }, E::Refused, "more than this program reads (65535)"},
        {"planes-by-gammas-over-bound.ldt", [] { return Ldt({{3, "0"}, {4, "65534"}, {6, "65535"}}); }, E::Refused,
         "65534 x 65535 intensities, more than this program reads"},
        // Within the bound, yet far more numbers than the file holds: refused before anything is allocated.
        {"huge-counts-tiny-file.ldt", [] { return Ldt({{3, "0"}, {4, "65534"}, {6, "256"}}); }, E::Refused,
         "before all 65534 C-angles"},
        {"lamp-sets-0.ldt", [] { return Ldt({{26, "0"}}); }, E::Refused, "Line 26: the file declares 0 lamp sets; it needs at least one."},
        {"lamp-sets-negative.ldt", [] { return Ldt({{26, "-2"}}); }, E::Refused, "declares -2 lamp sets"},
        {"lamp-sets-huge.ldt", [] { return Ldt({{26, "1000000"}}); }, E::Refused, "more than this program reads (1000)"},
        {"lamp-sets-more-than-written.ldt", [] { return Ldt({{26, "9"}}); }, E::Refused, "The file ends after line 49, before lamp set 4's wattage."},
        {"truncated-in-items.ldt", [] { return LdtHead(14); }, E::Refused, "The file ends after line 14, before the luminaire's height (item 15)."},
        {"truncated-in-direct-ratios.ldt", [] { return LdtHead(35); }, E::Refused, "before its direct ratios"},
        {"truncated-intensities.ldt", [] { return LdtHead(48); }, E::Refused, "The file ends after line 48, before all 3 intensities."},
        {"nul-in-intensities.ldt", [] { return LdtHead(47) + "6" + std::string(1, '\0') + "0\r\n"; }, E::Refused, "before all 3 intensities"},
        {"bad-intensity.ldt", [] { return Ldt({{48, "8O"}}); }, E::ReadsWithHeaderFault, "Line 48"},
        {"nan-inf-intensities.ldt", [] { return Ldt({{47, "nan"}, {48, "inf"}, {49, "1e309"}}); }, E::ReadsWithHeaderFault, "Line 47"},
        {"bad-light-output-ratio.ldt", [] { return Ldt({{23, "n/a"}}); }, E::ReadsWithHeaderFault, "Line 23"},
        {"bad-direct-ratio.ldt", [] { return Ldt({{35, "0.7x"}}); }, E::ReadsWithHeaderFault, "Line 35"},
        {"zero-flux-and-factor.ldt", [] { return Ldt({{29, "0"}, {24, "0"}}); }, E::Reads, ""},
        {"huge-values.ldt", [] { return Ldt({{29, "1e308"}, {24, "1e308"}, {47, "1e308"}, {13, "-1e308"}}); }, E::Reads, ""},
        {"text-line-10MB.ldt", [] { return Ldt({{9, std::string(10u << 20, 'x')}}); }, E::Reads, ""},
        {"number-line-10MB.ldt", [] { return Ldt({{22, std::string(10u << 20, '7')}}); }, E::ReadsWithHeaderFault, "Line 22"},
        {"blank-lines-only.ldt", [] { return std::string(1 << 20, '\n'); }, E::Refused, "at least one C-plane"},
        {"ies-file.ldt", [] { return Valid(); }, E::Refused, "Line 3"},
    };
}

std::vector<HostileFile> HeavyHostileFiles()
{
    using E = Expected;
    return {
        // Header text grows by a CR per line; then the largest matrix allowed.
        {"heavy-empty-lines-then-biggest-matrix.ies", [] {
             std::string tail = "TILT=NONE\n1 1000 1 4096 4096 1 2 0 0 0 1 1 35\n";
             return std::string(kJustUnder64MB - tail.size(), '\n') + tail;
         }, E::Reads, ""},
        {"heavy-full-matrix.ies", [] {
             std::string text = "TILT=NONE\n1 1000 1 4096 2048 1 2 0 0 0 1 1 35\n";
             text.reserve(kJustUnder64MB);
             while (text.size() + 8 < kJustUnder64MB)
                 text += "123.456 ";
             return text;
         }, E::Reads, ""},
        {"heavy-tilt-skips-everything.ies", [] { return "TILT=INCLUDE\n1 1e9\n" + Repeat("1 ", kJustUnder64MB / 2 - 16); },
         E::ReadsWithHeaderFault, "Line "},
        {"heavy-one-line.ies", [] { return "[TEST] " + std::string(kJustUnder64MB, 'x') + "\nTILT=NONE\n" + Body(); }, E::Reads, ""},
        {"heavy-no-tilt-line.ies", [] { return Repeat("[A]\r\n", kJustUnder64MB / 5); }, E::ReadsWithHeaderFault, "Line "},
        {"heavy-many-tokens.ies", [] { return "TILT=NONE\n1 1000 1 65535 1 1 2 0 0 0 1 1 35\n" + Repeat("9,", kJustUnder64MB / 2 - 40); },
         E::Reads, ""},
        {"heavy-over-bound.ies", [] { return std::string((std::size_t{64} << 20) + 1, ' '); }, E::Refused, "larger than 64 MB"},
    };
}
