#include "platform/Errors.h"
#include "util/Utilities.h"

#include <gtest/gtest.h>
#include <optional>
#include <sstream>
#include <streambuf>
#include <string>

namespace {

// --- Character classes ----------------------------------------------------------------------

struct CharCase {
    char16_t character;
    bool alpha;
    bool numeric;
};

class CharacterClassTest : public testing::TestWithParam<CharCase> {};

TEST_P(CharacterClassTest, AreAsciiOnlyWithTheHyphenAsALetter) {
    const auto& c = GetParam();
    EXPECT_EQ(TUtilities::IsAlpha(c.character), c.alpha);
    EXPECT_EQ(TUtilities::IsNumeric(c.character), c.numeric);
    EXPECT_EQ(TUtilities::IsAlphaNumeric(c.character), c.alpha || c.numeric);
}

INSTANTIATE_TEST_SUITE_P(
    Characters, CharacterClassTest,
    testing::Values(CharCase{u'a', true, false}, CharCase{u'z', true, false},
                    CharCase{u'A', true, false}, CharCase{u'Z', true, false},
                    CharCase{u'-', true, false}, CharCase{u'0', false, true},
                    CharCase{u'9', false, true}, CharCase{u'@', false, false}, // before A
                    CharCase{u'[', false, false}, CharCase{u'`', false, false},
                    CharCase{u'{', false, false}, CharCase{u'/', false, false},
                    CharCase{u':', false, false}, CharCase{u' ', false, false},
                    CharCase{u'_', false, false}, CharCase{u'+', false, false},
                    CharCase{u'\0', false, false}, CharCase{u'\u00E9', false, false},
                    CharCase{u'\u00C4', false, false}, CharCase{u'\u0663', false, false},
                    CharCase{u'\uFF21', false, false}, CharCase{u'\u2010', false, false}));

// --- Leading word ---------------------------------------------------------------------------

struct ExtractCase {
    const char* text;
    const char* word;
    const char* rest;
};

class ExtractAlphaNumericStrTest : public testing::TestWithParam<ExtractCase> {};

TEST_P(ExtractAlphaNumericStrTest, CutsTheLeadingWord) {
    std::string text = GetParam().text;
    EXPECT_EQ(TUtilities::ExtractAlphaNumericStr(text), GetParam().word);
    EXPECT_EQ(text, GetParam().rest);
}

INSTANTIATE_TEST_SUITE_P(Texts, ExtractAlphaNumericStrTest,
                         testing::Values(ExtractCase{"abc-12 def", "abc-12", " def"},
                                         ExtractCase{" abc", "", " abc"}, ExtractCase{"", "", ""},
                                         ExtractCase{"abc", "abc", ""},
                                         ExtractCase{"--1", "--1", ""},
                                         ExtractCase{"ab_c", "ab", "_c"},
                                         ExtractCase{"x9\u00E9z", "x9", "\u00E9z"},
                                         ExtractCase{"\u00E4bc", "", "\u00E4bc"},
                                         ExtractCase{"key=value", "key", "=value"}));

// --- Thousands separators -------------------------------------------------------------------

struct SeparatorCase {
    int64_t value;
    const char* text;
};

class IntToStrWithSeperatorsTest : public testing::TestWithParam<SeparatorCase> {};

TEST_P(IntToStrWithSeperatorsTest, GroupsDigitsByThreeFromTheRight) {
    EXPECT_EQ(TUtilities::IntToStrWithSeperators(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, IntToStrWithSeperatorsTest,
    testing::Values(SeparatorCase{0, "0"}, SeparatorCase{7, "7"}, SeparatorCase{999, "999"},
                    SeparatorCase{1000, "1,000"}, SeparatorCase{100000, "100,000"},
                    SeparatorCase{1234567, "1,234,567"},
                    SeparatorCase{INT64_MAX, "9,223,372,036,854,775,807"}, SeparatorCase{-1, "-1"},
                    SeparatorCase{-999, "-999"}, SeparatorCase{-123456, "-123,456"},
                    SeparatorCase{-1000, "-1,000"}, SeparatorCase{-1234567, "-1,234,567"},
                    SeparatorCase{INT64_MIN, "-9,223,372,036,854,775,808"}));

// --- Stream to text -------------------------------------------------------------------------

struct StreamCase {
    std::string bytes;
    std::streamoff position;
    std::string text;
};

class StreamToStringTest : public testing::TestWithParam<StreamCase> {};

TEST_P(StreamToStringTest, ReadsFromThePositionAsWindows1252AndEndsAtTheEnd) {
    const auto& c = GetParam();
    std::istringstream stream(c.bytes);
    stream.seekg(c.position);
    EXPECT_EQ(TUtilities::StreamToString(stream), c.text);
    EXPECT_TRUE(stream.good());
    EXPECT_EQ(stream.tellg(), std::streampos(static_cast<std::streamoff>(c.bytes.size())));
}

INSTANTIATE_TEST_SUITE_P(
    Contents, StreamToStringTest,
    testing::Values(StreamCase{"Hello", 0, "Hello"}, StreamCase{"Hello", 2, "llo"},
                    StreamCase{"Hello", 4, "o"},
                    StreamCase{"Hello", 5, "Hello"}, // at its end: the whole stream
                    StreamCase{"", 0, ""},
                    StreamCase{"\x80 caf\xE9 \xFF\x81", 0, "\u20AC caf\u00E9 \u00FF\u0081"},
                    StreamCase{std::string("a\0b", 3), 1, std::string("\0b", 2)},
                    StreamCase{std::string(200000, 'x'), 199999, "x"}));

TEST(StreamToString, AStreamThatMetItsEndIsReadWhole) {
    std::istringstream stream("line one\nline two");
    std::string line;
    while (std::getline(stream, line)) {
    }
    ASSERT_TRUE(stream.eof());
    EXPECT_EQ(TUtilities::StreamToString(stream), "line one\nline two");
    EXPECT_TRUE(stream.good());
}

// A source that cannot seek: it hands out its text once and refuses to tell a position.
class ForwardOnlyBuffer : public std::streambuf {
public:
    explicit ForwardOnlyBuffer(std::string AText) : FText(std::move(AText)) {
        setg(FText.data(), FText.data(), FText.data() + FText.size());
    }

private:
    std::string FText;
};

TEST(StreamToString, AStreamThatCannotSeekIsReadFromWhereItStands) {
    ForwardOnlyBuffer buffer("skip rest");
    std::istream stream(&buffer);
    std::string word;
    stream >> word;
    EXPECT_EQ(TUtilities::StreamToString(stream), " rest");
}

// A source whose reading fails after the first bytes.
class FailingBuffer : public std::streambuf {
protected:
    int_type underflow() override {
        if (FServed)
            throw std::runtime_error("device error");
        FServed = true;
        setg(FText, FText, FText + 3);
        return traits_type::to_int_type(FText[0]);
    }

private:
    char FText[3] = {'a', 'b', 'c'};
    bool FServed = false;
};

TEST(StreamToString, AReadErrorIsRaisedNotReturnedAsText) {
    FailingBuffer buffer;
    std::istream stream(&buffer);
    EXPECT_THROW(TUtilities::StreamToString(stream), EFileError);
}

TEST(StreamToString, AStreamReportingItsErrorsPassesThemOn) {
    FailingBuffer buffer;
    std::istream stream(&buffer);
    stream.exceptions(std::ios::badbit);
    EXPECT_THROW(TUtilities::StreamToString(stream), std::runtime_error);
}

// Streams set to raise on any failure, as callers often set files up: reaching the end of the
// content is no failure, and the caller's choice of errors is kept.
TEST(StreamToString, AStreamRaisingOnEveryFailureIsReadWithoutError) {
    for (const std::streamoff position : {0, 3, 5}) {
        std::istringstream stream("Hello");
        stream.exceptions(std::ios::failbit | std::ios::badbit | std::ios::eofbit);
        stream.seekg(position);
        EXPECT_EQ(TUtilities::StreamToString(stream), position == 3 ? "lo" : "Hello");
        EXPECT_TRUE(stream.good());
        EXPECT_EQ(stream.exceptions(), std::ios::failbit | std::ios::badbit | std::ios::eofbit);
    }
}

TEST(StreamToString, AStreamRaisingOnEveryFailurePassesItsReadErrorOn) {
    FailingBuffer buffer;
    std::istream stream(&buffer);
    stream.exceptions(std::ios::failbit | std::ios::badbit);
    EXPECT_THROW(TUtilities::StreamToString(stream), std::runtime_error);
    EXPECT_TRUE(stream.bad());
    EXPECT_EQ(stream.exceptions(), std::ios::failbit | std::ios::badbit);
}

// --- Server addresses -----------------------------------------------------------------------

struct UrlCase {
    const char* text;
    const char* url;
    std::optional<uint16_t> port; // without one, a conversion error
    const char* message;
};

class ServerAddressTest : public testing::TestWithParam<UrlCase> {};

TEST_P(ServerAddressTest, GetURLFromURLString) {
    EXPECT_EQ(TUtilities::GetURLFromURLString(GetParam().text), GetParam().url);
}

TEST_P(ServerAddressTest, GetPortFromURLString) {
    const auto& c = GetParam();
    if (c.port) {
        EXPECT_EQ(TUtilities::GetPortFromURLString(c.text), *c.port);
        return;
    }
    try {
        TUtilities::GetPortFromURLString(c.text);
        ADD_FAILURE() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), c.message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, ServerAddressTest,
    testing::Values(
        UrlCase{"http://H:9200", "http://H", 9200, nullptr},
        UrlCase{"https://H:9243", "https://H", 9243, nullptr},
        UrlCase{"H:9200", "http://H", 9200, nullptr}, UrlCase{"H:0x10", "http://H", 16, nullptr},
        UrlCase{"http://H", "http://H", 80, nullptr},
        UrlCase{"https://H", "https://H", 443, nullptr},
        UrlCase{"HTTPS://H", "HTTPS://H", 80, nullptr}, // the scheme test is case-sensitive
        UrlCase{"http://H/", "http://H/", 80, nullptr},
        UrlCase{"https://H/", "https://H/", 443, nullptr},
        UrlCase{"http://H:8080/", "http://H", 8080, nullptr},
        UrlCase{"H:-1", "H:-1", 80, nullptr}, // -1 counts as no port
        UrlCase{"H:", "H:", 80, nullptr}, UrlCase{"H:abc", "H:abc", 80, nullptr},
        UrlCase{"http://H:0", "http://H", 0, nullptr},
        UrlCase{"http://H:65535", "http://H", 65535, nullptr},
        UrlCase{"9200", "9200", 9200, nullptr}, UrlCase{"9200/", "9200/", 9200, nullptr},
        UrlCase{"http://H:8080/path", "http://H", std::nullopt,
                "'8080/path' is not a valid integer value"},
        UrlCase{"http://H:", "http://H", std::nullopt, "'' is not a valid integer value"},
        UrlCase{"H", "H", std::nullopt, "'H' is not a valid integer value"},
        UrlCase{"", "", std::nullopt, "'' is not a valid integer value"},
        UrlCase{"a:b:c:d", "a:b:c:d", std::nullopt, "'a:b:c:d' is not a valid integer value"},
        UrlCase{"//", "//", std::nullopt, "'/' is not a valid integer value"},
        // Numbers that do not fit a port are refused rather than cut to 16 bits.
        UrlCase{"http://H:70000", "http://H", std::nullopt, "'70000' is not a valid port number"},
        UrlCase{"H:70000", "http://H", std::nullopt, "'70000' is not a valid port number"},
        UrlCase{"http://H:-5", "http://H", std::nullopt, "'-5' is not a valid port number"},
        UrlCase{"65536", "65536", std::nullopt, "'65536' is not a valid port number"}));

// --- 32-bit unsigned numbers ----------------------------------------------------------------

struct UInt32Case {
    const char* text;
    std::optional<uint32_t> value; // without one, a conversion error
    const char* message;
};

class StrToUInt32Test : public testing::TestWithParam<UInt32Case> {};

TEST_P(StrToUInt32Test, StrToUInt32) {
    const auto& c = GetParam();
    if (c.value) {
        EXPECT_EQ(TUtilities::StrToUInt32(c.text), *c.value);
        return;
    }
    try {
        TUtilities::StrToUInt32(c.text);
        ADD_FAILURE() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), c.message);
    }
}

TEST_P(StrToUInt32Test, StrToUInt32DefGivesTheDefaultInsteadOfAnError) {
    const auto& c = GetParam();
    EXPECT_EQ(TUtilities::StrToUInt32Def(c.text, 7), c.value.value_or(7));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StrToUInt32Test,
    testing::Values(UInt32Case{"0", 0, nullptr}, UInt32Case{"4294967295", 4294967295u, nullptr},
                    UInt32Case{"$FF", 255, nullptr}, UInt32Case{"0x10", 16, nullptr},
                    UInt32Case{"$FFFFFFFF", 4294967295u, nullptr}, UInt32Case{"  42", 42, nullptr},
                    UInt32Case{"+42", 42, nullptr}, UInt32Case{"-0", 0, nullptr},
                    UInt32Case{"4294967296", std::nullopt,
                               "\"0x0000000100000000\" is not within range of Cardinal data type"},
                    UInt32Case{"-1", std::nullopt,
                               "\"0xFFFFFFFFFFFFFFFF\" is not within range of Cardinal data type"},
                    UInt32Case{"-9223372036854775808", std::nullopt,
                               "\"0x8000000000000000\" is not within range of Cardinal data type"},
                    UInt32Case{"$FFFFFFFFFFFFFFFF", std::nullopt,
                               "\"0xFFFFFFFFFFFFFFFF\" is not within range of Cardinal data type"},
                    UInt32Case{"12 ", std::nullopt, "'12 ' is not a valid integer value"},
                    UInt32Case{"abc", std::nullopt, "'abc' is not a valid integer value"},
                    UInt32Case{"", std::nullopt, "'' is not a valid integer value"},
                    UInt32Case{"99999999999999999999", std::nullopt,
                               "'99999999999999999999' is not a valid integer value"}));

} // namespace
