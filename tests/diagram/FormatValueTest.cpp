#include <gtest/gtest.h>

#include <QLocale>

#include "diagram/FormatValue.h"

namespace {

struct FormatCase {
    double value;
    const char* grouped;
    const char* plain;
};

class FormatValueTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatValueTest, GroupsIntegerDigits)
{
    EXPECT_EQ(FormatValue(GetParam().value, QLatin1Char('.')).toStdString(), GetParam().grouped);
    EXPECT_EQ(GeneralDecimal(GetParam().value).toStdString(), GetParam().plain);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, FormatValueTest,
    ::testing::Values(FormatCase{12345, "12 345", "12345"}, FormatCase{1234567, "1 234 567", "1234567"},
                      FormatCase{1234.5, "1 234.5", "1234.5"}, FormatCase{123.5, "123.5", "123.5"},
                      FormatCase{100, "100", "100"}, FormatCase{0, "0", "0"}, FormatCase{999, "999", "999"},
                      FormatCase{1000, "1 000", "1000"}, FormatCase{0.001 * 100000 * 3, "300", "300"},
                      FormatCase{0.1 + 0.2, "0.3", "0.3"}, FormatCase{1234.56, "1 234.56", "1234.56"},
                      FormatCase{0.00001, "0.00001", "0.00001"}, FormatCase{0.0000015, "1.5E-6", "1.5E-6"},
                      FormatCase{123456789012345, "123 456 789 012 345", "123456789012345"},
                      FormatCase{1e15, "1E15", "1E15"}, FormatCase{-123456, "-123 456", "-123456"},
                      FormatCase{-123, "-123", "-123"}, FormatCase{2.5e-3, "0.0025", "0.0025"},
                      FormatCase{1.0 / 3, "0.333333333333333", "0.333333333333333"}));

TEST(FormatValueTest, UsesTheGivenDecimalSeparator)
{
    EXPECT_EQ(FormatValue(1234.5, QLatin1Char(',')), QStringLiteral("1 234,5"));
    EXPECT_EQ(GeneralDecimal(0.25, QLatin1Char(',')), QStringLiteral("0,25"));
}

TEST(FormatValueTest, DefaultLocaleSeparator)
{
    QLocale::setDefault(QLocale(QLocale::German));
    EXPECT_EQ(FormatValue(1234.5), QStringLiteral("1 234,5"));
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(FormatValue(1234.5), QStringLiteral("1 234.5"));
}

TEST(FormatValueTest, NonFiniteValuesDoNotCrash)
{
    EXPECT_EQ(FormatValue(std::numeric_limits<double>::quiet_NaN(), QLatin1Char('.')), QStringLiteral("NAN"));
    EXPECT_EQ(FormatValue(-std::numeric_limits<double>::infinity(), QLatin1Char('.')), QStringLiteral("-INF"));
}

}  // namespace
