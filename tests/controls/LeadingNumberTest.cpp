#include "controls/NumberConversion.h"
#include "model/Rounding.h"

#include <cmath>
#include <limits>
#include <optional>

#include <QByteArray>

#include <gtest/gtest.h>

namespace tarn {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct NumberRow
{
    const char* name;
    QByteArray value;
    double expected;
};

using LeadingNumber = ::testing::TestWithParam<NumberRow>;

TEST_P(LeadingNumber, ReadsTheLeadingNumber)
{
    EXPECT_EQ(leadingNumber(GetParam().value), GetParam().expected);
}

const NumberRow kNumberRows[] = {
    {"Empty", "", 0},
    {"TrailingLetters", "12abc", 12},
    {"NoDigit", "abc", 0},
    {"BlanksBetweenDigits", " 1 2", 12},
    {"TabsAndLineFeedsSkipped", "\t-\n3 ", -3},
    {"DoubleSign", "--1", 0},
    {"Fraction", "+2.5", 2.5},
    {"FractionWithoutIntegerPart", ".5", 0.5},
    {"PointOnly", ".", 0},
    {"SecondPointEnds", "1.2.3", 1.2},
    {"ExponentWithSign", "1E+2", 100},
    {"NegativeExponent", "25e-1", 2.5},
    {"ExponentWithoutDigitsEndsBeforeE", "7e-x", 7},
    {"DIsNoExponent", "1D2", 1},
    // Decided: the "&H" and "&O" forms are not numbers.
    {"HexFormNotAccepted", "&H10", 0},
    {"HighBytesAreNotDigits", "\xFF\x35", 0}, // 0xFF, '5'
    {"Overflow", "-1e400", -kInf},
    {"Underflow", "1e-999", 0},
    {"HugeExponentDigits", "1e99999999999999999999999", kInf},
    {"ManyLeadingFractionZeros", "0." + QByteArray(400, '0') + "1e401", 1},
    // 2^53 + 1 lies halfway between two doubles: only the far non-zero digit decides.
    {"HalfwayRoundsToEven", "9007199254740993", 9007199254740992.0},
    {"DigitsFarBeyondStillRound", "9007199254740993." + QByteArray(900, '0') + "1",
     9007199254740994.0},
    // Digits beyond what a double needs are not kept, so these convert quickly.
    {"AMillionDigits", QByteArray(1'000'000, '9'), kInf},
    {"AMillionLeadingZeros", "0." + QByteArray(1'000'000, '0') + "5e1000001", 5},
    // The usual short forms take a quicker way that must round the same.
    {"FractionAmongBlanks", " 12345.4 ", 12345.4},
    {"FifteenDigits", "-12345678.9012345", -12345678.9012345},
    {"SixteenDigits", "1234567890.123456", 1234567890.123456},
    {"BlankAfterThePoint", "1. 5", 1.5},
    {"NegativeZeroFraction", "-0.000", 0},
};

INSTANTIATE_TEST_SUITE_P(Rows, LeadingNumber, testing::ValuesIn(kNumberRows),
                         [](const auto& info) { return std::string(info.param.name); });

struct WholeRow
{
    const char* name;
    QByteArray value;
    std::optional<std::int32_t> expected;
    friend void PrintTo(const WholeRow& row, std::ostream* out) { *out << row.name; }
};

class LeadingWholeNumber : public testing::TestWithParam<WholeRow>
{
};

// Where it answers, it answers as leadingNumber does.
TEST_P(LeadingWholeNumber, AnswersOnlyForPlainWholeNumbers)
{
    const auto whole = leadingWholeNumber(GetParam().value);
    EXPECT_EQ(whole, GetParam().expected);
    if (whole) {
        EXPECT_EQ(double(*whole), leadingNumber(GetParam().value));
    }
}

const WholeRow kWholeRows[] = {
    {"Digits", "16", 16},
    {"SignAndBlanks", " \t-3 \n", -3},
    {"PlusSign", "+7", 7},
    {"NineDigits", "-999999999", -999999999},
    {"TrailingLetters", "12abc", 12},
    {"TenDigits", "1234567890", std::nullopt},
    {"Fraction", "2.5", std::nullopt},
    {"BlankBetweenDigits", "1 2", std::nullopt},
    {"Exponent", "5 e2", std::nullopt},
    {"NoDigit", "OFFSET", std::nullopt},
    {"SignOnly", "-", std::nullopt},
    {"Empty", "", std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Rows, LeadingWholeNumber, testing::ValuesIn(kWholeRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RoundHalfEven, RoundsHalvesToTheEvenNeighbour)
{
    const double cases[][2] = {
        {2.5, 2},       {3.5, 4},   {-2.5, -2},   {-3.5, -4},
        {2.4999999, 2}, {-1.2, -1}, {kInf, kInf}, {4503599627370497.0, 4503599627370497.0},
        {-7, -7},       {0.5, 0},   {1.5, 2},     {4503599627370495.5, 4503599627370496.0}};
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(roundHalfEven(value), expected) << value;
    EXPECT_TRUE(std::isnan(roundHalfEven(std::nan(""))));
}

} // namespace
} // namespace tarn
