#include "platform/Errors.h"
#include "platform/Format.h"

#include <gtest/gtest.h>

namespace {

TEST(Format, Placeholders) {
    EXPECT_EQ(Format("Config saved to %s", {"/var/lib/x.json"}), "Config saved to /var/lib/x.json");
    EXPECT_EQ(Format("%d|%u|%x", {-5, 7u, 255}), "-5|7|FF");
    EXPECT_EQ(Format("100%%", {}), "100%");
    EXPECT_EQ(Format("no placeholders", {}), "no placeholders");
    EXPECT_EQ(Format("%s and %s", {std::string("a"), std::string_view("b")}), "a and b");
}

struct WidthCase {
    const char* format;
    FormatArg arg;
    const char* expected;
};

TEST(Format, WidthPadsWithBlanksAndPrecisionWithZeros) {
    const WidthCase cases[] = {
        {"%5d", 42, "   42"},      {"%-5d|", 42, "42   |"},  {"%.4d", 42, "0042"},
        {"%.4d", -42, "-0042"},    {"%6.4d", 42, "  0042"},  {"%.4x", 10, "000A"},
        {"%4x", 10, "   A"},       {"%.2d", 12345, "12345"}, {"%5s", "ab", "   ab"},
        {"%-5s|", "ab", "ab   |"}, {"%.2s", "abcdef", "ab"}, {"%3s", "Ü", "  Ü"},
        {"%.1s", "Überwachung", "Ü"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format(c.format, {c.arg}), c.expected) << c.format;
}

TEST(Format, NegativeNumbersAsUnsignedUseTheirOwnWidth) {
    EXPECT_EQ(Format("%x", {-1}), "FFFFFFFF");
    EXPECT_EQ(Format("%u", {-1}), "4294967295");
    EXPECT_EQ(Format("%x", {int64_t{-1}}), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(Format("%d", {uint32_t{4294967295u}}), "4294967295");
    EXPECT_EQ(Format("%d", {INT64_MIN}), "-9223372036854775808");
}

TEST(Format, MismatchedArgumentsRaise) {
    EXPECT_THROW(Format("%d", {"text"}), EConvertError);
    EXPECT_THROW(Format("%s", {5}), EConvertError);
    EXPECT_THROW(Format("%s %s", {"one"}), EConvertError);
    EXPECT_THROW(Format("%q", {1}), EConvertError);
    EXPECT_THROW(Format("trailing %", {1}), EConvertError);
}

} // namespace
