#include "platform/DateTime.h"

#include "platform/Errors.h"
#include "platform/Format.h"

#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <string>

namespace {

using namespace std::chrono;

constexpr int64_t kMSecsPerDay = 86'400'000;
constexpr sys_days kEpoch{year{1899} / December / 30};
constexpr int kMinYear = 1;
constexpr int kMaxYear = 9999;

// Day numbers of the first and last valid dates, relative to the epoch.
constexpr int64_t kMinDay = (sys_days{year{kMinYear} / January / 1} - kEpoch).count();
constexpr int64_t kMaxDay = (sys_days{year{kMaxYear} / December / 31} - kEpoch).count();

bool IsValidDate(int AYear, int AMonth, int ADay) noexcept {
    if (AYear < kMinYear || AYear > kMaxYear || AMonth < 1 || AMonth > 12 || ADay < 1 || ADay > 31)
        return false;
    return year_month_day{year{AYear}, month{static_cast<unsigned>(AMonth)},
                          day{static_cast<unsigned>(ADay)}}
        .ok();
}

bool IsValidTime(int AHour, int AMin, int ASec, int AMSec) noexcept {
    return AHour >= 0 && AHour <= 23 && AMin >= 0 && AMin <= 59 && ASec >= 0 && ASec <= 59 &&
           AMSec >= 0 && AMSec <= 999;
}

// Days from the epoch of a valid date.
int64_t DayNumber(int AYear, int AMonth, int ADay) noexcept {
    const sys_days date{year{AYear} / month{static_cast<unsigned>(AMonth)} /
                        day{static_cast<unsigned>(ADay)}};
    return (date - kEpoch).count();
}

// The time of day of valid fields as a fraction of a day.
double DayFraction(int AHour, int AMin, int ASec, int AMSec) noexcept {
    const int64_t msecs = ((int64_t{AHour} * 60 + AMin) * 60 + ASec) * 1000 + AMSec;
    return static_cast<double>(msecs) / static_cast<double>(kMSecsPerDay);
}

// Days and time of day joined in the value's layout: the time moves away from zero.
TDateTime Combine(int64_t ADay, double AFraction) noexcept {
    const auto day = static_cast<double>(ADay);
    return ADay < 0 ? day - AFraction : day + AFraction;
}

std::string DateText(int AYear, int AMonth, int ADay) {
    return Format("%.4d-%.2d-%.2d", {AYear, AMonth, ADay});
}

std::string TimeText(int AHour, int AMin, int ASec, int AMSec) {
    return Format("%.2d:%.2d:%.2d.%.3d", {AHour, AMin, ASec, AMSec});
}

[[noreturn]] void RaiseInvalidValue(TDateTime AValue) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), AValue);
    throw EConvertError(
        Format("'%s' is not a valid date and time", {std::string(buffer.data(), result.ptr)}));
}

// The milliseconds of a fraction of a day in [0, 1), rounded to the nearest, halves to even.
// The product is rounded once by the multiplication; its exact remainder (from fma) decides
// the cases where that rounding landed on a half, so the result is that of the exact product.
int64_t RoundedMilliseconds(double AFraction) noexcept {
    constexpr auto scale = static_cast<double>(kMSecsPerDay);
    const double product = AFraction * scale;
    const double remainder = std::fma(AFraction, scale, -product);
    double rounded = std::nearbyint(product); // the default rounding mode: halves to even
    if (std::fabs(product - rounded) == 0.5 && remainder != 0.0)
        rounded = remainder > 0.0 ? std::ceil(product) : std::floor(product);
    return static_cast<int64_t>(rounded);
}

} // namespace

TDateTime EncodeDate(int AYear, int AMonth, int ADay) {
    if (!IsValidDate(AYear, AMonth, ADay))
        throw EConvertError("'" + DateText(AYear, AMonth, ADay) + "' is not a valid date");
    return static_cast<double>(DayNumber(AYear, AMonth, ADay));
}

TDateTime EncodeTime(int AHour, int AMin, int ASec, int AMSec) {
    if (!IsValidTime(AHour, AMin, ASec, AMSec))
        throw EConvertError("'" + TimeText(AHour, AMin, ASec, AMSec) + "' is not a valid time");
    return DayFraction(AHour, AMin, ASec, AMSec);
}

std::optional<TDateTime> TryEncodeDateTime(int AYear, int AMonth, int ADay, int AHour, int AMin,
                                           int ASec, int AMSec) noexcept {
    if (!IsValidDate(AYear, AMonth, ADay) || !IsValidTime(AHour, AMin, ASec, AMSec))
        return std::nullopt;
    return Combine(DayNumber(AYear, AMonth, ADay), DayFraction(AHour, AMin, ASec, AMSec));
}

TDateTime EncodeDateTime(int AYear, int AMonth, int ADay, int AHour, int AMin, int ASec,
                         int AMSec) {
    if (auto value = TryEncodeDateTime(AYear, AMonth, ADay, AHour, AMin, ASec, AMSec))
        return *value;
    throw EConvertError("'" + DateText(AYear, AMonth, ADay) + " " +
                        TimeText(AHour, AMin, ASec, AMSec) + "' is not a valid date and time");
}

TDateTimeFields DecodeDateTimeFields(TDateTime AValue) {
    if (!std::isfinite(AValue))
        RaiseInvalidValue(AValue);
    const double wholeDays = std::trunc(AValue);
    // One day of slack on either side: a time of day may still round into a valid date.
    if (wholeDays < static_cast<double>(kMinDay - 1) ||
        wholeDays > static_cast<double>(kMaxDay + 1))
        RaiseInvalidValue(AValue);

    // The fraction is the time of day for either sign; subtracting the whole days is exact.
    const auto dayNumber = static_cast<int64_t>(wholeDays);
    const int64_t msecs =
        dayNumber * kMSecsPerDay + RoundedMilliseconds(std::fabs(AValue - wholeDays));

    // Split with floor division, so that a time rounded up to 24:00 lands on the next day.
    int64_t day = msecs / kMSecsPerDay;
    int64_t msecOfDay = msecs % kMSecsPerDay;
    if (msecOfDay < 0) {
        msecOfDay += kMSecsPerDay;
        --day;
    }
    if (day < kMinDay || day > kMaxDay)
        RaiseInvalidValue(AValue);

    const year_month_day date{kEpoch + days{day}};
    TDateTimeFields fields;
    fields.Year = static_cast<int>(date.year());
    fields.Month = static_cast<int>(static_cast<unsigned>(date.month()));
    fields.Day = static_cast<int>(static_cast<unsigned>(date.day()));
    fields.MSec = static_cast<int>(msecOfDay % 1000);
    fields.Sec = static_cast<int>(msecOfDay / 1000 % 60);
    fields.Min = static_cast<int>(msecOfDay / 60'000 % 60);
    fields.Hour = static_cast<int>(msecOfDay / 3'600'000);
    return fields;
}

void DecodeDateTime(TDateTime AValue, int& AYear, int& AMonth, int& ADay, int& AHour, int& AMin,
                    int& ASec, int& AMSec) {
    const TDateTimeFields fields = DecodeDateTimeFields(AValue);
    AYear = fields.Year;
    AMonth = fields.Month;
    ADay = fields.Day;
    AHour = fields.Hour;
    AMin = fields.Min;
    ASec = fields.Sec;
    AMSec = fields.MSec;
}
