#include "util/FileHandlePosix.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

TUniqueFd& TUniqueFd::operator=(TUniqueFd&& AOther) noexcept {
    if (this != &AOther) {
        Close();
        FFd = AOther.FFd;
        AOther.FFd = -1;
    }
    return *this;
}

TUniqueFd::~TUniqueFd() {
    Close();
}

bool TUniqueFd::Close() noexcept {
    if (FFd < 0)
        return true;
    // On Linux the descriptor is released even when close fails, so it is never retried.
    const int result = ::close(FFd);
    FFd = -1;
    return result == 0;
}

TReadResult ReadSmallFile(int ADirFd, const std::string& AName, std::size_t AMaxSize,
                          TLastLink ALastLink) {
    TReadResult result;
    const int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY |
                      (ALastLink == TLastLink::Refuse ? O_NOFOLLOW : 0);
    int fd = -1;
    do
        fd = ::openat(ADirFd, AName.c_str(), flags);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        switch (errno) {
        case ENOENT:
            result.Outcome = TReadOutcome::Missing;
            break;
        case EMFILE:
        case ENFILE:
        case ENOMEM:
            result.Outcome = TReadOutcome::Unavailable;
            break;
        default:
            result.Outcome = TReadOutcome::Refused;
            break;
        }
        return result;
    }
    const TUniqueFd file(fd);

    struct stat info {};
    if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<std::size_t>(info.st_size) > AMaxSize) {
        result.Outcome = TReadOutcome::Refused;
        return result;
    }
    // Read until the end rather than trusting the size: the file may change meanwhile.
    std::string content;
    content.resize(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t used = 0;
    for (;;) {
        if (used == content.size()) {
            if (content.size() > AMaxSize) {
                result.Outcome = TReadOutcome::Refused;
                return result;
            }
            content.resize(std::min(AMaxSize + 1, content.size() * 2));
        }
        const ssize_t got = ::read(file.Get(), content.data() + used, content.size() - used);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            result.Outcome = TReadOutcome::Refused;
            return result;
        }
        if (got == 0)
            break;
        used += static_cast<std::size_t>(got);
    }
    if (used > AMaxSize) {
        result.Outcome = TReadOutcome::Refused;
        return result;
    }
    content.resize(used);
    result.Outcome = TReadOutcome::Read;
    result.Content = std::move(content);
    return result;
}
