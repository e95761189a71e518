#include "platform/Errors.h"
#include "platform/FileIO.h"
#include "support/TestFiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using testing::HasSubstr;

namespace {

// The names in a folder, sorted.
std::vector<std::string> FolderNames(const fs::path& AFolder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(AFolder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

template <typename Action>
std::string FileErrorOf(Action AAction) {
    try {
        AAction();
    } catch (const EFileError& error) {
        return error.what();
    }
    ADD_FAILURE() << "no EFileError";
    return {};
}

class FileIO : public testing::Test {
protected:
    void SetUp() override {
        WriteFileBytes(Dir.File("file"), "content");
        fs::create_directory(Dir.File("folder"));
        fs::create_symlink(Dir.File("file"), Dir.File("linkToFile"));
        fs::create_symlink(Dir.File("folder"), Dir.File("linkToFolder"));
        fs::create_symlink(Dir.File("missing"), Dir.File("danglingLink"));
    }
    TempDir Dir;
};

TEST_F(FileIO, ExistenceFollowsLinksAndTellsFilesFromFolders) {
    struct Case {
        const char* Name;
        bool File;
        bool Folder;
    };
    for (const Case& c : {Case{"file", true, false}, Case{"folder", false, true},
                          Case{"linkToFile", true, false}, Case{"linkToFolder", false, true},
                          Case{"danglingLink", false, false}, Case{"missing", false, false},
                          Case{"file/below", false, false}}) {
        EXPECT_EQ(FileExists(Dir.File(c.Name)), c.File) << c.Name;
        EXPECT_EQ(DirectoryExists(Dir.File(c.Name)), c.Folder) << c.Name;
    }
}

TEST(ExtractFileDir, FolderPartOfAPath) {
    EXPECT_EQ(ExtractFileDir("/var/lib/x/svcConfig.json"), "/var/lib/x");
    EXPECT_EQ(ExtractFileDir("/svcConfig.json"), "/");
    EXPECT_EQ(ExtractFileDir("svcConfig.json"), "");
    EXPECT_EQ(ExtractFileDir("a/b/"), "a/b");
}

TEST_F(FileIO, ReadsWholeFilesAndNamesPathAndReasonOnFailure) {
    EXPECT_EQ(ReadFileContents(Dir.File("linkToFile")), "content");
    WriteFileBytes(Dir.File("empty"), "");
    EXPECT_EQ(ReadFileContents(Dir.File("empty")), "");
    const std::string big(300000, 'x');
    WriteFileBytes(Dir.File("big"), big);
    EXPECT_EQ(ReadFileContents(Dir.File("big")), big);

    EXPECT_EQ(FileErrorOf([&] { ReadFileContents(Dir.File("missing")); }),
              "Cannot read file \"" + Dir.File("missing") + "\": No such file or directory");
    EXPECT_EQ(FileErrorOf([&] { ReadFileContents(Dir.File("folder")); }),
              "Cannot read file \"" + Dir.File("folder") + "\": Is a directory");
    ASSERT_EQ(mkfifo(Dir.File("pipe").c_str(), 0600), 0);
    EXPECT_EQ(FileErrorOf([&] { ReadFileContents(Dir.File("pipe")); }),
              "Cannot read file \"" + Dir.File("pipe") + "\": not a regular file");
}

TEST_F(FileIO, ForceDirectoriesCreatesEveryMissingParent) {
    const std::string deep = Dir.File("a/b//c/d");
    ForceDirectories(deep);
    EXPECT_TRUE(DirectoryExists(deep));
    ForceDirectories(deep); // existing: nothing to do
    ForceDirectories(Dir.File("linkToFolder/e"));
    EXPECT_TRUE(DirectoryExists(Dir.File("folder/e")));
}

TEST_F(FileIO, ForceDirectoriesRefusesAFileWhereAFolderMustBe) {
    const std::string wanted = Dir.File("file/sub/folder");
    EXPECT_EQ(FileErrorOf([&] { ForceDirectories(wanted); }),
              "Cannot create folder \"" + wanted + "\": Not a directory");
    EXPECT_EQ(FileErrorOf([&] { ForceDirectories(Dir.File("file")); }),
              "Cannot create folder \"" + Dir.File("file") + "\": Not a directory");
    EXPECT_EQ(ReadFileBytes(Dir.File("file")), "content");
}

TEST_F(FileIO, AtomicWriteCreatesAndReplacesLeavingNoTemporaryFile) {
    const std::string path = Dir.File("folder/new.json");
    WriteFileAtomically(path, "first");
    EXPECT_EQ(ReadFileBytes(path), "first");
    WriteFileAtomically(path, std::string("sec\0nd", 6));
    EXPECT_EQ(ReadFileBytes(path), std::string("sec\0nd", 6));
    WriteFileAtomically(path, "");
    EXPECT_EQ(ReadFileBytes(path), "");
    EXPECT_EQ(FolderNames(Dir.File("folder")), std::vector<std::string>{"new.json"});
}

TEST_F(FileIO, AtomicWriteKeepsPermissionBits) {
    ASSERT_EQ(chmod(Dir.File("file").c_str(), 0640), 0);
    WriteFileAtomically(Dir.File("file"), "new");
    struct stat info {};
    ASSERT_EQ(stat(Dir.File("file").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(FileIO, AtomicWriteThroughALinkReplacesItsTarget) {
    WriteFileAtomically(Dir.File("linkToFile"), "via link");
    EXPECT_TRUE(fs::is_symlink(Dir.File("linkToFile")));
    EXPECT_EQ(ReadFileBytes(Dir.File("file")), "via link");
}

TEST_F(FileIO, AtomicWriteRefusesAFolderInThePlaceOfTheFile) {
    WriteFileBytes(Dir.File("folder/keep"), "kept");
    EXPECT_EQ(FileErrorOf([&] { WriteFileAtomically(Dir.File("folder"), "x"); }),
              "Cannot write file \"" + Dir.File("folder") + "\": Is a directory");
    EXPECT_EQ(FolderNames(Dir.File("folder")), std::vector<std::string>{"keep"});
    EXPECT_EQ(FileErrorOf([&] { WriteFileAtomically(Dir.File("missing/x"), "x"); }),
              "Cannot write file \"" + Dir.File("missing/x") + "\": No such file or directory");
}

// A named pipe or another special file where the file belongs is refused, not replaced by a
// regular file: a write to it would block or vanish, and replacing it would break whoever
// made it.
TEST_F(FileIO, AtomicWriteRefusesASpecialFileInThePlaceOfTheFile) {
    ASSERT_EQ(mkfifo(Dir.File("folder/pipe").c_str(), 0600), 0);
    EXPECT_EQ(FileErrorOf([&] { WriteFileAtomically(Dir.File("folder/pipe"), "x"); }),
              "Cannot write file \"" + Dir.File("folder/pipe") + "\": not a regular file");
    struct stat info {};
    ASSERT_EQ(lstat(Dir.File("folder/pipe").c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    EXPECT_EQ(FolderNames(Dir.File("folder")), std::vector<std::string>{"pipe"});
}

// A file that its owner made read-only is not replaced behind its permission bits, although
// the folder would allow the rename. Root may write any file, so as root the write runs in a
// child that takes on another user's identity.
TEST_F(FileIO, AtomicWriteRefusesAFileItsUserMayNotWrite) {
    constexpr uid_t kNobody = 65534;
    const std::string folder = Dir.File("folder");
    const std::string path = Dir.File("folder/readonly.json");
    WriteFileBytes(path, "protected");
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    const bool root = geteuid() == 0;
    if (root) {
        ASSERT_EQ(chmod(Dir.Path().c_str(), 0755), 0);
        ASSERT_EQ(chown(folder.c_str(), kNobody, kNobody), 0);
        ASSERT_EQ(chown(path.c_str(), kNobody, kNobody), 0);
    }
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (root && (setgid(kNobody) != 0 || setuid(kNobody) != 0))
            _exit(10);
        try {
            WriteFileAtomically(path, "replaced");
        } catch (const EFileError& error) {
            _exit(std::string(error.what()) ==
                          "Cannot write file \"" + path + "\": Permission denied"
                      ? 0
                      : 11);
        } catch (...) {
            _exit(12);
        }
        _exit(13); // replaced in spite of the permission bits
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadFileBytes(path), "protected");
    EXPECT_EQ(FolderNames(folder), std::vector<std::string>{"readonly.json"});
}

} // namespace
