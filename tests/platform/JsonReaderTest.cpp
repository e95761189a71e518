#include "platform/Errors.h"
#include "platform/JsonReader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// The text in a heap block of exactly its size, so that AddressSanitizer reports any read past
// its end (a std::string would hide one behind its terminating NUL).
class ExactBuffer {
public:
    explicit ExactBuffer(const std::string& AText)
        : FSize(AText.size()), FBytes(std::make_unique<char[]>(AText.size())) {
        std::memcpy(FBytes.get(), AText.data(), AText.size());
    }
    std::string_view View() const { return {FBytes.get(), FSize}; }

private:
    size_t FSize;
    std::unique_ptr<char[]> FBytes;
};

struct BadJson {
    std::string Text;
    size_t Line;
    size_t Column;
    std::string Reason;
};

class ParseErrors : public testing::TestWithParam<BadJson> {};

TEST_P(ParseErrors, NameLineColumnAndReason) {
    const BadJson& bad = GetParam();
    const ExactBuffer buffer(bad.Text);
    try {
        ParseJson(buffer.View());
        FAIL() << "no error for " << bad.Text;
    } catch (const EJSONParseError& error) {
        EXPECT_EQ(error.Line(), bad.Line);
        EXPECT_EQ(error.Column(), bad.Column);
        EXPECT_EQ(error.Reason(), bad.Reason);
        EXPECT_EQ(std::string(error.what()),
                  "Invalid JSON at line " + std::to_string(bad.Line) + ", column " +
                      std::to_string(bad.Column) + ": " + bad.Reason);
    }
}

const std::string kNotSingular = "The document root must not be followed by other values.";
const std::string kInvalidEncoding = "Invalid encoding in string.";

INSTANTIATE_TEST_SUITE_P(
    Json, ParseErrors,
    testing::Values(
        BadJson{"", 1, 1, "The document is empty."},
        BadJson{" \r\n\t ", 2, 3, "The document is empty."},
        BadJson{"{\r\n  \"a\": 1,\r\n  \"b\" 2\r\n}", 3, 7,
                "Missing a colon after a name of object member."},
        BadJson{"[1,]", 1, 4, "Invalid value."},
        BadJson{"{\"a\":1", 1, 7, "Missing a comma or '}' after an object member."},
        // Columns count characters, not bytes.
        BadJson{"{\"\xC3\x9C\xE2\x9C\x93\": x}", 1, 8, "Invalid value."},
        BadJson{"{} {}", 1, 4, kNotSingular},
        BadJson{"01", 1, 2, kNotSingular},
        BadJson{std::string("{}\0{}", 5), 1, 3, kNotSingular}, // a NUL does not end the text
        BadJson{std::string("{}\0", 3), 1, 3, kNotSingular},
        BadJson{std::string("[\"a\0\"]", 6), 1, 4, "Missing a closing quotation mark in string."},
        BadJson{"\"ab", 1, 4, "Missing a closing quotation mark in string."},
        BadJson{"\"ab\xC3", 1, 4, kInvalidEncoding},       // ends inside a character
        BadJson{"\"ab\xE2\x9C", 1, 4, kInvalidEncoding},
        BadJson{"[\"\xF0\x9F\x98", 1, 3, kInvalidEncoding},
        BadJson{"\"\xC3\"", 1, 2, kInvalidEncoding},
        BadJson{"\"\xC0\xAF\"", 1, 2, kInvalidEncoding},    // overlong
        BadJson{"\"\xED\xA0\x80\"", 1, 2, kInvalidEncoding}, // surrogate
        BadJson{"\"\xFF\"", 1, 2, kInvalidEncoding},
        BadJson{"[\"\x01\"]", 1, 3, "Invalid escape character in string."},
        BadJson{"\"\\x\"", 1, 2, "Invalid escape character in string."},
        BadJson{"\"\\uD800\"", 1, 2, "The surrogate pair in string is invalid."},
        // A low surrogate without its high one would leave a surrogate in the UTF-8 text.
        BadJson{"[\"ab\\\"\\uDC00\"]", 1, 3, "The surrogate pair in string is invalid."},
        BadJson{"{\"a\": 1,\n \"\\\\\\uDFFF\": 2}", 2, 3,
                "The surrogate pair in string is invalid."},
        BadJson{"\"\\u12G4\"", 1, 2, "Incorrect hex digit after \\u escape in string."},
        BadJson{"1e400", 1, 1, "Number too big to be stored in double."},
        BadJson{"1.", 1, 3, "Miss fraction part in number."},
        BadJson{"[1e]", 1, 4, "Miss exponent in number."},
        BadJson{"{1:2}", 1, 2, "Missing a name for object member."},
        BadJson{"[1 2]", 1, 4, "Missing a comma or ']' after an array element."},
        BadJson{"// comment\n{}", 1, 1, "Invalid value."},
        BadJson{"\xEF\xBB\xBF{}", 1, 1, "Invalid value."}, // the mark is the file reader's business
        BadJson{"tru", 1, 4, "Invalid value."}));

TEST(ParseJson, ReadsEveryKindOfValue) {
    const auto value = ParseJson(" {\"s\": \"\xC3\x9C\\n\", \"n\": -1.5e3, \"t\": true,"
                                 " \"f\": false,"
                                 " \"z\": null, \"a\": [[], {}], \"o\": {\"k\": 1}} ");
    const JsonObject& object = *value->AsObject();
    EXPECT_EQ(object.Find("s")->PlainText(), "\xC3\x9C\n");
    EXPECT_EQ(object.Find("n")->JsonText(), "-1.5e3");
    EXPECT_EQ(object.Find("t")->Kind(), JsonKind::Boolean);
    EXPECT_EQ(object.Find("f")->PlainText(), "false");
    EXPECT_EQ(object.Find("z")->Kind(), JsonKind::Null);
    EXPECT_EQ(object.Find("a")->JsonText(), "[[],{}]");
    EXPECT_EQ(object.Find("o")->AsObject()->Find("k")->PlainText(), "1");
}

// Characters next to the surrogates, and surrogate pairs, are whole characters.
TEST(ParseJson, EscapedCharactersAroundTheSurrogatesAreRead) {
    const auto value = ParseJson(R"(["\uD7FF\uE000", "\uDBFF\uDFFF"])");
    const JsonArray& array = *value->AsArray();
    EXPECT_EQ(array.Item(0).PlainText(), "\xED\x9F\xBF\xEE\x80\x80");
    EXPECT_EQ(array.Item(1).PlainText(), "\xF4\x8F\xBF\xBF");
}

TEST(ParseJson, StringsMayHoldNulCharacters) {
    const auto value = ParseJson(R"("a\u0000b")");
    EXPECT_EQ(value->PlainText(), std::string("a\0b", 3));
}

std::string Nested(size_t ADepth, const char* AOpen, const char* AClose,
                   const char* AInnermost = "") {
    std::string text;
    for (size_t i = 0; i < ADepth; ++i)
        text += AOpen;
    text += AInnermost;
    for (size_t i = 0; i < ADepth; ++i)
        text += AClose;
    return text;
}

TEST(ParseJson, NestingUpToTheLimitIsRead) {
    const auto arrays = ParseJson(Nested(kMaxJsonDepth, "[", "]"));
    EXPECT_EQ(arrays->JsonText(), Nested(kMaxJsonDepth, "[", "]"));
    const auto objects = ParseJson(Nested(kMaxJsonDepth, "{\"k\":", "}", "0"));
    EXPECT_TRUE(objects->IsObject());
}

TEST(ParseJson, NestingBeyondTheLimitIsRefused) {
    for (const std::string& text :
         {Nested(kMaxJsonDepth + 1, "[", "]"), Nested(100000, "[", ""),
          "{\"a\":" + Nested(kMaxJsonDepth, "[", "]") + "}"}) {
        try {
            ParseJson(ExactBuffer(text).View());
            FAIL() << "deep nesting was read";
        } catch (const EJSONParseError& error) {
            EXPECT_EQ(error.Reason(), "Nesting deeper than 512 levels.");
            EXPECT_EQ(error.Line(), 1u);
        }
    }
}

TEST(ParseJson, TooDeepNamesTheBracketOneLevelTooDeep) {
    const std::string text = "[\n" + Nested(kMaxJsonDepth, " [", "]") + "]";
    try {
        ParseJson(text);
        FAIL() << "deep nesting was read";
    } catch (const EJSONParseError& error) {
        EXPECT_EQ(error.Line(), 2u);
        EXPECT_EQ(error.Column(), 2 * kMaxJsonDepth);
    }
}

} // namespace
