// The per-form settings store as its callers see it: addressing, value kinds, defaults and the
// store's errors.

#include "SettingsStoreFixture.h"

#include "platform/Errors.h"

#include <climits>

namespace {

using SettingsStore::TValue;
using SettingsStore::TValueKind;

// The message of the ERegistryException that AAction raises, or "" when it raises none.
template <typename TAction>
std::string RegistryError(TAction AAction) {
    try {
        AAction();
    } catch (const ERegistryException& error) {
        return error.what();
    }
    return "";
}

TEST_F(SettingsStoreTest, ReadingWhatWasNeverWrittenGivesDefaultsAndCreatesNothing) {
    EXPECT_EQ(TUtilities::GetFormKey("ListenerDetail", "NIC"), "");
    EXPECT_EQ(TUtilities::GetIntegerFormKey("ListenerDetail", "UDPPort"), 0);
    EXPECT_FALSE(std::filesystem::exists(FTemp.Path() / "config"));

    ASSERT_TRUE(TUtilities::SetFormKey("FileConfigEdit", "Dir", "/var/log"));
    const std::set<std::string> before = StoreEntries();
    EXPECT_EQ(TUtilities::GetFormKey("ListenerDetail", "NIC"), "");
    EXPECT_EQ(TUtilities::GetFormKey("FileConfigEdit", "Size"), "");
    EXPECT_EQ(TUtilities::GetIntegerFormKey("FileConfigEdit", "Size"), 0);
    EXPECT_EQ(StoreEntries(), before);
}

TEST_F(SettingsStoreTest, FirstWriteCreatesTheStoreInTheApplicationDataFolder) {
    ASSERT_TRUE(TUtilities::SetFormKey("ListenerDetail", "NIC", "10.0.0.1"));
    EXPECT_TRUE(std::filesystem::is_regular_file(
        std::filesystem::path(TUtilities::AppDataDir()) / "Velmora" / "SyslogServer" /
        "ListenerDetail.form"));
    EXPECT_EQ(TUtilities::GetFormKey("ListenerDetail", "NIC"), "10.0.0.1");
}

TEST_F(SettingsStoreTest, ValuesOfTheProgramsDialogsRoundTrip) {
    const std::vector<std::pair<std::string, std::string>> listener = {
        {"NIC", "192.168.1.10"}, {"UDPPort", "514"}, {"TCPPort", "1514"}, {"TLSPort", "5140"}};
    const std::vector<std::pair<std::string, std::string>> fileSink = {
        {"Dir", "/var/log/korvex"}, {"Size", "1024"}, {"Retention", "7"}};
    for (const auto& [name, value] : listener)
        ASSERT_TRUE(TUtilities::SetFormKey("ListenerDetail", name, value));
    for (const auto& [name, value] : fileSink)
        ASSERT_TRUE(TUtilities::SetFormKey("FileConfigEdit", name, value));
    for (const auto& [name, value] : listener)
        EXPECT_EQ(TUtilities::GetFormKey("ListenerDetail", name), value);
    for (const auto& [name, value] : fileSink)
        EXPECT_EQ(TUtilities::GetFormKey("FileConfigEdit", name), value);
    EXPECT_EQ(TUtilities::GetFormKey("ListenerDetail", "Dir"), ""); // forms are separate
}

TEST_F(SettingsStoreTest, WritingReplacesOnlyItsOwnValue) {
    ASSERT_TRUE(TUtilities::SetFormKey("F", "A", "1"));
    ASSERT_TRUE(TUtilities::SetFormKey("F", "B", "2"));
    ASSERT_TRUE(TUtilities::SetFormKey("F", "A", "3"));
    ASSERT_TRUE(TUtilities::SetFormKey("G", "A", "4"));
    EXPECT_EQ(TUtilities::GetFormKey("F", "A"), "3");
    EXPECT_EQ(TUtilities::GetFormKey("F", "B"), "2");
    EXPECT_EQ(TUtilities::GetFormKey("G", "A"), "4");
}

class TextValues : public SettingsStoreTest, public testing::WithParamInterface<std::string> {};

TEST_P(TextValues, AreKeptExactly) {
    ASSERT_TRUE(TUtilities::SetFormKey("Texts", "V", "something else first"));
    ASSERT_TRUE(TUtilities::SetFormKey("Texts", "V", GetParam()));
    EXPECT_EQ(TUtilities::GetFormKey("Texts", "V"), GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextValues,
    testing::Values("", " padded ", "line 1\nline 2\r\nline 3\n", "\"quoted\" 'single' \\ \\\"",
                    "\\x41 \\n %s %d $HOME ${x}", "end\nKorvex settings 1\n",
                    "\xC3\x9C\xE2\x9C\x93\xF0\x9F\x98\x80 \xD0\x94", "\xFF\xFE not UTF-8 \xC3",
                    std::string("before\0after", 12), std::string("\0", 1),
                    std::string("\x01\x02\x1b[31m\x7f\t", 9), std::string(1 << 20, 'x')));

class IntegerValues : public SettingsStoreTest, public testing::WithParamInterface<int32_t> {};

TEST_P(IntegerValues, AreKeptExactly) {
    ASSERT_TRUE(TUtilities::SetIntegerFormKey("Integers", "V", 12345));
    ASSERT_TRUE(TUtilities::SetIntegerFormKey("Integers", "V", GetParam()));
    EXPECT_EQ(TUtilities::GetIntegerFormKey("Integers", "V"), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Cases, IntegerValues,
                         testing::Values(INT32_MIN, INT32_MIN + 1, -1, 0, 1, 514, INT32_MAX));

TEST_F(SettingsStoreTest, AnyFormAndValueNameRoundTripsInsideTheStoreFolder) {
    const std::vector<std::string> names = {
        "",         "../x",      "../../../../etc/passwd", "a/b",  "a\\b",     "/abs",
        ".",        "..",        ".lock",                  "x.form", "x.form.new", "~x",
        " ",        "a\nb",      std::string("a\0b", 3),   "\x01\x7f", "\xC3\xBC\xE2\x9C\x93",
        "\xFF\xFE", "listenerdetail", "ListenerDetail",    std::string(300, 'L'),
        std::string(100000, 'n')};
    for (std::size_t i = 0; i < names.size(); ++i) {
        ASSERT_TRUE(TUtilities::SetFormKey(names[i], names[i], "form " + std::to_string(i)));
        ASSERT_TRUE(TUtilities::SetIntegerFormKey("OddValues", names[i], static_cast<int>(i)));
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(TUtilities::GetFormKey(names[i], names[i]), "form " + std::to_string(i)) << i;
        EXPECT_EQ(TUtilities::GetIntegerFormKey("OddValues", names[i]), static_cast<int>(i)) << i;
    }

    // Every file lies directly in the store folder: one per form and the lock file.
    const std::set<std::filesystem::path> folders = {
        FTemp.Path() / "config", FTemp.Path() / "config" / "Velmora", StoreFolder()};
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(FTemp.Path())) {
        if (entry.is_directory()) {
            EXPECT_TRUE(folders.contains(entry.path())) << entry.path();
        } else {
            EXPECT_EQ(entry.path().parent_path(), StoreFolder());
            EXPECT_TRUE(entry.is_regular_file()) << entry.path();
            ++files;
        }
    }
    EXPECT_EQ(files, names.size() + 2);
}

// The stored kinds and the readers' rules: a text read as an integer fails by its size in the
// registry's terms (UTF-16 with a terminating zero; at most 4 bytes: "Invalid data type",
// more: "Failed to get data"); an integer read as text has an invalid type.
struct KindCase {
    const char* Name;
    TValue Value;
    const char* AsText;    // the text, or the error's message with "%s" for the value name
    const char* AsInteger; // as AsText, the integer in decimal
};

class KindRules : public testing::TestWithParam<KindCase> {
protected:
    static std::string Result(const std::function<std::string()>& ARead) {
        try {
            return ARead();
        } catch (const ERegistryException& error) {
            return std::string("error: ") + error.what();
        }
    }
    static std::string Expected(const char* AExpected) {
        std::string text = AExpected;
        if (const std::size_t at = text.find("%s"); at != std::string::npos)
            text = "error: " + text.replace(at, 2, "Name \xC3\xBC");
        return text;
    }
};

TEST_P(KindRules, DecideTheReadersResults) {
    const KindCase& c = GetParam();
    const std::string name = "Name \xC3\xBC";
    EXPECT_EQ(Result([&] { return SettingsStore::ValueAsText(c.Value, name); }),
              Expected(c.AsText));
    EXPECT_EQ(Result([&] {
                  return std::to_string(SettingsStore::ValueAsInteger(c.Value, name));
              }),
              Expected(c.AsInteger));
}

constexpr const char* InvalidType = "Invalid data type for '%s'";
constexpr const char* GetFailed = "Failed to get data for '%s'";

INSTANTIATE_TEST_SUITE_P(
    Cases, KindRules,
    testing::Values(
        KindCase{"EmptyText", SettingsStore::TextValue(""), "", InvalidType},
        KindCase{"OneCharacter", SettingsStore::TextValue("7"), "7", InvalidType},
        KindCase{"OneNonAsciiCharacter", SettingsStore::TextValue("\xC3\xBC"), "\xC3\xBC",
                 InvalidType},
        KindCase{"TwoCharacters", SettingsStore::TextValue("12"), "12", GetFailed},
        KindCase{"OneCharacterOfTwoUnits", SettingsStore::TextValue("\xF0\x9F\x98\x80"),
                 "\xF0\x9F\x98\x80", GetFailed},
        KindCase{"ExpandableTextUnexpanded", SettingsStore::ExpandableTextValue("%TEMP%"),
                 "%TEMP%", GetFailed},
        KindCase{"ShortExpandableText", SettingsStore::ExpandableTextValue("x"), "x",
                 InvalidType},
        KindCase{"Integer", SettingsStore::IntegerValue(-7), InvalidType, "-7"},
        KindCase{"OtherWithoutData", TValue{TValueKind::Other, "", 0, 0}, "", InvalidType},
        KindCase{"OtherOfFourBytes", TValue{TValueKind::Other, "", 0, 4}, InvalidType,
                 InvalidType},
        KindCase{"OtherOfEightBytes", TValue{TValueKind::Other, "", 0, 8}, InvalidType,
                 GetFailed}),
    [](const testing::TestParamInfo<KindCase>& AInfo) { return AInfo.param.Name; });

TEST_F(SettingsStoreTest, ATextWrittenOverAnIntegerReplacesIt) {
    ASSERT_TRUE(TUtilities::SetIntegerFormKey("Kinds", "Port", 514));
    ASSERT_TRUE(TUtilities::SetFormKey("Kinds", "Port", "514"));
    EXPECT_EQ(TUtilities::GetFormKey("Kinds", "Port"), "514");
    EXPECT_EQ(RegistryError([] { TUtilities::GetIntegerFormKey("Kinds", "Port"); }),
              "Failed to get data for 'Port'");

    ASSERT_TRUE(TUtilities::SetFormKey("Kinds", "Port", "5"));
    EXPECT_EQ(RegistryError([] { TUtilities::GetIntegerFormKey("Kinds", "Port"); }),
              "Invalid data type for 'Port'");
}

TEST_F(SettingsStoreTest, AnIntegerWrittenOverATextReplacesIt) {
    ASSERT_TRUE(TUtilities::SetFormKey("Kinds", "Size", "1024"));
    ASSERT_TRUE(TUtilities::SetIntegerFormKey("Kinds", "Size", 1024));
    EXPECT_EQ(TUtilities::GetIntegerFormKey("Kinds", "Size"), 1024);
    EXPECT_EQ(RegistryError([] { TUtilities::GetFormKey("Kinds", "Size"); }),
              "Invalid data type for 'Size'");
}

TEST_F(SettingsStoreTest, ExpandableTextIsReadUnexpandedAndKeptByLaterWrites) {
    std::filesystem::create_directories(StoreFolder());
    std::filesystem::copy_file(TestDataPath("SettingsExpandableText.form"), FormFile("Paths"));
    EXPECT_EQ(TUtilities::GetFormKey("Paths", "LogDir"), "%USERPROFILE%\\logs\\%DATE%");
    EXPECT_EQ(TUtilities::GetFormKey("Paths", "Plain"), "x");

    ASSERT_TRUE(TUtilities::SetFormKey("Paths", "Plain", "y"));
    EXPECT_EQ(TUtilities::GetFormKey("Paths", "LogDir"), "%USERPROFILE%\\logs\\%DATE%");
    EXPECT_NE(ReadFileBytes(FormFile("Paths")).find("expandtext \"LogDir\""), std::string::npos);
    EXPECT_EQ(RegistryError([] { TUtilities::GetIntegerFormKey("Paths", "LogDir"); }),
              "Failed to get data for 'LogDir'");
}

TEST_F(SettingsStoreTest, AValueTooLargeForTheStoreIsRefusedAndChangesNothing) {
    ASSERT_TRUE(TUtilities::SetFormKey("Big", "V", "small"));
    const std::string before = ReadFileBytes(FormFile("Big"));
    const std::string huge(SettingsStore::MaxFormFileSize, 'h');
    EXPECT_EQ(RegistryError([&] { TUtilities::SetFormKey("Big", "Huge \xC3\xBC", huge); }),
              "Failed to set data for 'Huge \xC3\xBC'");
    EXPECT_EQ(ReadFileBytes(FormFile("Big")), before);
    EXPECT_EQ(TUtilities::GetFormKey("Big", "Huge \xC3\xBC"), "");
}

TEST_F(SettingsStoreTest, AStoreThatCannotBeCreatedGivesFalseAndDefaults) {
    // The application-data folder is a file, so no folder can be made inside it.
    WriteFileBytes(FTemp.Path() / "config", "not a folder");
    EXPECT_FALSE(TUtilities::SetFormKey("F", "V", "x"));
    EXPECT_FALSE(TUtilities::SetIntegerFormKey("F", "V", 1));
    EXPECT_EQ(TUtilities::GetFormKey("F", "V"), "");
    EXPECT_EQ(TUtilities::GetIntegerFormKey("F", "V"), 0);
    EXPECT_EQ(ReadFileBytes(FTemp.Path() / "config"), "not a folder");
}

TEST_F(SettingsStoreTest, AStoreFolderThatIsAFileGivesFalse) {
    std::filesystem::create_directories(StoreFolder().parent_path());
    WriteFileBytes(StoreFolder(), "not a folder");
    EXPECT_FALSE(TUtilities::SetFormKey("F", "V", "x"));
    EXPECT_EQ(TUtilities::GetFormKey("F", "V"), "");
}

TEST_F(SettingsStoreTest, AReadOnlyStoreGivesFalseAndKeepsItsValues) {
    ASSERT_TRUE(TUtilities::SetFormKey("F", "V", "old"));
    std::filesystem::permissions(StoreFolder(), std::filesystem::perms::owner_read |
                                                    std::filesystem::perms::owner_exec);
    const int result = RunUnprivileged(FTemp.Path(), [] {
        if (TUtilities::SetFormKey("F", "V", "new"))
            return 1;
        if (TUtilities::SetFormKey("Other", "V", "new"))
            return 2;
        return TUtilities::GetFormKey("F", "V") == "old" ? 0 : 3;
    });
    EXPECT_EQ(result, 0);
}

} // namespace
