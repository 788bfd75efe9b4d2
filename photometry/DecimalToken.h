#pragma once

// Reading of the plain decimal tokens that fill photometric files, exact to
// the last bit, for the reader's hot loop. Internal to the reader; tests
// compare it with fast_float.

#include <array>
#include <cstdint>
#include <cstddef>

namespace decimal_token {

constexpr std::array<bool, 256> MakeSeparators()
{
    std::array<bool, 256> table{};
    table[static_cast<unsigned char>(' ')] = true;
    table[static_cast<unsigned char>('\t')] = true;
    table[static_cast<unsigned char>('\v')] = true;
    table[static_cast<unsigned char>('\f')] = true;
    table[static_cast<unsigned char>('\r')] = true;
    table[static_cast<unsigned char>('\n')] = true;
    table[static_cast<unsigned char>(',')] = true;
    return table;
}
inline constexpr std::array<bool, 256> kSeparator = MakeSeparators();

// The same without the comma: where a comma is a decimal mark (EULUMDAT
// files written under a European locale), only white space separates.
constexpr std::array<bool, 256> MakeBlanks()
{
    std::array<bool, 256> table = MakeSeparators();
    table[static_cast<unsigned char>(',')] = false;
    return table;
}
inline constexpr std::array<bool, 256> kBlank = MakeBlanks();

// White space (space, tab, vertical tab, form feed, CR, LF) and the comma
// separate numbers; anything else belongs to a token. Files in the wild
// separate their values with tabs, so a tab must never join two numbers.
inline bool IsSeparator(char c)
{
    return kSeparator[static_cast<unsigned char>(c)];
}

inline bool IsBlank(char c)
{
    return kBlank[static_cast<unsigned char>(c)];
}

inline bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Powers of ten that a double holds exactly.
inline constexpr std::array<double, 23> kExactPowers{1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                     1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                     1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
inline constexpr std::uint64_t kMaxExactMantissa = std::uint64_t{1} << 53;

// Text this far or farther from the end holds any token the fast path
// takes, and the byte after it, so that path may skip its bounds checks.
inline constexpr std::ptrdiff_t kUncheckedMargin = 64;
inline constexpr int kMaxDigitRun = 20;

// With DecimalComma a comma is read as the decimal point and only white
// space ends a token; without it the comma separates, as in IES files.
template <bool Checked, bool DecimalComma = false>
[[gnu::always_inline]] inline const char* ParseSimpleAt(const char* p, const char* end, double& value)
{
    const auto more = [end](const char* q) { return !Checked || q != end; };
    const auto point = [](char c) { return c == '.' || (DecimalComma && c == ','); };
    const auto ends = [](char c) { return DecimalComma ? IsBlank(c) : IsSeparator(c); };
    bool negative = false;
    if (more(p) && (*p == '-' || *p == '+')) {
        negative = *p == '-';
        ++p;
    }
    // Each digit run stops after kMaxDigitRun digits, which is already too
    // many: the token then goes to the general parser.
    std::uint64_t mantissa = 0;
    const char* first = p;
    while (more(p) && IsDigit(*p) && p - first < kMaxDigitRun)
        mantissa = mantissa * 10 + static_cast<unsigned>(*p++ - '0');
    int count = static_cast<int>(p - first);
    int exponent = 0;
    if (more(p) && point(*p)) {
        first = ++p;
        while (more(p) && IsDigit(*p) && p - first < kMaxDigitRun)
            mantissa = mantissa * 10 + static_cast<unsigned>(*p++ - '0');
        exponent = -static_cast<int>(p - first);
        count -= exponent;
    }
    if (count == 0 || count > 19)
        return nullptr;
    if (more(p) && (*p == 'e' || *p == 'E')) {
        ++p;
        bool negativeExponent = false;
        if (more(p) && (*p == '-' || *p == '+')) {
            negativeExponent = *p == '-';
            ++p;
        }
        first = p;
        int written = 0;
        while (more(p) && IsDigit(*p) && p - first < 4)
            written = written * 10 + (*p++ - '0');
        if (p == first || (more(p) && IsDigit(*p)))
            return nullptr;
        exponent += negativeExponent ? -written : written;
    }
    if (more(p) && !ends(*p))
        return nullptr;
    if (mantissa > kMaxExactMantissa || exponent < -22 || exponent > 22)
        return nullptr;
    double result = static_cast<double>(mantissa);
    result = exponent < 0 ? result / kExactPowers[static_cast<unsigned>(-exponent)]
                          : result * kExactPowers[static_cast<unsigned>(exponent)];
    value = negative ? -result : result;
    return p;
}

// Reads a plain decimal token at [p, end) that ends at a separator or at
// `end`: optional sign, up to 19 digits with an optional point, an optional
// exponent of up to four digits. When the digits fit in 53 bits and the
// power of ten is exact, one multiplication or division rounds once, so the
// value is correctly rounded (Clinger's fast path). Returns the token's end,
// or nullptr when the token needs the general parser; `value` is then unset.
[[gnu::always_inline]] inline const char* ParseSimple(const char* p, const char* end, double& value)
{
    return end - p >= kUncheckedMargin ? ParseSimpleAt<false>(p, end, value) : ParseSimpleAt<true>(p, end, value);
}

// ParseSimple for text whose decimal mark may be a comma.
[[gnu::always_inline]] inline const char* ParseSimpleComma(const char* p, const char* end, double& value)
{
    return end - p >= kUncheckedMargin ? ParseSimpleAt<false, true>(p, end, value)
                                       : ParseSimpleAt<true, true>(p, end, value);
}

}  // namespace decimal_token
