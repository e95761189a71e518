#include "support/ScopedEnvironment.h"
#include "support/TestFiles.h"
#include "util/Utilities.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The home folder the password database gives the user running the tests.
std::string PasswordDatabaseHome() {
    const passwd* entry = ::getpwuid(::getuid());
    std::string home = entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "";
    while (home.size() > 1 && home.back() == '/')
        home.pop_back();
    return home;
}

// An unset variable is written as nullptr. "{t}" in a value or an expected path stands for a
// temporary folder, "{pw}" for the password database's home folder.
struct UserFolderCase {
    const char* Name;
    const char* Home;
    const char* ConfigHome;
    const char* DataHome;
    const char* ExpectedAppData;
    const char* ExpectedLocalAppData;
};

class UserFolders : public testing::TestWithParam<UserFolderCase> {
protected:
    std::string Expand(const std::string& AText) const {
        std::string text = AText;
        for (auto [key, value] : {std::pair<std::string, std::string>{"{t}", FTemp.Path().string()},
                                  {"{pw}", PasswordDatabaseHome()}})
            for (std::size_t at; (at = text.find(key)) != std::string::npos;)
                text.replace(at, key.size(), value);
        return text;
    }
    void Apply(const char* AName, const char* AValue) {
        if (AValue == nullptr)
            FEnvironment.Unset(AName);
        else
            FEnvironment.Set(AName, Expand(AValue));
    }

    TempDir FTemp;
    ScopedEnvironment FEnvironment;
};

TEST_P(UserFolders, FollowTheXdgBaseDirectories) {
    const UserFolderCase& c = GetParam();
    Apply("HOME", c.Home);
    Apply("XDG_CONFIG_HOME", c.ConfigHome);
    Apply("XDG_DATA_HOME", c.DataHome);
    EXPECT_EQ(TUtilities::AppDataDir(), Expand(c.ExpectedAppData));
    EXPECT_EQ(TUtilities::AppDataDirNonRoaming(), Expand(c.ExpectedLocalAppData));
    // The same text from call to call.
    EXPECT_EQ(TUtilities::AppDataDir(), TUtilities::AppDataDir());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UserFolders,
    testing::Values(
        UserFolderCase{"DefaultsBelowHome", "{t}/home", nullptr, nullptr, "{t}/home/.config",
                       "{t}/home/.local/share"},
        UserFolderCase{"VariablesWin", "{t}/home", "{t}/cfg", "{t}/data", "{t}/cfg", "{t}/data"},
        UserFolderCase{"TrailingDelimitersRemoved", "{t}/home/", "{t}/cfg//", "{t}/data/",
                       "{t}/cfg", "{t}/data"},
        UserFolderCase{"EmptyVariablesIgnored", "{t}/home", "", "", "{t}/home/.config",
                       "{t}/home/.local/share"},
        UserFolderCase{"RelativeVariablesIgnored", "{t}/home", "cfg", "./data",
                       "{t}/home/.config", "{t}/home/.local/share"},
        UserFolderCase{"RootHome", "/", nullptr, nullptr, "/.config", "/.local/share"},
        UserFolderCase{"RootKeepsItsDelimiter", "{t}/home", "/", "//", "/", "/"},
        UserFolderCase{"NonAsciiKept", "{t}/h\xC3\xB6me", nullptr, "{t}/d\xE2\x9C\x93",
                       "{t}/h\xC3\xB6me/.config", "{t}/d\xE2\x9C\x93"},
        UserFolderCase{"HomeUnsetUsesPasswordDatabase", nullptr, nullptr, nullptr,
                       "{pw}/.config", "{pw}/.local/share"},
        UserFolderCase{"RelativeHomeUsesPasswordDatabase", "home", nullptr, nullptr,
                       "{pw}/.config", "{pw}/.local/share"}),
    [](const testing::TestParamInfo<UserFolderCase>& AInfo) { return AInfo.param.Name; });

// The contents of user-dirs.dirs ("" for no file) and the documents folder it gives below the
// home folder "{t}/home" ("{t}" stands for the temporary folder).
struct DocumentsCase {
    const char* Name;
    std::string UserDirs;
    const char* Expected;
};

class Documents : public testing::TestWithParam<DocumentsCase> {
protected:
    TempDir FTemp;
    ScopedEnvironment FEnvironment;
};

TEST_P(Documents, FollowsUserDirsFile) {
    const std::string temp = FTemp.Path().string();
    std::filesystem::create_directories(FTemp.Path() / "home");
    std::filesystem::create_directories(FTemp.Path() / "cfg");
    FEnvironment.Set("HOME", temp + "/home");
    FEnvironment.Set("XDG_CONFIG_HOME", temp + "/cfg");
    if (!GetParam().UserDirs.empty())
        WriteFileBytes(FTemp.Path() / "cfg" / "user-dirs.dirs", GetParam().UserDirs);

    std::string expected = GetParam().Expected;
    if (expected.starts_with("{t}"))
        expected.replace(0, 3, temp);
    EXPECT_EQ(TUtilities::MyDocumentsDir(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Documents,
    testing::Values(
        DocumentsCase{"NoFile", "", "{t}/home/Documents"},
        DocumentsCase{"BelowHome", "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n", "{t}/home/Dokumente"},
        DocumentsCase{"AmongOtherLines",
                      "# This file is written by xdg-user-dirs-update\n"
                      "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                      "  XDG_DOCUMENTS_DIR = \"$HOME/Docs\"\n"
                      "XDG_DOWNLOAD_DIR=\"$HOME/Downloads\"",
                      "{t}/home/Docs"},
        DocumentsCase{"Absolute", "XDG_DOCUMENTS_DIR=\"/srv/docs/\"\n", "/srv/docs"},
        DocumentsCase{"HomeItself", "XDG_DOCUMENTS_DIR=\"$HOME/\"\n", "{t}/home"},
        DocumentsCase{"HomeWithoutDelimiter", "XDG_DOCUMENTS_DIR=\"$HOME\"\n", "{t}/home"},
        DocumentsCase{"EscapedCharacters",
                      "XDG_DOCUMENTS_DIR=\"$HOME/My \\\"Docs\\\" \\$x\"\n",
                      "{t}/home/My \"Docs\" $x"},
        DocumentsCase{"NonAscii",
                      "XDG_DOCUMENTS_DIR=\"$HOME/\xD0\x94\xD0\xBE\xD0\xBA\"\n",
                      "{t}/home/\xD0\x94\xD0\xBE\xD0\xBA"},
        DocumentsCase{"LastAssignmentCounts",
                      "XDG_DOCUMENTS_DIR=\"$HOME/First\"\nXDG_DOCUMENTS_DIR=\"$HOME/Second\"\n",
                      "{t}/home/Second"},
        DocumentsCase{"RelativeIgnored", "XDG_DOCUMENTS_DIR=\"docs\"\n", "{t}/home/Documents"},
        DocumentsCase{"OtherVariableIgnored", "XDG_DOCUMENTS_DIRX=\"/x\"\nXDG_DOCUMENTS=\"/y\"\n",
                      "{t}/home/Documents"},
        DocumentsCase{"HomePrefixOfLongerNameIgnored", "XDG_DOCUMENTS_DIR=\"$HOMEX/docs\"\n",
                      "{t}/home/Documents"},
        DocumentsCase{"UnterminatedIgnored",
                      "XDG_DOCUMENTS_DIR=\"$HOME/Good\"\nXDG_DOCUMENTS_DIR=\"$HOME/Bad\n",
                      "{t}/home/Good"},
        DocumentsCase{"CommentedOutIgnored", "# XDG_DOCUMENTS_DIR=\"/x\"\n",
                      "{t}/home/Documents"}),
    [](const testing::TestParamInfo<DocumentsCase>& AInfo) { return AInfo.param.Name; });

TEST(Documents, UserDirsFileFollowsXdgConfigHome) {
    TempDir temp;
    ScopedEnvironment environment;
    std::filesystem::create_directories(temp.Path() / "home" / ".config");
    environment.Set("HOME", (temp.Path() / "home").string());
    environment.Unset("XDG_CONFIG_HOME");
    WriteFileBytes(temp.Path() / "home" / ".config" / "user-dirs.dirs",
                   "XDG_DOCUMENTS_DIR=\"/from/default/config\"\n");
    EXPECT_EQ(TUtilities::MyDocumentsDir(), "/from/default/config");
}

TEST(Documents, UserDirsFileReachedThroughALinkIsRead) {
    TempDir temp;
    ScopedEnvironment environment;
    environment.Set("HOME", (temp.Path() / "home").string());
    environment.Set("XDG_CONFIG_HOME", temp.Path().string());
    WriteFileBytes(temp.Path() / "dotfiles", "XDG_DOCUMENTS_DIR=\"/linked/docs\"\n");
    std::filesystem::create_symlink(temp.Path() / "dotfiles", temp.Path() / "user-dirs.dirs");
    EXPECT_EQ(TUtilities::MyDocumentsDir(), "/linked/docs");
}

TEST(Documents, UserDirsThatIsNoRegularFileIsIgnored) {
    TempDir temp;
    ScopedEnvironment environment;
    environment.Set("HOME", (temp.Path() / "home").string());
    environment.Set("XDG_CONFIG_HOME", temp.Path().string());
    // A named pipe must not make the look-up wait for a writer.
    ASSERT_EQ(::mkfifo((temp.Path() / "user-dirs.dirs").c_str(), 0600), 0);
    EXPECT_EQ(TUtilities::MyDocumentsDir(), (temp.Path() / "home" / "Documents").string());
}

TEST(CommonAppDataDir, IsVarLibOnEveryCall) {
    EXPECT_EQ(TUtilities::CommonAppDataDir(), "/var/lib");
    EXPECT_EQ(TUtilities::CommonAppDataDir(), TUtilities::CommonAppDataDir());
}

} // namespace
