#include "platform/Errors.h"
#include "platform/IntegerText.h"

#include <gtest/gtest.h>

namespace {

struct IntCase {
    const char* text;
    std::optional<int64_t> as32; // nullopt: no 32-bit integer
    std::optional<int64_t> as64;
};

const IntCase kCases[] = {
    {"0", 0, 0},
    {"514", 514, 514},
    {"   42", 42, 42},
    {"+7", 7, 7},
    {"-7", -7, -7},
    {"007", 7, 7},
    {"2147483647", 2147483647, 2147483647},
    {"-2147483648", INT32_MIN, -2147483648LL},
    {"2147483648", std::nullopt, 2147483648LL},
    {"-2147483649", std::nullopt, -2147483649LL},
    {"9223372036854775807", std::nullopt, INT64_MAX},
    {"-9223372036854775808", std::nullopt, INT64_MIN},
    {"9223372036854775808", std::nullopt, std::nullopt},
    {"$FF", 255, 255},
    {"xff", 255, 255},
    {"XfF", 255, 255},
    {"0x10", 16, 16},
    {"0X10", 16, 16},
    {"-$10", -16, -16},
    {"$FFFFFFFF", -1, 0xFFFFFFFFLL},
    {"$80000000", INT32_MIN, 0x80000000LL},
    {"$000000001", 1, 1},
    {"$100000000", std::nullopt, 0x100000000LL},
    {"$FFFFFFFFFFFFFFFF", std::nullopt, -1},
    {"$10000000000000000", std::nullopt, std::nullopt},
    {"", std::nullopt, std::nullopt},
    {"   ", std::nullopt, std::nullopt},
    {"-", std::nullopt, std::nullopt},
    {"+", std::nullopt, std::nullopt},
    {"$", std::nullopt, std::nullopt},
    {"0x", std::nullopt, std::nullopt},
    {"12 ", std::nullopt, std::nullopt},
    {"\t12", std::nullopt, std::nullopt},
    {"- 5", std::nullopt, std::nullopt},
    {"+-5", std::nullopt, std::nullopt},
    {"1.0", std::nullopt, std::nullopt},
    {"1e3", std::nullopt, std::nullopt},
    {"$G", std::nullopt, std::nullopt},
    {"12abc", std::nullopt, std::nullopt},
    {"0", 0, 0},
    {"0x0", 0, 0},
};

class IntegerTextTest : public testing::TestWithParam<IntCase> {};

TEST_P(IntegerTextTest, ReadsBothWidths) {
    const IntCase& c = GetParam();
    const auto as32 = TryStrToInt(c.text);
    ASSERT_EQ(as32.has_value(), c.as32.has_value()) << c.text;
    if (as32) {
        EXPECT_EQ(*as32, *c.as32);
        EXPECT_EQ(StrToInt(c.text), *c.as32);
        EXPECT_EQ(StrToIntDef(c.text, 99), *c.as32);
    } else {
        EXPECT_EQ(StrToIntDef(c.text, 99), 99);
    }
    const auto as64 = TryStrToInt64(c.text);
    ASSERT_EQ(as64.has_value(), c.as64.has_value()) << c.text;
    if (as64) {
        EXPECT_EQ(*as64, *c.as64);
        EXPECT_EQ(StrToInt64(c.text), *c.as64);
    } else {
        EXPECT_EQ(StrToInt64Def(c.text, -99), -99);
    }
}

INSTANTIATE_TEST_SUITE_P(Syntax, IntegerTextTest, testing::ValuesIn(kCases));

TEST(IntegerTextErrors, NameTheTextInTheMessage) {
    try {
        StrToInt("12x");
        FAIL() << "no error raised";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'12x' is not a valid integer value");
    }
    try {
        StrToInt64("");
        FAIL() << "no error raised";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'' is not a valid integer value");
    }
}

} // namespace
