#include "platform/TextEncoding.h"
#include "platform/Trim.h"

#include <gtest/gtest.h>

namespace {

TEST(Trim, RemovesCodesZeroToThirtyTwoAtBothEnds) {
    const std::string withControls = std::string("\0\t \r\n", 5) + "a b" + std::string(" \x1f\0", 3);
    EXPECT_EQ(Trim(withControls), "a b");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Trim(""), "");
    EXPECT_EQ(Trim(" \xC3\x9C "), "\xC3\x9C"); // Ü keeps its bytes
    EXPECT_EQ(TrimLeft("  x  "), "x  ");
    EXPECT_EQ(TrimRight("  x  "), "  x");
}

TEST(TextEncoding, Utf8Validity) {
    EXPECT_TRUE(IsValidUtf8("plain"));
    EXPECT_TRUE(IsValidUtf8("\xC3\x9C\x62\x65\x72 \xE2\x9C\x93 \xF0\x9F\x98\x80"));
    EXPECT_FALSE(IsValidUtf8("\xC3"));             // cut short
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));         // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80")); // beyond U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xFC"));
}

TEST(TextEncoding, Cp1252RoundTripsEveryByte) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = Cp1252ToUtf8(all);
    EXPECT_TRUE(IsValidUtf8(utf8));
    EXPECT_EQ(Utf8ToCp1252(utf8), all);
    EXPECT_EQ(Cp1252ToUtf8("\x80\xDC"), "\xE2\x82\xAC\xC3\x9C"); // € Ü
}

TEST(TextEncoding, Cp1252ReplacesWhatItCannotHold) {
    EXPECT_EQ(Utf8ToCp1252("\xE2\x9C\x93"), "?");     // ✓
    EXPECT_EQ(Utf8ToCp1252("a\xFF" "b"), "a?b");       // invalid byte
    EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x98\x80"), "?"); // outside the BMP
}

TEST(TextEncoding, Utf16) {
    const std::string text = "A\xC3\x9C\xE2\x9C\x93\xF0\x9F\x98\x80";
    const std::u16string units = Utf8ToUtf16(text);
    EXPECT_EQ(units, (std::u16string{u'A', 0x00DC, 0x2713, 0xD83D, 0xDE00}));
    EXPECT_EQ(Utf16ToUtf8(units), text);
    EXPECT_EQ(Utf16ToUtf8(std::u16string{0xD800, u'x'}), "\xEF\xBF\xBDx"); // lone surrogate
    EXPECT_EQ(Utf16LEBytesToUtf8(std::string("A\0\xDC\0", 4)), "A\xC3\x9C");
    EXPECT_EQ(Utf16BEBytesToUtf8(std::string("\0A\0\xDC", 4)), "A\xC3\x9C");
    EXPECT_EQ(Utf16LEBytesToUtf8(std::string("A\0B", 3)), "A\xEF\xBF\xBD");
}

} // namespace

namespace {

TEST(TextEncoding, Utf8CharLength) {
    const std::string text = "a\xC3\x9C\xE2\x9C\x93\xF0\x9F\x98\x80\xFF\xC3";
    EXPECT_EQ(Utf8CharLength(text, 0), 1u);
    EXPECT_EQ(Utf8CharLength(text, 1), 2u);
    EXPECT_EQ(Utf8CharLength(text, 2), 0u); // a continuation byte starts no character
    EXPECT_EQ(Utf8CharLength(text, 3), 3u);
    EXPECT_EQ(Utf8CharLength(text, 6), 4u);
    EXPECT_EQ(Utf8CharLength(text, 10), 0u);
    EXPECT_EQ(Utf8CharLength(text, 11), 0u); // cut short at the end
    EXPECT_EQ(Utf8CharLength(text, 12), 0u);
}

struct FileBytes {
    std::string Bytes;
    std::string Text;
};

class DecodeTextFileCases : public testing::TestWithParam<FileBytes> {};

TEST_P(DecodeTextFileCases, MarkSelectsTheEncodingElseUtf8ElseWindows1252) {
    EXPECT_EQ(DecodeTextFile(GetParam().Bytes), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(
    TextEncoding, DecodeTextFileCases,
    testing::Values(
        FileBytes{"", ""},
        FileBytes{"{\"a\":1}", "{\"a\":1}"},
        FileBytes{"\xC3\x9C \xE2\x9C\x93", "\xC3\x9C \xE2\x9C\x93"},      // valid UTF-8
        FileBytes{"\xDC" "ber \x80", "\xC3\x9C" "ber \xE2\x82\xAC"},      // Windows-1252
        FileBytes{"\xEF\xBB\xBF" "\xC3\x9C", "\xC3\x9C"},                 // UTF-8 mark dropped
        FileBytes{"\xEF\xBB\xBF", ""},
        FileBytes{"\xEF\xBB\xBF" "a\xFF", "a\xEF\xBF\xBD"},               // bad byte after mark
        FileBytes{std::string("\xFF\xFE{\0\xDC\0\x13\x27", 8), "{\xC3\x9C\xE2\x9C\x93"},
        FileBytes{std::string("\xFE\xFF\0{\0\xDC\x27\x13", 8), "{\xC3\x9C\xE2\x9C\x93"},
        FileBytes{"\xFF\xFE", ""},
        FileBytes{"\xEF\xBB", "\xC3\xAF\xC2\xBB"}));                       // half a mark: 1252

} // namespace
