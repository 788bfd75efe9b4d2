#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include <fast_float/fast_float.h>

#include "photometry/DecimalToken.h"
#include "photometry/EulumdatReader.h"
#include "photometry/IesReader.h"

// The reader's own fast path for decimal tokens must give exactly the double
// that fast_float (a correctly rounding parser) gives, bit for bit.

namespace {

// The value fast_float reads for a whole token, or nothing when it is not one number.
std::optional<double> Reference(const std::string& token)
{
    const char* first = token.data();
    const char* last = first + token.size();
    if (first != last && *first == '+')
        ++first;
    double value = 0;
    const auto r = fast_float::from_chars(first, last, value);
    if (r.ec != std::errc() || r.ptr != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string Digits(std::mt19937_64& rng, int count)
{
    std::string s;
    for (int i = 0; i < count; ++i)
        s += static_cast<char>('0' + rng() % 10);
    return s;
}

// Tokens of the shapes photometric files hold, and some they should not.
std::vector<std::string> GeneratedTokens(std::size_t count)
{
    std::mt19937_64 rng(20240613);
    std::vector<std::string> tokens;
    while (tokens.size() < count) {
        std::string t;
        const unsigned sign = rng() % 8;
        if (sign == 0)
            t += '-';
        else if (sign == 1)
            t += '+';
        const int intDigits = static_cast<int>(rng() % 8 == 0 ? rng() % 22 : rng() % 7);
        t += Digits(rng, intDigits);
        if (rng() % 3 != 0) {
            t += '.';
            t += Digits(rng, static_cast<int>(rng() % 6 == 0 ? rng() % 22 : rng() % 5));
        }
        if (rng() % 6 == 0) {
            t += (rng() % 2) ? 'E' : 'e';
            const unsigned es = rng() % 3;
            if (es == 1)
                t += '-';
            else if (es == 2)
                t += '+';
            t += Digits(rng, static_cast<int>(rng() % 4));
        }
        if (rng() % 50 == 0)
            t += "xyz"[rng() % 3];
        if (!t.empty())
            tokens.push_back(t);
    }
    return tokens;
}

bool SameBits(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// Checks one token both near the end of the text and far from it.
void CheckToken(const std::string& token, int& taken)
{
    const std::optional<double> expected = Reference(token);
    for (const std::string& text : {token, token + std::string(80, ' ')}) {
        double value = 0;
        const char* end = decimal_token::ParseSimple(text.data(), text.data() + text.size(), value);
        if (!end)
            continue;  // left to the general parser
        ++taken;
        ASSERT_TRUE(expected) << "took a token that is not a number: " << token;
        EXPECT_EQ(end, text.data() + token.size()) << token;
        EXPECT_TRUE(SameBits(value, *expected)) << token << ": " << value << " vs " << *expected;
    }
}

TEST(DecimalToken, AgreesWithFastFloatOnGeneratedTokens)
{
    const std::vector<std::string> tokens = GeneratedTokens(200000);
    int taken = 0;
    int plain = 0;
    for (const std::string& token : tokens) {
        CheckToken(token, taken);
        if (Reference(token) && token.size() <= 12 && token.find_first_of("eE") == std::string::npos)
            ++plain;
    }
    // Short plain numbers are what files hold: nearly all must take the fast path.
    EXPECT_GT(taken, 2 * plain * 9 / 10);
}

TEST(DecimalToken, EdgesOfTheFastPath)
{
    const char* const tokens[] = {
        "0", "-0", "+0", "00012.5000", "5.", ".5", "-.5", "0.1", "0.3", "2.675", "1e22", "1e23", "1e-22", "1e-23",
        "9007199254740992", "9007199254740993", "123456789012345678", "1234567890123456789", "12345678901234567890",
        "0.000000000000000000001", "1.7976931348623157e308", "4.9e-324", "1.5E+3", "1E4", "1e", "1e+", ".", "-",
        "+", "1.2.3", "1e99999", "1.0e0000", "9999999999999999e-22", "3.14159265358979323846",
    };
    int taken = 0;
    for (const char* token : tokens)
        CheckToken(token, taken);
    EXPECT_GT(taken, 10);
    double value = 1;
    const std::string negativeZero = "-0";
    ASSERT_NE(decimal_token::ParseSimple(negativeZero.data(), negativeZero.data() + 2, value), nullptr);
    EXPECT_TRUE(std::signbit(value));
}

// The whole reader, whose loop changes between the checked and the unchecked
// path near the end of the text, stores what fast_float reads, or 0.
TEST(DecimalToken, ReaderStoresExactValues)
{
    const std::vector<std::string> tokens = GeneratedTokens(5000);
    const char* const separators[] = {" ", "\r\n", ",", ", ", "  ", "\n"};
    std::string text = "TILT=NONE\n1 1000 1 " + std::to_string(tokens.size()) + " 1 1 2 0 0 0\n1 1 10\n";
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        text += '0';  // vertical angles; piece by piece: "0" + a temporary trips g++ 12's -Wrestrict at -O3
        text += separators[i % 6];
    }
    text += "0\n";
    for (std::size_t i = 0; i < tokens.size(); ++i)
        text += tokens[i] + separators[(i * 7) % 6];
    tIES ies;
    const ReadResult r = ReadIes(text, ies);
    ASSERT_EQ(r.status, ReadResult::Status::Ok);
    ASSERT_EQ(ies.Candela.size(), 1u);
    ASSERT_EQ(ies.Candela[0].size(), tokens.size());
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const double expected = Reference(tokens[i]).value_or(0.0);
        EXPECT_TRUE(SameBits(ies.Candela[0][i], expected)) << tokens[i];
    }
}

// The same for EULUMDAT intensities, where a comma is the decimal point and
// only blanks separate.
TEST(DecimalToken, EulumdatReaderStoresExactValuesWithEitherDecimalMark)
{
    const std::vector<std::string> tokens = GeneratedTokens(5000);
    const char* const separators[] = {" ", "\r\n", "\t", "  ", "\n", "\r"};
    std::string text = "M\n1\n1\n1\n0\n" + std::to_string(tokens.size()) + "\n0\n\n\n\n\n\n";
    for (int i = 0; i < 13; ++i)
        text += "0\n";
    text += "1\n1\nLED\n1000\n\n\n10\n0 0 0 0 0 0 0 0 0 0\n0\n";
    for (std::size_t i = 0; i < tokens.size(); ++i)
        text += "0 ";
    text += "\n";
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        std::string token = tokens[i];
        if (i % 2 == 0)
            std::replace(token.begin(), token.end(), '.', ',');
        text += token + separators[(i * 7) % 6];
    }
    EulumdatFile ldt;
    const ReadResult r = ReadEulumdat(text, ldt);
    ASSERT_TRUE(r.Read()) << r.message;
    ASSERT_EQ(ldt.Intensities.size(), 1u);
    ASSERT_EQ(ldt.Intensities[0].size(), tokens.size());
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const double expected = Reference(tokens[i]).value_or(0.0);
        EXPECT_TRUE(SameBits(ldt.Intensities[0][i], expected)) << tokens[i];
    }
}

}  // namespace

namespace {

// Normalised files divide every value once more; a quotient out of range is 0.
TEST(DecimalToken, ReaderDividesEachValueAndZeroesOverflow)
{
    const std::vector<std::string> tokens = GeneratedTokens(3000);
    for (const char* lumens : {"3", "1e-300", "0.000001"}) {
        std::string text = "TILT=NONE\n1 " + std::string(lumens) + " 1 " + std::to_string(tokens.size()) +
                           " 1 1 2 0 0 0\n1 1 10\n";
        for (std::size_t i = 0; i < tokens.size(); ++i)
            text += "0 ";
        text += "\n0\n";
        for (const std::string& token : tokens)
            text += token + " ";
        text += "5 1e300";  // one value beyond the vertical count: ignored
        tIES ies;
        ASSERT_EQ(ReadIes(text, ies).status, ReadResult::Status::Ok) << lumens;
        const double divisor = ies.Multiplier;
        ASSERT_EQ(divisor, *Reference(lumens) / 1000) << lumens;
        int zeroed = 0;
        for (std::size_t i = 0; i < tokens.size(); ++i) {
            double expected = Reference(tokens[i]).value_or(0.0) / divisor;
            if (!std::isfinite(expected)) {
                expected = 0;
                ++zeroed;
            }
            ASSERT_TRUE(SameBits(ies.Candela[0][i], expected)) << lumens << " " << tokens[i];
        }
        if (divisor < 1e-250) {
            EXPECT_GT(zeroed, 0) << "the tiny divisor must overflow some values";
        }
    }
}

}  // namespace
