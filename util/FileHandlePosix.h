#pragma once

// A POSIX file descriptor owned by one object, and reading a small regular file through one.

#include <cstddef>
#include <optional>
#include <string>

class TUniqueFd {
public:
    TUniqueFd() noexcept = default;
    explicit TUniqueFd(int AFd) noexcept : FFd(AFd) {}
    TUniqueFd(TUniqueFd&& AOther) noexcept : FFd(AOther.FFd) { AOther.FFd = -1; }
    TUniqueFd& operator=(TUniqueFd&& AOther) noexcept;
    TUniqueFd(const TUniqueFd&) = delete;
    TUniqueFd& operator=(const TUniqueFd&) = delete;
    ~TUniqueFd();

    int Get() const noexcept { return FFd; }
    bool IsOpen() const noexcept { return FFd >= 0; }
    // Close now and report whether the close succeeded (a late write error shows here).
    bool Close() noexcept;

private:
    int FFd = -1;
};

// How reading a file ended.
enum class TReadOutcome {
    Read,        // the whole content is in the result
    Missing,     // no entry of that name
    Refused,     // the entry is no regular file, is a symbolic link, is larger than allowed, is
                 // not readable to us, or reading it failed
    Unavailable, // the system lacks the resources to open it now (descriptors, memory)
};

struct TReadResult {
    TReadOutcome Outcome = TReadOutcome::Missing;
    std::string Content;
};

enum class TLastLink {
    Refuse, // a symbolic link as the last component is refused
    Follow,
};

// Reads the regular file AName inside the folder ADirFd (AT_FDCWD: AName is a path) when it
// holds at most AMaxSize bytes. Opening never blocks (a named pipe is refused, not waited on).
TReadResult ReadSmallFile(int ADirFd, const std::string& AName, std::size_t AMaxSize,
                          TLastLink ALastLink);
