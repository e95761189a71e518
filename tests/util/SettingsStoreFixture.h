#pragma once

// A settings store in a temporary folder: XDG_CONFIG_HOME and HOME point into it for the life of
// the fixture, so tests never touch the user's real settings.

#include "support/ScopedEnvironment.h"
#include "support/TestFiles.h"
#include "util/SettingsFile.h"
#include "util/Utilities.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <grp.h>
#include <set>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

class SettingsStoreTest : public testing::Test {
protected:
    SettingsStoreTest() : FOldUmask(::umask(022)) {
        FEnvironment.Set("HOME", (FTemp.Path() / "home").string());
        FEnvironment.Set("XDG_CONFIG_HOME", (FTemp.Path() / "config").string());
    }
    ~SettingsStoreTest() override { ::umask(FOldUmask); }

    std::filesystem::path StoreFolder() const {
        return FTemp.Path() / "config" / "Velmora" / "SyslogServer";
    }
    std::filesystem::path FormFile(const std::string& AFormName) const {
        return StoreFolder() / SettingsStore::FormFileName(AFormName);
    }
    // The names in the store folder.
    std::set<std::string> StoreEntries() const {
        std::set<std::string> names;
        std::error_code missing;
        for (const auto& entry : std::filesystem::directory_iterator(StoreFolder(), missing))
            names.insert(entry.path().filename().string());
        return names;
    }
    // The names in the store folder that hold a damaged file of the form, set aside.
    std::vector<std::filesystem::path> SetAside(const std::string& AFormName) const {
        std::vector<std::filesystem::path> found;
        for (const std::string& name : StoreEntries())
            if (name.starts_with(SettingsStore::FormFileName(AFormName) + ".damaged-"))
                found.push_back(StoreFolder() / name);
        return found;
    }

    TempDir FTemp;
    ScopedEnvironment FEnvironment;
    mode_t FOldUmask;
};

// Runs AWork in a child process, as another running program would, and returns its result (the
// child's exit status): 0 for success by convention, -1 when the child died.
inline int RunInChildProcess(const std::function<int()>& AWork) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        int code = 125;
        try {
            code = AWork();
        } catch (...) {
            code = 126;
        }
        ::_exit(code); // no clean-up of the parent's objects (the temporary folder) in the child
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// As RunInChildProcess, with the child running as an unprivileged user even when the tests run
// as root (who may read and write any file): the folder ATree then belongs to that user.
inline int RunUnprivileged(const std::filesystem::path& ATree, const std::function<int()>& AWork) {
    return RunInChildProcess([&] {
        if (::geteuid() == 0) {
            constexpr uid_t Nobody = 65534;
            if (::lchown(ATree.c_str(), Nobody, Nobody) != 0)
                return 120;
            for (const auto& entry : std::filesystem::recursive_directory_iterator(ATree))
                if (::lchown(entry.path().c_str(), Nobody, Nobody) != 0)
                    return 121;
            if (::setgroups(0, nullptr) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0)
                return 122;
        }
        return AWork();
    });
}
