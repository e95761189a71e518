#include "platform/DateTime.h"
#include "support/TestFiles.h"
#include "util/Utilities.h"

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The time zone of the process for the duration of a test; the old one is restored after.
class TTimeZone {
public:
    explicit TTimeZone(const char* AZone) {
        if (const char* old = std::getenv("TZ"))
            FOld = old;
        setenv("TZ", AZone, 1);
        tzset();
    }
    ~TTimeZone() {
        if (FOld)
            setenv("TZ", FOld->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    TTimeZone(const TTimeZone&) = delete;
    TTimeZone& operator=(const TTimeZone&) = delete;

private:
    std::optional<std::string> FOld;
};

// POSIX rules, so the tests need no time-zone database: India (no daylight saving) and
// Central Europe (UTC+1, from the last Sunday of March to the last Sunday of October UTC+2).
constexpr char kIndia[] = "IST-5:30";
constexpr char kCentralEurope[] = "CET-1CEST,M3.5.0,M10.5.0/3";

time_t UtcSeconds(int AYear, int AMonth, int ADay, int AHour, int AMin, int ASec) {
    tm fields{};
    fields.tm_year = AYear - 1900;
    fields.tm_mon = AMonth - 1;
    fields.tm_mday = ADay;
    fields.tm_hour = AHour;
    fields.tm_min = AMin;
    fields.tm_sec = ASec;
    return timegm(&fields);
}

void SetLastWriteTime(const std::string& AFileName, time_t ASeconds, long ANanoseconds) {
    const timespec times[2] = {{ASeconds, ANanoseconds}, {ASeconds, ANanoseconds}};
    ASSERT_EQ(utimensat(AT_FDCWD, AFileName.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << AFileName;
}

// Whether the file system stored the time exactly: some cannot hold times beyond 2038 or before
// 1970, or keep whole seconds only, and store another time without an error.
bool HoldsLastWriteTime(const std::string& AFileName, time_t ASeconds, long ANanoseconds) {
    struct stat status {};
    return lstat(AFileName.c_str(), &status) == 0 && status.st_mtim.tv_sec == ASeconds &&
           status.st_mtim.tv_nsec == ANanoseconds;
}
constexpr char kTimeNotHeld[] = "the file system of the temporary folder cannot hold this time";

// Date-time values compare to within a tenth of a millisecond: the value is a double.
#define EXPECT_DATETIME(actual, expected) EXPECT_NEAR((actual), (expected), 1e-4 / 86400.0)

TEST(GetFileSize, IsTheSizeOfARegularFile) {
    TempDir dir;
    WriteFileBytes(dir.File("empty"), "");
    WriteFileBytes(dir.File("five"), "12345");
    ASSERT_EQ(symlink("five", dir.File("link").c_str()), 0);
    ASSERT_EQ(symlink("nowhere", dir.File("dangling").c_str()), 0);
    ASSERT_EQ(mkdir(dir.File("folder").c_str(), 0755), 0);
    struct Case {
        std::string file;
        int64_t expected;
    };
    const Case cases[] = {
        {dir.File("empty"), 0},
        {dir.File("five"), 5},
        {dir.File("link"), 5},
        {dir.File("folder"), 0},
        {dir.File("missing"), -1},
        {dir.File("dangling"), -1},
        {"", -1},
        {dir.File("five") + std::string(1, '\0') + "x", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TUtilities::GetFileSize(c.file), c.expected) << c.file;
}

TEST(GetFileSize, CountsAllSixtyFourBitsOfASparseFile) {
    TempDir dir;
    const std::string file = dir.File("sparse");
    const int64_t size = (int64_t{5} << 30) + 123; // beyond 4 GiB, holding no data blocks
    const int handle = open(file.c_str(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(handle, 0);
    const bool extended = ftruncate(handle, size) == 0;
    close(handle);
    ASSERT_TRUE(extended);
    EXPECT_EQ(TUtilities::GetFileSize(file), size);
}

struct TimeCase {
    const char* name;
    time_t utc;
    long nanoseconds;
    TDateTime lastWrite; // two-second resolution, current offset
    TDateTime modDate;   // milliseconds, offset of the date
};

class FileTimes : public testing::TestWithParam<TimeCase> {};

// In a zone without daylight saving the offset now and at the file's date are the same.
TEST_P(FileTimes, AreLocalTimesInTheirResolution) {
    const TimeCase& c = GetParam();
    const TTimeZone zone(kIndia);
    TempDir dir;
    const std::string file = dir.File("file");
    WriteFileBytes(file, "x");
    SetLastWriteTime(file, c.utc, c.nanoseconds);
    if (!HoldsLastWriteTime(file, c.utc, c.nanoseconds))
        GTEST_SKIP() << kTimeNotHeld;
    EXPECT_DATETIME(TUtilities::GetFileLastWriteTime(file), c.lastWrite);
    EXPECT_DATETIME(TUtilities::GetFileModDate(file), c.modDate);
}

INSTANTIATE_TEST_SUITE_P(
    India, FileTimes,
    testing::Values(
        TimeCase{"OddSecond", UtcSeconds(2024, 1, 5, 13, 4, 9), 123'456'789,
                 EncodeDateTime(2024, 1, 5, 18, 34, 8, 0),
                 EncodeDateTime(2024, 1, 5, 18, 34, 9, 123)},
        TimeCase{"EvenSecond", UtcSeconds(2024, 1, 5, 13, 4, 10), 999'999'999,
                 EncodeDateTime(2024, 1, 5, 18, 34, 10, 0),
                 EncodeDateTime(2024, 1, 5, 18, 34, 10, 999)},
        TimeCase{"NextLocalDay", UtcSeconds(2023, 12, 31, 20, 0, 1), 0,
                 EncodeDateTime(2024, 1, 1, 1, 30, 0, 0), EncodeDateTime(2024, 1, 1, 1, 30, 1, 0)},
        // Outside the years the FAT fields hold (1980 to 2107): given all the same.
        TimeCase{"Before1980", UtcSeconds(1975, 6, 1, 0, 0, 1), 0,
                 EncodeDateTime(1975, 6, 1, 5, 30, 0, 0), EncodeDateTime(1975, 6, 1, 5, 30, 1, 0)},
        TimeCase{"Before1970", UtcSeconds(1960, 2, 29, 23, 59, 59), 500'000'000,
                 EncodeDateTime(1960, 3, 1, 5, 29, 58, 0),
                 EncodeDateTime(1960, 3, 1, 5, 29, 59, 500)},
        TimeCase{"After2107", UtcSeconds(2200, 1, 1, 0, 0, 3), 0,
                 EncodeDateTime(2200, 1, 1, 5, 30, 2, 0), EncodeDateTime(2200, 1, 1, 5, 30, 3, 0)}),
    [](const testing::TestParamInfo<TimeCase>& AInfo) { return AInfo.param.name; });

TEST(FileTimes, OfAMissingFileAreNotAvailable) {
    TempDir dir;
    for (const std::string& file : {dir.File("missing"), std::string()}) {
        EXPECT_EQ(TUtilities::GetFileCreationTime(file), -1.0);
        EXPECT_EQ(TUtilities::GetFileLastWriteTime(file), -1.0);
        EXPECT_EQ(TUtilities::GetFileModDate(file), -1.0);
    }
}

// After the year 9999 there is no date-time value: the packed times are not available, and
// GetFileModDate gives 0.0 as for every failed conversion to local time.
TEST(FileTimes, BeyondTheLastDateTimeValue) {
    const TTimeZone zone(kIndia);
    TempDir dir;
    const std::string file = dir.File("far");
    WriteFileBytes(file, "x");
    const time_t year10001 = UtcSeconds(10001, 1, 1, 0, 0, 0);
    SetLastWriteTime(file, year10001, 0);
    if (!HoldsLastWriteTime(file, year10001, 0))
        GTEST_SKIP() << kTimeNotHeld;
    EXPECT_EQ(TUtilities::GetFileLastWriteTime(file), -1.0);
    EXPECT_EQ(TUtilities::GetFileModDate(file), 0.0);
}

// GetFileModDate applies the daylight-saving rule of the file's date; the packed times apply
// the offset in force now to every date, whichever of the two it is.
TEST(FileTimes, DaylightSavingFollowsTheDateOnlyForModDate) {
    const TTimeZone zone(kCentralEurope);
    TempDir dir;
    const std::string winter = dir.File("winter");
    const std::string summer = dir.File("summer");
    WriteFileBytes(winter, "w");
    WriteFileBytes(summer, "s");
    const time_t winterUtc = UtcSeconds(2024, 1, 15, 12, 0, 0);
    const time_t summerUtc = UtcSeconds(2024, 7, 15, 12, 0, 0);
    SetLastWriteTime(winter, winterUtc, 250'000'000);
    SetLastWriteTime(summer, summerUtc, 250'000'000);
    if (!HoldsLastWriteTime(winter, winterUtc, 250'000'000))
        GTEST_SKIP() << kTimeNotHeld;

    EXPECT_DATETIME(TUtilities::GetFileModDate(winter), EncodeDateTime(2024, 1, 15, 13, 0, 0, 250));
    EXPECT_DATETIME(TUtilities::GetFileModDate(summer), EncodeDateTime(2024, 7, 15, 14, 0, 0, 250));

    const TDateTime packedWinter = TUtilities::GetFileLastWriteTime(winter);
    const TDateTime packedSummer = TUtilities::GetFileLastWriteTime(summer);
    const double hour = 1.0 / 24;
    const TDateTime winterNoonUtc = EncodeDateTime(2024, 1, 15, 12, 0, 0, 0);
    const bool summerNow = std::fabs(packedWinter - winterNoonUtc - 2 * hour) < 1e-6;
    EXPECT_TRUE(summerNow || std::fabs(packedWinter - winterNoonUtc - hour) < 1e-6) << packedWinter;
    EXPECT_DATETIME(packedSummer,
                    EncodeDateTime(2024, 7, 15, 12, 0, 0, 0) + (summerNow ? 2 : 1) * hour);
}

// The birth time cannot be set; it lies between the clock's readings around the creation.
TEST(GetFileCreationTime, IsTheBirthTimeWhereTheFileSystemKeepsOne) {
    const TTimeZone zone(kIndia);
    TempDir dir;
    const std::string file = dir.File("born");
    timespec before{};
    timespec after{};
    clock_gettime(CLOCK_REALTIME, &before);
    WriteFileBytes(file, "x");
    clock_gettime(CLOCK_REALTIME, &after);
    SetLastWriteTime(file, UtcSeconds(2001, 1, 1, 0, 0, 0), 0); // must not matter

    struct statx status {};
    ASSERT_EQ(statx(AT_FDCWD, file.c_str(), 0, STATX_BTIME, &status), 0);
    const TDateTime created = TUtilities::GetFileCreationTime(file);
    if ((status.stx_mask & STATX_BTIME) == 0) {
        EXPECT_EQ(created, -1.0) << "the file system keeps no birth time";
        return;
    }
    const auto local = [](time_t AUtc) {
        const time_t shifted = AUtc + 5 * 3600 + 30 * 60;
        tm fields{};
        gmtime_r(&shifted, &fields);
        return EncodeDateTime(fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday,
                              fields.tm_hour, fields.tm_min, fields.tm_sec / 2 * 2, 0);
    };
    EXPECT_GE(created, local(before.tv_sec - 2) - 1e-9); // the file system's clock is coarser
    EXPECT_LE(created, local(after.tv_sec) + 1e-9);
    int year, month, day, hour, min, sec, msec;
    DecodeDateTime(created, year, month, day, hour, min, sec, msec);
    EXPECT_EQ(sec % 2, 0);
    EXPECT_EQ(msec, 0);
}

// Files with distinct times, so the time tells which one a search found.
class GetFileModDateSearch : public testing::Test {
protected:
    void SetUp() override {
        const char* names[] = {"a.log",   "b.log", "c.txt", "\xC3\xA4.log", ".hidden",
                               "[x].log", "x.log", "sub",   "sub/inner.txt"};
        for (size_t i = 0; i < std::size(names); ++i) {
            const std::string path = FDir.File(names[i]);
            if (std::string(names[i]) == "sub")
                ASSERT_EQ(mkdir(path.c_str(), 0755), 0);
            else
                WriteFileBytes(path, names[i]);
        }
        // Set after the folder's contents are complete, or its own time would change again.
        for (size_t i = std::size(names); i-- > 0;)
            SetLastWriteTime(FDir.File(names[i]), UtcSeconds(2024, 3, 1, 0, 0, 0),
                             static_cast<long>(i + 1) * 1'000'000);
        if (!HoldsLastWriteTime(FDir.File(names[0]), UtcSeconds(2024, 3, 1, 0, 0, 0), 1'000'000))
            GTEST_SKIP() << kTimeNotHeld;
    }

    // The milliseconds of the match's time: the 1-based index of its name above; 0: no match.
    int Found(const std::string& APattern) {
        const TDateTime time = TUtilities::GetFileModDate(APattern);
        if (time == -1.0)
            return 0;
        int year, month, day, hour, min, sec, msec;
        DecodeDateTime(time, year, month, day, hour, min, sec, msec);
        return msec;
    }

    const TTimeZone FZone{"UTC0"};
    TempDir FDir;
};

TEST_F(GetFileModDateSearch, TakesTheFirstMatchInNameOrder) {
    struct Case {
        const char* pattern;
        int expected;
    };
    const Case cases[] = {
        {"a.log", 1},   {"*.log", 6},     {"?.log", 1},     {"b.*", 2},      {"?.txt", 3},
        {"*", 5},       {"*.*", 5},       {"\xC3\xA4*", 4}, {"??.log", 0},   {"*\xC3\xA4.l?g", 4},
        {"[x].log", 6}, {"[x]*", 6},      {"x.log", 7},     {"s*", 8},       {"sub", 8},
        {"sub/*", 9},   {"sub/*.txt", 9}, {"A.LOG", 0},     {"missing*", 0}, {"missing", 0},
        {"*.lo", 0},    {"a.log*", 1},    {"*a*", 1},       {"", 0},         {"nofolder/*", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Found(FDir.File(c.pattern)), c.expected) << c.pattern;
    EXPECT_EQ(Found(FDir.Path().string() + "/"), 0);
}

} // namespace
