// Sizes and times of files, from stat and statx, in local time.

#include "util/Utilities.h"

#include <algorithm>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <memory>
#include <optional>
#include <sys/stat.h>

namespace {

constexpr TDateTime kNotAvailable = -1.0;

bool IsPath(const std::string& AFileName) {
    return !AFileName.empty() && AFileName.find('\0') == std::string::npos;
}

std::optional<struct stat> StatusOf(const std::string& AFileName) {
    struct stat status {};
    if (!IsPath(AFileName) || stat(AFileName.c_str(), &status) != 0)
        return std::nullopt;
    return status;
}

// A file time in local time with the two-second resolution of the FAT file system: the offset
// from UTC is the one in force now, not at the file's date, and the seconds are cut to an even
// number. Times before 1980 or after 2107, which the FAT fields cannot hold, are given in the
// same way rather than refused: the resolution is the point of the rule, and such times are
// real (archives restored with their dates, files dated 1970 by reproducible builds). Only a
// time outside the years 1 to 9999 of the date-time value is not available.
TDateTime PackedLocalTime(const timespec& AUtc) {
    tzset(); // a changed TZ takes effect, as a changed time zone does on other platforms
    const time_t now = time(nullptr);
    tm nowLocal{};
    if (localtime_r(&now, &nowLocal) == nullptr)
        return kNotAvailable;
    time_t shifted = 0;
    if (__builtin_add_overflow(AUtc.tv_sec, nowLocal.tm_gmtoff, &shifted))
        return kNotAvailable;
    tm fields{};
    if (gmtime_r(&shifted, &fields) == nullptr)
        return kNotAvailable;
    const int evenSecond = std::min(fields.tm_sec, 59) / 2 * 2;
    return TryEncodeDateTime(fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday,
                             fields.tm_hour, fields.tm_min, evenSecond, 0)
        .value_or(kNotAvailable);
}

// A file time in local time by the time-zone rule in force at that instant, to the millisecond
// (cut, not rounded); 0.0 when it cannot be converted.
TDateTime ExactLocalTime(const timespec& AUtc) {
    tzset();
    tm fields{};
    if (localtime_r(&AUtc.tv_sec, &fields) == nullptr)
        return 0.0;
    return TryEncodeDateTime(fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday,
                             fields.tm_hour, fields.tm_min, std::min(fields.tm_sec, 59),
                             static_cast<int>(AUtc.tv_nsec / 1'000'000))
        .value_or(0.0);
}

// Steps over one UTF-8 character (one byte where the text is not valid UTF-8).
size_t CharacterLength(const std::string& AText, size_t APosition) {
    const auto lead = static_cast<unsigned char>(AText[APosition]);
    const size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (APosition + length > AText.size())
        return 1;
    for (size_t i = 1; i < length; ++i)
        if ((static_cast<unsigned char>(AText[APosition + i]) & 0xC0) != 0x80)
            return 1;
    return length;
}

// The wildcards of a directory search: "*" any run of characters, "?" exactly one character;
// every other character stands for itself (so "[" is no set), case-sensitive as the file system
// is, and a leading "." needs no special match.
bool MatchesWildcards(const std::string& AName, const std::string& APattern) {
    size_t name = 0;
    size_t pattern = 0;
    std::optional<size_t> starPattern; // position after the last "*" seen
    size_t starName = 0;               // where the run of that "*" ends for now
    while (name < AName.size()) {
        if (pattern < APattern.size() && APattern[pattern] == '*') {
            starPattern = ++pattern;
            starName = name;
        } else if (pattern < APattern.size() && APattern[pattern] == '?') {
            name += CharacterLength(AName, name);
            ++pattern;
        } else if (pattern < APattern.size() && APattern[pattern] == AName[name]) {
            ++name;
            ++pattern;
        } else if (starPattern) {
            // Let the last "*" take one more character and try the rest of the pattern again.
            starName += CharacterLength(AName, starName);
            name = starName;
            pattern = *starPattern;
        } else {
            return false;
        }
    }
    while (pattern < APattern.size() && APattern[pattern] == '*')
        ++pattern;
    return pattern == APattern.size();
}

struct TFolderCloser {
    void operator()(DIR* AFolder) const noexcept { closedir(AFolder); }
};

bool HasWildcards(const std::string& AText) {
    return AText.find_first_of("*?") != std::string::npos;
}

// The path of the first entry matching AFileName, whose last part may hold wildcards. Where
// several entries match, the first in byte order of their names is taken, so the answer does
// not depend on the order in which the file system lists its folders. The entries "." and ".."
// are not matched; folders are.
std::optional<std::string> FirstMatch(const std::string& AFileName) {
    if (!IsPath(AFileName))
        return std::nullopt;
    const size_t slash = AFileName.rfind('/');
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : AFileName.substr(0, slash);
    const std::string pattern =
        slash == std::string::npos ? AFileName : AFileName.substr(slash + 1);
    if (pattern.empty())
        return std::nullopt;
    if (!HasWildcards(pattern))
        return AFileName;

    const std::unique_ptr<DIR, TFolderCloser> entries(opendir(folder.c_str()));
    if (entries == nullptr)
        return std::nullopt;
    std::optional<std::string> first;
    while (const dirent* entry = readdir(entries.get())) {
        const std::string name = entry->d_name;
        if (name == "." || name == ".." || !MatchesWildcards(name, pattern))
            continue;
        if (!first || name < *first)
            first = name;
    }
    if (!first)
        return std::nullopt;
    return (folder == "/" ? "" : folder) + "/" + *first;
}

} // namespace

int64_t TUtilities::GetFileSize(const std::string& AFileName) {
    const std::optional<struct stat> status = StatusOf(AFileName);
    if (!status)
        return -1;
    // Only a regular file has a size of its contents; folders, devices and pipes report 0.
    return S_ISREG(status->st_mode) ? static_cast<int64_t>(status->st_size) : 0;
}

TDateTime TUtilities::GetFileCreationTime(const std::string& AFileName) {
    // The birth time is kept by some file systems only (ext4, btrfs, xfs, tmpfs); where statx
    // does not report it, it is not available.
    struct statx status {};
    if (!IsPath(AFileName) ||
        statx(AT_FDCWD, AFileName.c_str(), AT_STATX_SYNC_AS_STAT, STATX_BTIME, &status) != 0 ||
        (status.stx_mask & STATX_BTIME) == 0)
        return kNotAvailable;
    return PackedLocalTime(
        timespec{static_cast<time_t>(status.stx_btime.tv_sec), status.stx_btime.tv_nsec});
}

TDateTime TUtilities::GetFileLastWriteTime(const std::string& AFileName) {
    const std::optional<struct stat> status = StatusOf(AFileName);
    return status ? PackedLocalTime(status->st_mtim) : kNotAvailable;
}

TDateTime TUtilities::GetFileModDate(const std::string& AFileName) {
    // No match is reported as -1.0, the "not available" of the other file functions.
    const std::optional<std::string> match = FirstMatch(AFileName);
    if (!match)
        return kNotAvailable;
    // A link is followed to its file; a link that leads nowhere gives its own time.
    struct stat status {};
    if (stat(match->c_str(), &status) != 0 && lstat(match->c_str(), &status) != 0)
        return kNotAvailable;
    return ExactLocalTime(status.st_mtim);
}
