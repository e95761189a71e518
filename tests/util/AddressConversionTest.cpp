#include "platform/Errors.h"
#include "util/Utilities.h"

#include <array>
#include <bit>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace {

enum class Outcome { Address, WrongPartCount, BadPart };

struct QuadCase {
    const char* text;
    Outcome outcome;
    uint32_t address;    // for Outcome::Address
    const char* message; // for the errors
};

constexpr const char* kWrongCount = "Invalid dotted quad address";

const QuadCase kQuadCases[] = {
    {"1.2.3.4", Outcome::Address, 0x01020304, nullptr},
    {"255.255.255.255", Outcome::Address, 0xFFFFFFFF, nullptr},
    {"0.0.0.0", Outcome::Address, 0, nullptr},
    {"192.168.000.001", Outcome::Address, 0xC0A80001, nullptr}, // leading zeros are decimal
    {" 1.2.3.4", Outcome::Address, 0x01020304, nullptr},
    {"1. 2.  3.   4", Outcome::Address, 0x01020304, nullptr},
    {"0x7F.0.0.1", Outcome::Address, 0x7F000001, nullptr},
    {"$7F.0.0.1", Outcome::Address, 0x7F000001, nullptr},
    {"+1.2.3.4", Outcome::Address, 0x01020304, nullptr},
    // Quoted parts lose their quotes; what follows a closing quote starts a further part.
    {"\"1\".2.3.4", Outcome::Address, 0x01020304, nullptr},
    {"1.2.3.\"4\"", Outcome::Address, 0x01020304, nullptr},
    {"\"1\"2.3.4", Outcome::Address, 0x01020304, nullptr},
    {"\"1.2\".3.4", Outcome::WrongPartCount, 0, kWrongCount},
    {"\"1.2.3.4", Outcome::WrongPartCount, 0, kWrongCount},
    {"1.2.3.\"4\".", Outcome::WrongPartCount, 0, kWrongCount},
    {"\"\"\"1\".2.3.4", Outcome::BadPart, 0, "'\"1' is not a valid integer value"},
    {"1.2.\"\".4", Outcome::BadPart, 0, "'' is not a valid integer value"},
    // Part counts.
    {"", Outcome::WrongPartCount, 0, kWrongCount},
    {"1.2.3", Outcome::WrongPartCount, 0, kWrongCount},
    {"1.2.3.4.5", Outcome::WrongPartCount, 0, kWrongCount},
    {"1.2.3.4.", Outcome::WrongPartCount, 0, kWrongCount},
    {"...", Outcome::BadPart, 0, "'' is not a valid integer value"},
    {"1..3.4", Outcome::BadPart, 0, "'' is not a valid integer value"},
    {".1.2.3", Outcome::BadPart, 0, "'' is not a valid integer value"},
    // Parts that are no integer, reported in order.
    {"1.2.3.4 ", Outcome::BadPart, 0, "'4 ' is not a valid integer value"},
    {"\t1.2.3.4", Outcome::BadPart, 0, "'\t1' is not a valid integer value"},
    {"a.b.c.d", Outcome::BadPart, 0, "'a' is not a valid integer value"},
    {"1.2.x.4", Outcome::BadPart, 0, "'x' is not a valid integer value"},
    {"1.2.3.4e0", Outcome::BadPart, 0, "'4e0' is not a valid integer value"},
    {"1.2.3.99999999999", Outcome::BadPart, 0, "'99999999999' is not a valid integer value"},
    // Integers that do not fit a byte name no address.
    {"256.1.1.1", Outcome::BadPart, 0, "'256' is not a valid dotted quad address part"},
    {"-1.0.0.0", Outcome::BadPart, 0, "'-1' is not a valid dotted quad address part"},
    {"1.2.3.$FFFFFFFF", Outcome::BadPart, 0, "'$FFFFFFFF' is not a valid dotted quad address part"},
    {"1.2.3.$100", Outcome::BadPart, 0, "'$100' is not a valid dotted quad address part"},
};

class DottedQuadTest : public testing::TestWithParam<QuadCase> {};

TEST_P(DottedQuadTest, DottedQuadToUInt32) {
    const auto& c = GetParam();
    switch (c.outcome) {
    case Outcome::Address:
        EXPECT_EQ(TUtilities::DottedQuadToUInt32(c.text), c.address);
        break;
    case Outcome::WrongPartCount:
        try {
            TUtilities::DottedQuadToUInt32(c.text);
            ADD_FAILURE() << "no error";
        } catch (const EArgumentException& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
        break;
    case Outcome::BadPart:
        try {
            TUtilities::DottedQuadToUInt32(c.text);
            ADD_FAILURE() << "no error";
        } catch (const EConvertError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
        break;
    }
}

TEST_P(DottedQuadTest, TryDottedQuadToUInt32WritesOnlyOnSuccess) {
    const auto& c = GetParam();
    uint32_t out = 0xDEADBEEF;
    const bool ok = TUtilities::TryDottedQuadToUInt32(c.text, out);
    EXPECT_EQ(ok, c.outcome == Outcome::Address);
    EXPECT_EQ(out, ok ? c.address : 0xDEADBEEF);
}

INSTANTIATE_TEST_SUITE_P(Texts, DottedQuadTest, testing::ValuesIn(kQuadCases));

TEST(DottedQuad, AFailureAfterValidPartsLeavesTheOutputAlone) {
    uint32_t out = 7;
    EXPECT_FALSE(TUtilities::TryDottedQuadToUInt32("10.20.30.x", out));
    EXPECT_FALSE(TUtilities::TryDottedQuadToUInt32("10.20.30.256", out));
    EXPECT_EQ(out, 7u);
}

struct WriteCase {
    uint32_t address;
    const char* text;
};

class UInt32ToDottedQuadTest : public testing::TestWithParam<WriteCase> {};

TEST_P(UInt32ToDottedQuadTest, WritesTheBytesFromTheMostSignificant) {
    EXPECT_EQ(TUtilities::UInt32ToDottedQuad(GetParam().address), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Addresses, UInt32ToDottedQuadTest,
                         testing::Values(WriteCase{0xC0A80001, "192.168.0.1"},
                                         WriteCase{0, "0.0.0.0"},
                                         WriteCase{0xFFFFFFFF, "255.255.255.255"},
                                         WriteCase{0x01020304, "1.2.3.4"},
                                         WriteCase{0x0A00FF7F, "10.0.255.127"}));

TEST(DottedQuad, EveryAddressSurvivesWritingAndReading) {
    std::mt19937 random(1234);
    for (int i = 0; i < 100000; ++i) {
        const uint32_t address = random();
        const std::string text = TUtilities::UInt32ToDottedQuad(address);
        ASSERT_EQ(TUtilities::DottedQuadToUInt32(text), address) << text;
        uint32_t out = 0;
        ASSERT_TRUE(TUtilities::TryDottedQuadToUInt32(text, out)) << text;
        ASSERT_EQ(out, address) << text;
    }
}

std::array<unsigned char, 4> BytesInMemory(uint32_t AValue) {
    std::array<unsigned char, 4> bytes{};
    std::memcpy(bytes.data(), &AValue, bytes.size());
    return bytes;
}

TEST(ByteOrder, NetworkOrderPutsTheMostSignificantByteFirstInMemory) {
    for (const uint32_t value : {0x01020304u, 0xC0A80001u, 0u, 0xFFFFFFFFu, 0x80000001u}) {
        const std::array<unsigned char, 4> expected{
            static_cast<unsigned char>(value >> 24), static_cast<unsigned char>(value >> 16),
            static_cast<unsigned char>(value >> 8), static_cast<unsigned char>(value)};
        EXPECT_EQ(BytesInMemory(TUtilities::HostToNetworkByteOrder(value)), expected);
        EXPECT_EQ(TUtilities::NetworkToHostByteOrder(TUtilities::HostToNetworkByteOrder(value)),
                  value);
    }
    if constexpr (std::endian::native == std::endian::little) {
        EXPECT_EQ(TUtilities::HostToNetworkByteOrder(0x01020304), 0x04030201u);
    }
}

TEST(Adapters, EachCallHandsOutItsOwnEmptyMap) {
    auto first = TUtilities::GetIPv4Adapters();
    EXPECT_TRUE(first.empty());
    first.emplace(0x01020304, "eth0");
    EXPECT_TRUE(TUtilities::GetIPv4Adapters().empty());
}

} // namespace
