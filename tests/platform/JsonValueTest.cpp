#include "platform/Errors.h"
#include "platform/JsonReader.h"
#include "platform/JsonValue.h"
#include "platform/JsonWriter.h"

#include <gtest/gtest.h>

namespace {

struct TextForms {
    const char* Json;      // the value as it stands in the input
    const char* Plain;     // its plain text
    const char* JsonText;  // its JSON text
};

class ValueTextForms : public testing::TestWithParam<TextForms> {};

TEST_P(ValueTextForms, PlainAndJsonText) {
    const std::unique_ptr<JsonValue> value = ParseJson(GetParam().Json);
    EXPECT_EQ(value->PlainText(), GetParam().Plain);
    EXPECT_EQ(value->JsonText(), GetParam().JsonText);
}

INSTANTIATE_TEST_SUITE_P(
    Json, ValueTextForms,
    testing::Values(
        TextForms{R"("abc")", "abc", R"("abc")"},
        TextForms{R"("")", "", R"("")"},
        TextForms{R"("a\u0041\/b")", "aA/b", R"("aA\/b")"},
        TextForms{R"("600")", "600", R"("600")"},
        TextForms{"514", "514", "514"},
        TextForms{"-1", "-1", "-1"},
        TextForms{"514.0", "514", "514.0"},   // no fractional part: digits only
        TextForms{"3.000", "3", "3.000"},
        TextForms{"2.5", "2.5", "2.5"},
        TextForms{"0.1", "0.1", "0.1"},
        TextForms{"1e2", "100", "1e2"},
        TextForms{"1E9", "1000000000", "1E9"}, // digits, not an exponent form
        TextForms{"25E-1", "2.5", "25E-1"},
        TextForms{"-0.0", "-0", "-0.0"},
        TextForms{"70000", "70000", "70000"},
        TextForms{"2147483648", "2147483648", "2147483648"},
        TextForms{"1e22", "10000000000000000000000", "1e22"},
        TextForms{"1e-400", "1e-400", "1e-400"}, // beyond a double: kept as written
        TextForms{"true", "true", "true"},
        TextForms{"false", "false", "false"},
        TextForms{"null", "null", "null"},
        TextForms{"{}", "", "{}"},
        TextForms{R"([1, {"a" : [ ] }, "x"])", "", R"([1,{"a":[]},"x"])"}));

TEST(JsonObject, KeepsMembersInOrderWithRepeatedNamesAndFindsTheFirst) {
    const std::unique_ptr<JsonValue> value = ParseJson(R"({"b": 1, "a": 2, "b": 3, "B": 4})");
    const JsonObject* object = value->AsObject();
    ASSERT_NE(object, nullptr);
    ASSERT_EQ(object->Count(), 4u);
    const char* names[] = {"b", "a", "b", "B"};
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(object->Members()[i].Name, names[i]);
    EXPECT_EQ(object->Find("b")->PlainText(), "1");
    EXPECT_EQ(object->Find("B")->PlainText(), "4");
    EXPECT_EQ(object->Find("c"), nullptr);
    EXPECT_EQ(object->AsArray(), nullptr);
}

TEST(JsonObject, BuiltInCodeWritesWhatWasAdded) {
    JsonObject object;
    object.AddString("s", "x");
    object.AddNumber("n", -5);
    object.AddBoolean("t", true);
    object.Add("a", std::make_unique<JsonArray>());
    object.AddNumber("n", 6);
    EXPECT_EQ(JsonCompactText(object), R"({"s":"x","n":-5,"t":true,"a":[],"n":6})");
    EXPECT_THROW(object.Add("x", nullptr), EArgumentException);
}

TEST(JsonArray, ItemOutsideRaises) {
    JsonArray array;
    array.Add(std::make_unique<JsonNull>());
    EXPECT_EQ(array.Item(0).Kind(), JsonKind::Null);
    EXPECT_THROW(array.Item(1), EArgumentOutOfRangeException);
    EXPECT_THROW(array.Add(nullptr), EArgumentException);
}

TEST(JsonNumber, AcceptsOnlyJsonNumberText) {
    EXPECT_EQ(JsonNumber::FromText("-12.5e+3")->Text(), "-12.5e+3");
    EXPECT_EQ(JsonNumber(int64_t{-9223372036854775807 - 1}).Text(), "-9223372036854775808");
    for (const char* bad : {"", "-", "01", "1.", ".5", "+1", "1e", "0x10", "1 ", "NaN"})
        EXPECT_THROW(JsonNumber::FromText(bad), EConvertError) << bad;
}

// A tree far deeper than the reader allows, built in code: freeing it and writing it must not
// recurse once per level (a million frames would exhaust the stack).
TEST(JsonTree, DeepTreeIsWrittenAndFreedWithoutRecursion) {
    constexpr size_t kDepth = 1'000'000;
    auto root = std::make_unique<JsonArray>();
    JsonArray* innermost = root.get();
    for (size_t i = 1; i < kDepth; ++i) {
        auto next = std::make_unique<JsonArray>();
        JsonArray* raw = next.get();
        if (i % 2 == 0) {
            innermost->Add(std::move(next));
        } else {
            auto object = std::make_unique<JsonObject>();
            object->Add("k", std::move(next));
            innermost->Add(std::move(object));
        }
        innermost = raw;
    }
    const std::string compact = JsonCompactText(*root);
    EXPECT_EQ(compact.substr(0, 12), R"([{"k":[[{"k")");
    EXPECT_EQ(compact.size(), kDepth * 2 + (kDepth / 2) * 6);
    root.reset();
}

} // namespace

namespace {

// The reader keeps a parsed tree's nodes in memory that its root owns; such a root may still
// become part of another tree, which must then free the root's nodes before the root itself.
TEST(JsonTree, ParsedTreesCanJoinOtherTrees) {
    const char* text = R"({"a":[{"b":"a string too long to be stored inside its object"},[1,[2]]]})";
    JsonArray outer;
    outer.Add(ParseJson(text));
    auto middle = std::make_unique<JsonObject>();
    middle->Add("parsed", ParseJson(R"([[["x"]],{}])"));
    middle->Add("scalar", ParseJson("5"));
    outer.Add(std::move(middle));
    outer.Add(ParseJson(text));
    EXPECT_EQ(JsonCompactText(outer),
              std::string("[") + text + R"(,{"parsed":[[["x"]],{}],"scalar":5},)" + text + "]");
}

} // namespace
