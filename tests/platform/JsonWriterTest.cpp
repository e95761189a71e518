#include "platform/JsonReader.h"
#include "platform/JsonValue.h"
#include "platform/JsonWriter.h"

#include <gtest/gtest.h>

namespace {

struct Escaping {
    std::string Text;     // the string's content (UTF-8, possibly invalid)
    std::string Compact;  // as the compact writer writes it
    std::string Indented; // as the indented writer writes it
};

class StringEscaping : public testing::TestWithParam<Escaping> {};

TEST_P(StringEscaping, BothForms) {
    const JsonString value(GetParam().Text);
    EXPECT_EQ(JsonCompactText(value), GetParam().Compact);
    EXPECT_EQ(JsonQuotedString(GetParam().Text), GetParam().Compact);
    EXPECT_EQ(JsonIndentedText(value), GetParam().Indented);
}

INSTANTIATE_TEST_SUITE_P(
    Json, StringEscaping,
    testing::Values(
        Escaping{"plain text", R"("plain text")", R"("plain text")"},
        Escaping{"", R"("")", R"("")"},
        Escaping{"\"\\/\b\f\n\r\t", R"("\"\\\/\b\f\n\r\t")", R"("\"\\\/\b\f\n\r\t")"},
        Escaping{"C:\\Logs\\Syslog", R"("C:\\Logs\\Syslog")", R"("C:\\Logs\\Syslog")"},
        // Other control characters: \u in the compact form; in the file too, as JSON allows
        // them nowhere else and the file must read back.
        Escaping{std::string("\0\x01\x1f", 3), R"("\u0000\u0001\u001F")",
                 R"("\u0000\u0001\u001F")"},
        Escaping{"\x7f", "\"\x7f\"", "\"\x7f\""}, // DEL is no control character for JSON
        Escaping{"\xC3\x9C" "berwachung \xE2\x9C\x93", R"("\u00DCberwachung \u2713")",
                 "\"\xC3\x9C" "berwachung \xE2\x9C\x93\""},
        Escaping{"\xF0\x9F\x98\x80", R"("\uD83D\uDE00")", "\"\xF0\x9F\x98\x80\""},
        Escaping{"\xC2\x80", R"("\u0080")", "\"\xC2\x80\""},
        // Invalid UTF-8: each bad byte becomes U+FFFD, so the output is always valid UTF-8.
        Escaping{"a\xFF" "b\xC3", R"("a\uFFFDb\uFFFD")", "\"a\xEF\xBF\xBD" "b\xEF\xBF\xBD\""},
        Escaping{"\xED\xA0\x80", R"("\uFFFD\uFFFD\uFFFD")",
                 "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""}));

TEST(JsonCompactText, NoWhiteSpaceAndMembersInOrder) {
    const auto value = ParseJson(R"( { "b" : [ 1 , 2.50 , { } , [ ] ] , "a" : null , "c" : -0 } )");
    EXPECT_EQ(JsonCompactText(*value), R"({"b":[1,2.50,{},[]],"a":null,"c":-0})");
    EXPECT_EQ(JsonCompactText(JsonNumber(42)), "42");
    EXPECT_EQ(JsonCompactText(JsonBoolean(false)), "false");
}

TEST(JsonIndentedText, LayoutOfNestedAndEmptyContainers) {
    const auto value = ParseJson(
        R"({"o": {"e": {}, "a": [], "n": [1, [true]]}, "s": "x", "z": null, "l": [{}]})");
    const std::string expected = "{\r\n"
                                 "    \"o\": {\r\n"
                                 "        \"e\": {\r\n"
                                 "        },\r\n"
                                 "        \"a\": [\r\n"
                                 "        ],\r\n"
                                 "        \"n\": [\r\n"
                                 "            1,\r\n"
                                 "            [\r\n"
                                 "                true\r\n"
                                 "            ]\r\n"
                                 "        ]\r\n"
                                 "    },\r\n"
                                 "    \"s\": \"x\",\r\n"
                                 "    \"z\": null,\r\n"
                                 "    \"l\": [\r\n"
                                 "        {\r\n"
                                 "        }\r\n"
                                 "    ]\r\n"
                                 "}";
    EXPECT_EQ(JsonIndentedText(*value), expected);
}

TEST(JsonIndentedText, TopLevelEmptyContainersAndScalars) {
    EXPECT_EQ(JsonIndentedText(JsonObject()), "{\r\n}");
    EXPECT_EQ(JsonIndentedText(JsonArray()), "[\r\n]");
    EXPECT_EQ(JsonIndentedText(JsonNumber(-7)), "-7");
    EXPECT_EQ(JsonIndentedText(JsonNull()), "null");
}

TEST(JsonIndentedText, KeysAreEscapedLikeStrings) {
    JsonObject object;
    object.AddNumber("a/\"b\"", 1);
    EXPECT_EQ(JsonIndentedText(object), "{\r\n    \"a\\/\\\"b\\\"\": 1\r\n}");
    EXPECT_EQ(JsonCompactText(object), R"({"a\/\"b\"":1})");
}

TEST(JsonWriters, WhatTheyWriteReadsBackUnchanged) {
    const std::string text = "{\"k\\u0001\": [\"\\u00dc\\ud83d\\ude00\\/\", 1.5e-3, {\"\": false}]}";
    const auto value = ParseJson(text);
    for (const std::string& written : {JsonCompactText(*value), JsonIndentedText(*value)}) {
        const auto again = ParseJson(written);
        EXPECT_EQ(JsonCompactText(*again), JsonCompactText(*value));
        EXPECT_EQ(JsonIndentedText(*again), JsonIndentedText(*value));
    }
}

} // namespace
