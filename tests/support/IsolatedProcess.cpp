#include "support/IsolatedProcess.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <exception>
#include <fstream>
#include <sched.h>
#include <stdexcept>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kNotPermitted = 77;

// The machine refuses a step of the isolation: the test cannot run here.
class TIsolationRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

[[noreturn]] void RaiseErrno(const std::string& AWhat) {
    throw std::runtime_error(AWhat + ": " + std::strerror(errno));
}

// EINVAL of seteuid: a user ID that the container's user namespace does not map.
[[noreturn]] void RaiseStepErrno(const std::string& AWhat, bool AInvalidIsRefusal = false) {
    if (errno == EPERM || errno == EACCES || (AInvalidIsRefusal && errno == EINVAL))
        throw TIsolationRefused(AWhat + ": " + std::strerror(errno));
    RaiseErrno(AWhat);
}

void WriteAll(int AHandle, const std::string& AText) {
    size_t done = 0;
    while (done < AText.size()) {
        const ssize_t written = write(AHandle, AText.data() + done, AText.size() - done);
        if (written <= 0)
            return;
        done += static_cast<size_t>(written);
    }
}

[[noreturn]] void RunChild(const std::function<std::string()>& ABody, int AOutput) {
    if (unshare(CLONE_NEWNS | CLONE_NEWUTS) != 0 ||
        mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        _exit(kNotPermitted);
    std::string result;
    try {
        result = ABody();
    } catch (const TIsolationRefused&) {
        _exit(kNotPermitted);
    } catch (const std::exception& e) {
        result = std::string("exception: ") + e.what();
    }
    WriteAll(AOutput, result);
    close(AOutput);
    _exit(0); // no exit handlers: they belong to the parent's test program
}

} // namespace

std::optional<std::string> RunIsolated(const std::function<std::string()>& ABody) {
    std::array<int, 2> pipeEnds{};
    if (pipe(pipeEnds.data()) != 0)
        RaiseErrno("pipe");
    const pid_t child = fork();
    if (child < 0)
        RaiseErrno("fork");
    if (child == 0) {
        close(pipeEnds[0]);
        RunChild(ABody, pipeEnds[1]);
    }
    close(pipeEnds[1]);
    std::string result;
    std::array<char, 4096> buffer{};
    ssize_t got = 0;
    while ((got = read(pipeEnds[0], buffer.data(), buffer.size())) > 0 ||
           (got < 0 && errno == EINTR))
        if (got > 0)
            result.append(buffer.data(), static_cast<size_t>(got));
    close(pipeEnds[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR)
            RaiseErrno("waitpid");
    if (WIFEXITED(status) && WEXITSTATUS(status) == kNotPermitted)
        return std::nullopt;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "child process failed with status " + std::to_string(status);
    return result;
}

void MountEmptyFolder(const std::string& APath) {
    if (mount("tmpfs", APath.c_str(), "tmpfs", 0, "mode=0755") != 0)
        RaiseStepErrno("mount tmpfs on " + APath);
}

void WriteIsolatedFile(const std::string& APath, const std::string& AContents) {
    {
        std::ofstream file(APath, std::ios::binary | std::ios::trunc);
        file << AContents;
        if (!file)
            throw std::runtime_error("cannot write " + APath);
    }
    if (chmod(APath.c_str(), 0644) != 0)
        RaiseErrno("chmod " + APath);
}

void SetIsolatedHostName(const std::string& AName) {
    if (sethostname(AName.data(), AName.size()) != 0)
        RaiseStepErrno("sethostname " + AName);
}

void SetIsolatedEffectiveUser(uid_t AUid) {
    if (seteuid(AUid) != 0)
        RaiseStepErrno("seteuid " + std::to_string(AUid), true);
}

void UseIsolatedNameServices() {
    MountEmptyFolder("/etc");
    WriteIsolatedFile("/etc/nsswitch.conf", "passwd: files\ngroup: files\nhosts: files\n");
    // The C library asks a running cache daemon before it reads the files; without its socket
    // folder it reads them.
    struct stat status {};
    if (stat("/var/run/nscd", &status) == 0 && S_ISDIR(status.st_mode))
        MountEmptyFolder("/var/run/nscd");
}
