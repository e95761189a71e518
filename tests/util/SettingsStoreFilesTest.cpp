// The settings store's files: modes, other running programs, replacement as a whole, damaged
// files and links that lead out of the store folder.

#include "SettingsStoreFixture.h"

#include <csignal>
#include <fcntl.h>
#include <map>
#include <random>
#include <sys/file.h>
#include <thread>

namespace {

mode_t Mode(const std::filesystem::path& APath) {
    struct stat info {};
    EXPECT_EQ(::lstat(APath.c_str(), &info), 0) << APath;
    return info.st_mode & 07777;
}

TEST_F(SettingsStoreTest, FoldersAreCreatedPrivateAndFilesUserOnly) {
    ASSERT_TRUE(TUtilities::SetFormKey("ListenerDetail", "NIC", "10.0.0.1"));
    EXPECT_EQ(Mode(FTemp.Path() / "config"), 0700u);
    EXPECT_EQ(Mode(FTemp.Path() / "config" / "Velmora"), 0700u);
    EXPECT_EQ(Mode(StoreFolder()), 0700u);
    EXPECT_EQ(Mode(FormFile("ListenerDetail")), 0600u);
    EXPECT_EQ(Mode(StoreFolder() / ".lock"), 0600u);
    ASSERT_TRUE(TUtilities::SetIntegerFormKey("ListenerDetail", "Other", 1));
    EXPECT_EQ(Mode(FormFile("ListenerDetail")), 0600u);
}

TEST_F(SettingsStoreTest, AnExistingApplicationDataFolderKeepsItsMode) {
    std::filesystem::create_directories(FTemp.Path() / "config");
    std::filesystem::permissions(FTemp.Path() / "config", std::filesystem::perms(0755));
    ASSERT_TRUE(TUtilities::SetFormKey("F", "V", "x"));
    EXPECT_EQ(Mode(FTemp.Path() / "config"), 0755u);
    EXPECT_EQ(Mode(StoreFolder()), 0700u);
}

TEST_F(SettingsStoreTest, TwoRunningProgramsSeeEachOthersValues) {
    ASSERT_TRUE(TUtilities::SetFormKey("Shared", "V", "from the first"));
    EXPECT_EQ(TUtilities::GetFormKey("Shared", "V"), "from the first");
    const int child = RunInChildProcess([] {
        if (TUtilities::GetFormKey("Shared", "V") != "from the first")
            return 1;
        if (!TUtilities::SetFormKey("Shared", "V", "from the second") ||
            !TUtilities::SetIntegerFormKey("Shared", "N", -5))
            return 2;
        return 0;
    });
    ASSERT_EQ(child, 0);
    // Read anew, although this program read the form a moment ago.
    EXPECT_EQ(TUtilities::GetFormKey("Shared", "V"), "from the second");
    EXPECT_EQ(TUtilities::GetIntegerFormKey("Shared", "N"), -5);
}

TEST_F(SettingsStoreTest, ProgramsWritingTheSameFormAtOnceKeepAllValues) {
    constexpr int Writes = 40;
    ASSERT_TRUE(TUtilities::SetFormKey("Busy", "start", "x")); // the store exists for both
    std::vector<pid_t> writers;
    for (const char who : {'a', 'b'})
        writers.push_back(StartChildProcess([who] {
            // Paced a little, as people press OK: a writer that never pauses would keep the
            // lock to itself, and the other would rightly give up after its wait limit.
            for (int i = 0; i < Writes; ++i) {
                if (!TUtilities::SetIntegerFormKey("Busy", who + std::to_string(i), i))
                    return 1;
                ::usleep(2000);
            }
            return 0;
        }));
    for (const pid_t pid : writers)
        EXPECT_EQ(WaitForChildProcess(pid), 0);
    for (const char who : {'a', 'b'})
        for (int i = 0; i < Writes; ++i)
            EXPECT_EQ(TUtilities::GetIntegerFormKey("Busy", who + std::to_string(i)), i)
                << who << i;
}

TEST_F(SettingsStoreTest, AWriteReplacesTheFileWholeAndNeverChangesItInPlace) {
    ASSERT_TRUE(TUtilities::SetFormKey("Whole", "V", "old"));
    const std::string oldContent = ReadFileBytes(FormFile("Whole"));
    // A second name for the old file: an in-place write would show through it.
    ASSERT_EQ(::link(FormFile("Whole").c_str(), (FTemp.Path() / "old").c_str()), 0);
    ASSERT_TRUE(TUtilities::SetFormKey("Whole", "V", "new"));
    EXPECT_EQ(ReadFileBytes(FTemp.Path() / "old"), oldContent);
    EXPECT_EQ(TUtilities::GetFormKey("Whole", "V"), "new");
    EXPECT_EQ(StoreEntries(), (std::set<std::string>{".lock", "Whole.form"}));
}

TEST_F(SettingsStoreTest, AWriterKilledMidWriteLeavesTheOldOrTheNewValue) {
    const std::string first(300000, 'A');
    const std::string second(200000, 'B');
    ASSERT_TRUE(TUtilities::SetFormKey("Crash", "V", first));
    std::mt19937 random(12345);
    for (int round = 0; round < 12; ++round) {
        const pid_t pid = StartChildProcess([&] {
            for (int i = 0;; ++i)
                TUtilities::SetFormKey("Crash", "V", i % 2 == 0 ? second : first);
            return 0;
        });
        ASSERT_GT(pid, 0);
        ::usleep(1000 + random() % 20000);
        ::kill(pid, SIGKILL);
        EXPECT_EQ(WaitForChildProcess(pid), -1);
        const std::string value = TUtilities::GetFormKey("Crash", "V");
        EXPECT_TRUE(value == first || value == second) << "round " << round << ": size "
                                                       << value.size();
    }
    // A file left half-written by a killed writer is cleared away by the next write.
    ASSERT_TRUE(TUtilities::SetFormKey("Crash", "V", "done"));
    EXPECT_EQ(StoreEntries(), (std::set<std::string>{".lock", "Crash.form"}));
    EXPECT_TRUE(SetAside("Crash").empty());
}

// Holds the store's lock as another writer would, until Release.
class HeldStoreLock {
public:
    explicit HeldStoreLock(const std::filesystem::path& AStoreFolder)
        : FFd(::open((AStoreFolder / ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
        EXPECT_EQ(::flock(FFd, LOCK_EX | LOCK_NB), 0);
    }
    ~HeldStoreLock() { Release(); }
    HeldStoreLock(const HeldStoreLock&) = delete;
    HeldStoreLock& operator=(const HeldStoreLock&) = delete;
    void Release() {
        if (FFd >= 0)
            ::close(FFd);
        FFd = -1;
    }

private:
    int FFd;
};

TEST_F(SettingsStoreTest, AWriterWaitsForAnotherWritersLock) {
    ASSERT_TRUE(TUtilities::SetFormKey("Waiting", "V", "old"));
    HeldStoreLock lock(StoreFolder());
    std::thread releaser([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        lock.Release();
    });
    EXPECT_TRUE(TUtilities::SetFormKey("Waiting", "V", "new"));
    releaser.join();
    EXPECT_EQ(TUtilities::GetFormKey("Waiting", "V"), "new");
}

TEST_F(SettingsStoreTest, AWriterGivesUpOnALockThatIsNeverReleased) {
    ASSERT_TRUE(TUtilities::SetFormKey("Stuck", "V", "old"));
    const HeldStoreLock lock(StoreFolder());
    EXPECT_FALSE(TUtilities::SetFormKey("Stuck", "V", "new"));
    // Readers take no lock.
    EXPECT_EQ(TUtilities::GetFormKey("Stuck", "V"), "old");
}

// A damaged or unreadable form file: readers give the defaults and change nothing; a writer sets
// it aside unchanged and starts a fresh file. ADamage receives the form file's path and a
// temporary folder outside the store.
struct DamageCase {
    const char* Name;
    std::function<void(const std::filesystem::path&, const std::filesystem::path&)> Damage;
};

class DamagedForm : public SettingsStoreTest, public testing::WithParamInterface<DamageCase> {};

// What a form-file entry is, for comparing it before and after it is set aside.
std::string Describe(const std::filesystem::path& APath) {
    const auto status = std::filesystem::symlink_status(APath);
    if (std::filesystem::is_symlink(status))
        return "link to " + std::filesystem::read_symlink(APath).string();
    if (std::filesystem::is_directory(status))
        return "folder";
    if (std::filesystem::is_fifo(status))
        return "pipe";
    return "file: " + ReadFileBytes(APath);
}

TEST_P(DamagedForm, IsMissingForReadersAndSetAsideByWriters) {
    ASSERT_TRUE(TUtilities::SetFormKey("Damaged", "V", "original"));
    ASSERT_TRUE(TUtilities::SetIntegerFormKey("Damaged", "N", 7));
    TempDir outside;
    GetParam().Damage(FormFile("Damaged"), outside.Path());
    const std::string damaged = Describe(FormFile("Damaged"));
    std::map<std::filesystem::path, std::string> outsideFiles;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(outside.Path()))
        outsideFiles[entry.path()] = ReadFileBytes(entry.path());
    const std::set<std::string> entries = StoreEntries();

    EXPECT_EQ(TUtilities::GetFormKey("Damaged", "V"), "");
    EXPECT_EQ(TUtilities::GetIntegerFormKey("Damaged", "N"), 0);
    EXPECT_EQ(StoreEntries(), entries);

    ASSERT_TRUE(TUtilities::SetFormKey("Damaged", "Fresh", "value"));
    EXPECT_EQ(TUtilities::GetFormKey("Damaged", "Fresh"), "value");
    EXPECT_EQ(TUtilities::GetFormKey("Damaged", "V"), "");
    const std::vector<std::filesystem::path> setAside = SetAside("Damaged");
    ASSERT_EQ(setAside.size(), 1u);
    EXPECT_EQ(Describe(setAside.front()), damaged);
    for (const auto& [path, content] : outsideFiles)
        EXPECT_EQ(ReadFileBytes(path), content) << "written through a link";
}

const std::string ValidFileOfDamaged =
    "Korvex settings 1\nform \"Damaged\"\ntext \"V\" \"outside\"\nend\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedForm,
    testing::Values(
        DamageCase{"Garbage",
                   [](const auto& AFile, const auto&) {
                       WriteFileBytes(AFile, std::string("\x00\x9f garbage \xff", 12));
                   }},
        DamageCase{"Truncated",
                   [](const auto& AFile, const auto&) {
                       const std::string content = ReadFileBytes(AFile);
                       WriteFileBytes(AFile, content.substr(0, content.size() - 4));
                   }},
        DamageCase{"Empty", [](const auto& AFile, const auto&) { WriteFileBytes(AFile, ""); }},
        DamageCase{"OfAnotherForm",
                   [](const auto& AFile, const auto&) {
                       WriteFileBytes(AFile, "Korvex settings 1\nform \"Other\"\n"
                                             "text \"V\" \"not mine\"\nend\n");
                   }},
        DamageCase{"TooLarge",
                   [](const auto& AFile, const auto&) {
                       WriteFileBytes(AFile,
                                      "Korvex settings 1\nform \"Damaged\"\ntext \"V\" \"" +
                                          std::string(SettingsStore::MaxFormFileSize, 'x') +
                                          "\"\nend\n");
                   }},
        DamageCase{"Folder",
                   [](const auto& AFile, const auto&) {
                       std::filesystem::remove(AFile);
                       std::filesystem::create_directory(AFile);
                   }},
        DamageCase{"NamedPipe",
                   [](const auto& AFile, const auto&) {
                       std::filesystem::remove(AFile);
                       ASSERT_EQ(::mkfifo(AFile.c_str(), 0600), 0);
                   }},
        DamageCase{"LinkOutOfTheStore",
                   [](const auto& AFile, const auto& AOutside) {
                       // Even a well-formed file is not read or written through a link.
                       WriteFileBytes(AOutside / "target.form", ValidFileOfDamaged);
                       std::filesystem::remove(AFile);
                       std::filesystem::create_symlink(AOutside / "target.form", AFile);
                   }}),
    [](const testing::TestParamInfo<DamageCase>& AInfo) { return AInfo.param.Name; });

TEST_F(SettingsStoreTest, EachDamagedFileIsSetAsideUnderItsOwnName) {
    for (const char* content : {"first damage", "second damage", "third damage"}) {
        ASSERT_TRUE(TUtilities::SetFormKey("Twice", "V", "x"));
        WriteFileBytes(FormFile("Twice"), content);
        ASSERT_TRUE(TUtilities::SetFormKey("Twice", "V", "y"));
    }
    std::set<std::string> kept;
    for (const auto& path : SetAside("Twice"))
        kept.insert(ReadFileBytes(path));
    EXPECT_EQ(kept, (std::set<std::string>{"first damage", "second damage", "third damage"}));
}

TEST_F(SettingsStoreTest, AnUnreadableFileIsMissingForReadersAndSetAsideByWriters) {
    ASSERT_TRUE(TUtilities::SetFormKey("Locked", "V", "original"));
    const std::string original = ReadFileBytes(FormFile("Locked"));
    std::filesystem::permissions(FormFile("Locked"), std::filesystem::perms::none);
    const int result = RunUnprivileged(FTemp.Path(), [] {
        if (TUtilities::GetFormKey("Locked", "V") != "")
            return 1;
        if (!TUtilities::SetFormKey("Locked", "V", "fresh"))
            return 2;
        return TUtilities::GetFormKey("Locked", "V") == "fresh" ? 0 : 3;
    });
    ASSERT_EQ(result, 0);
    const std::vector<std::filesystem::path> setAside = SetAside("Locked");
    ASSERT_EQ(setAside.size(), 1u);
    EXPECT_EQ(ReadFileBytes(setAside.front()), original);
}

TEST_F(SettingsStoreTest, LinksPlantedForTheStoresOwnFilesAreNotFollowed) {
    ASSERT_TRUE(TUtilities::SetFormKey("F", "V", "x"));
    TempDir outside;
    const std::filesystem::path target = outside.Path() / "target";
    WriteFileBytes(target, "outside");

    // A link where the new file is written is removed, not written through.
    std::filesystem::create_symlink(target, StoreFolder() / "F.form.new");
    ASSERT_TRUE(TUtilities::SetFormKey("F", "V", "y"));
    EXPECT_EQ(TUtilities::GetFormKey("F", "V"), "y");
    EXPECT_EQ(ReadFileBytes(target), "outside");

    // A link in place of the lock file: the store cannot be locked, so nothing is written.
    std::filesystem::remove(StoreFolder() / ".lock");
    std::filesystem::create_symlink(target, StoreFolder() / ".lock");
    EXPECT_FALSE(TUtilities::SetFormKey("F", "V", "z"));
    EXPECT_EQ(TUtilities::GetFormKey("F", "V"), "y");
    EXPECT_EQ(ReadFileBytes(target), "outside");
}

} // namespace
