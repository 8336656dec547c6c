#include "model/ByteOrder.h"

#include <cstdint>

#include <gtest/gtest.h>

namespace tarn {
namespace {

struct SwapCase
{
    const char* name;
    std::int32_t input;
    std::int32_t expected;
};

class ClngEndianTest : public ::testing::TestWithParam<SwapCase>
{
};

TEST_P(ClngEndianTest, ReversesTheFourBytesAndIsItsOwnInverse)
{
    const SwapCase& c = GetParam();
    EXPECT_EQ(ClngEndian(c.input), c.expected);
    EXPECT_EQ(ClngEndian(c.expected), c.input);
}

INSTANTIATE_TEST_SUITE_P(Values, ClngEndianTest,
                         ::testing::Values(SwapCase{"One", 1, 16777216},
                                           SwapCase{"SignBitFromLowByte", 128, INT32_MIN},
                                           SwapCase{"MinusOne", -1, -1},
                                           SwapCase{"Pointer300", 300, 0x2C010000},
                                           SwapCase{"Mixed", 0x12345678, 0x78563412},
                                           SwapCase{"NegativeInput", INT32_MIN + 0x7F, 0x7F000080}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarn
