// The file format of one form of the settings store: what it keeps, and what it refuses.

#include "platform/TextEncoding.h"
#include "util/SettingsFile.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>

namespace {

using namespace SettingsStore;

TFormContent OddContent() {
    TFormContent content;
    content.FormName = std::string("Form \"1\"\n\\x41\0end", 17);
    content.Values = {
        {"", TextValue("")},
        {"quotes", TextValue("say \"hi\" \\ \\\" \\n")},
        {"lines", TextValue("line 1\nline 2\r\nend\n")},
        {"controls", TextValue(std::string("\0\x01\x1f\x7f\t", 5))},
        {"utf8 \xC3\xBC", TextValue("\xC3\x9C\xE2\x9C\x93\xF0\x9F\x98\x80")},
        {"bytes", TextValue("\xFF\xFE\xC3")}, // not UTF-8
        {std::string(5000, 'n'), TextValue(std::string(100000, 'v'))},
        {"min", IntegerValue(INT32_MIN)},
        {"max", IntegerValue(INT32_MAX)},
        {"zero", IntegerValue(0)},
        {"path", ExpandableTextValue("%USERPROFILE%\\logs")},
    };
    return content;
}

TEST(SettingsFile, EveryValueRoundTrips) {
    const TFormContent content = OddContent();
    const std::string text = FormatFormFile(content);
    const std::optional<TFormContent> parsed = ParseFormFile(text);
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(*parsed, content);
}

TEST(SettingsFile, IsValidUtf8WithOneLinePerEntry) {
    const TFormContent content = OddContent();
    const std::string text = FormatFormFile(content);
    EXPECT_TRUE(IsValidUtf8(text));
    std::size_t lines = 0;
    for (const char c : text) {
        lines += c == '\n';
        EXPECT_TRUE(static_cast<unsigned char>(c) >= 0x20 || c == '\n') << int(c);
    }
    EXPECT_EQ(lines, content.Values.size() + 3); // header, form, values, end
}

TEST(SettingsFile, Layout) {
    TFormContent content;
    content.FormName = "ListenerDetail";
    content.Values = {{"NIC", TextValue("0.0.0.0")},
                      {"Count", IntegerValue(-42)},
                      {"Path", ExpandableTextValue("C:\\x \xC3\xBC")}};
    EXPECT_EQ(FormatFormFile(content), "Korvex settings 1\n"
                                       "form \"ListenerDetail\"\n"
                                       "text \"NIC\" \"0.0.0.0\"\n"
                                       "integer \"Count\" -42\n"
                                       "expandtext \"Path\" \"C:\\\\x \xC3\xBC\"\n"
                                       "end\n");
}

TEST(SettingsFile, EveryTruncationIsDetected) {
    const std::string text = FormatFormFile(OddContent());
    for (std::size_t size = 0; size < text.size(); size += 1 + size / 64)
        EXPECT_FALSE(ParseFormFile(std::string_view(text).substr(0, size)).has_value()) << size;
    EXPECT_FALSE(ParseFormFile(std::string_view(text).substr(0, text.size() - 1)).has_value());
}

struct DamagedCase {
    const char* Name;
    std::string Text;
};

class DamagedSettingsFile : public testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedSettingsFile, IsRefused) {
    EXPECT_FALSE(ParseFormFile(GetParam().Text).has_value());
}

const std::string Head = "Korvex settings 1\nform \"F\"\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedSettingsFile,
    testing::Values(
        DamagedCase{"Empty", ""},
        DamagedCase{"OtherVersion", "Korvex settings 2\nform \"F\"\nend\n"},
        DamagedCase{"NoFormLine", "Korvex settings 1\nend\n"},
        DamagedCase{"WindowsLineEnds", "Korvex settings 1\r\nform \"F\"\r\nend\r\n"},
        DamagedCase{"TextAfterEnd", Head + "end\nx"},
        DamagedCase{"SecondEnd", Head + "end\nend\n"},
        DamagedCase{"UnknownKind", Head + "binary \"a\" \"b\"\nend\n"},
        DamagedCase{"UnknownEscape", Head + "text \"a\" \"\\q\"\nend\n"},
        DamagedCase{"ShortHexEscape", Head + "text \"a\" \"\\x4\"\nend\n"},
        DamagedCase{"BadHexEscape", Head + "text \"a\" \"\\xG0\"\nend\n"},
        DamagedCase{"RawControlCharacter", Head + "text \"a\" \"\tb\"\nend\n"},
        DamagedCase{"UnquotedName", Head + "text a \"b\"\nend\n"},
        DamagedCase{"MissingBlank", Head + "text \"a\"\"b\"\nend\n"},
        DamagedCase{"ExtraBlank", Head + "text \"a\"  \"b\"\nend\n"},
        DamagedCase{"TextAfterValue", Head + "text \"a\" \"b\" x\nend\n"},
        DamagedCase{"IntegerTooLarge", Head + "integer \"a\" 2147483648\nend\n"},
        DamagedCase{"IntegerTooSmall", Head + "integer \"a\" -2147483649\nend\n"},
        DamagedCase{"IntegerWithPlus", Head + "integer \"a\" +5\nend\n"},
        DamagedCase{"IntegerWithBlank", Head + "integer \"a\" 5 \nend\n"},
        DamagedCase{"IntegerHex", Head + "integer \"a\" 0x10\nend\n"},
        DamagedCase{"IntegerEmpty", Head + "integer \"a\" \nend\n"},
        DamagedCase{"IntegerQuoted", Head + "integer \"a\" \"5\"\nend\n"},
        DamagedCase{"SameNameTwice", Head + "text \"a\" \"1\"\ninteger \"a\" 2\nend\n"},
        DamagedCase{"Garbage", std::string("\x00\xFF\x13\x37garbage", 11)}),
    [](const testing::TestParamInfo<DamagedCase>& AInfo) { return AInfo.param.Name; });

TEST(SettingsFile, NamesDifferingOnlyInCaseAreDistinctValues) {
    const std::optional<TFormContent> parsed =
        ParseFormFile(Head + "text \"a\" \"1\"\ntext \"A\" \"2\"\nend\n");
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->Find("a")->Text, "1");
    EXPECT_EQ(parsed->Find("A")->Text, "2");
}

TEST(SettingsFile, PutReplacesWhateverKindAndKeepsOrder) {
    TFormContent content;
    content.Put("a", IntegerValue(1));
    content.Put("b", TextValue("x"));
    content.Put("a", TextValue("y"));
    ASSERT_EQ(content.Values.size(), 2u);
    EXPECT_EQ(content.Values[0].Name, "a");
    EXPECT_EQ(content.Values[0].Value, TextValue("y"));
    EXPECT_EQ(content.Find("c"), nullptr);
}

TEST(SettingsFile, ValueOfAnotherKindIsNotWritten) {
    TFormContent content;
    content.FormName = "F";
    content.Values = {{"x", TValue{TValueKind::Other, "", 0, 4}}};
    EXPECT_ANY_THROW(FormatFormFile(content));
}

TEST(FormFileName, PlainNamesStayReadable) {
    EXPECT_EQ(FormFileName("ListenerDetail"), "ListenerDetail.form");
    EXPECT_EQ(FormFileName("File_Config-Edit2"), "File_Config-Edit2.form");
    EXPECT_EQ(FormFileName(std::string(64, 'x')), std::string(64, 'x') + ".form");
}

TEST(FormFileName, OddNamesBecomeSafeDistinctNames) {
    const std::vector<std::string> names = {
        "",          ".",    "..",        "../x",         "a/b",         "a\\b",
        "/etc/x",    ".lock", "x.form",   "x.form.new",   std::string(65, 'x'),
        std::string(100000, 'y'), "\xC3\xBC", std::string("a\0b", 3), "a\nb", "~x", " a",
        "a ",        "%2F",  "ListenerDetail.form"};
    std::set<std::string> fileNames;
    for (const std::string& name : names) {
        const std::string fileName = FormFileName(name);
        SCOPED_TRACE(fileName);
        EXPECT_TRUE(fileName.starts_with("~"));
        EXPECT_TRUE(fileName.ends_with(".form"));
        EXPECT_EQ(fileName.size(), 70u);
        EXPECT_EQ(fileName.find_first_not_of("~0123456789abcdef.form"), std::string::npos);
        fileNames.insert(fileName);
    }
    EXPECT_EQ(fileNames.size(), names.size());
    EXPECT_NE(FormFileName("a"), FormFileName("A"));
}

} // namespace
