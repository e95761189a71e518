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

// Starts AWork in a child process, as another running program; the child's exit status is
// AWork's result, 0 for success by convention.
inline pid_t StartChildProcess(const std::function<int()>& AWork) {
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
    return pid;
}

// The exit status of a child process, or -1 when it died or could not be started.
inline int WaitForChildProcess(pid_t APid) {
    int status = 0;
    if (APid <= 0 || ::waitpid(APid, &status, 0) != APid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline int RunInChildProcess(const std::function<int()>& AWork) {
    return WaitForChildProcess(StartChildProcess(AWork));
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
