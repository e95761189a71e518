#pragma once

// The date-time value: days since 1899-12-30 00:00, the fraction being the time of day.
//
// The integer part counts days from 1899-12-30 and the fractional part, whatever the sign of
// the value, is the time of day: -1.25 is 1899-12-29 06:00, not 1899-12-28 18:00. This is the
// long-standing layout of this value type, which keeps files and values exchanged with other
// programs meaning the same instant. Dates run from 0001-01-01 to 9999-12-31 (proleptic
// Gregorian calendar); the time of day has millisecond resolution.

#include <cstdint>
#include <optional>

using TDateTime = double;

// A time span: a signed count of 100-nanosecond ticks.
using TTimeSpan = int64_t;

inline constexpr TTimeSpan kTicksPerMillisecond = 10'000;
inline constexpr TTimeSpan kTicksPerSecond = 1000 * kTicksPerMillisecond;
inline constexpr TTimeSpan kTicksPerMinute = 60 * kTicksPerSecond;
inline constexpr TTimeSpan kTicksPerHour = 60 * kTicksPerMinute;

// The hours (modulo 24) and minutes (modulo 60) components of a span. Division and remainder
// truncate toward zero, so both carry the span's sign: -90 minutes are -1 hours and -30 minutes.
constexpr int TimeSpanHours(TTimeSpan ASpan) noexcept {
    return static_cast<int>(ASpan / kTicksPerHour % 24);
}
constexpr int TimeSpanMinutes(TTimeSpan ASpan) noexcept {
    return static_cast<int>(ASpan / kTicksPerMinute % 60);
}

// A value from its fields: year 1 to 9999, month 1 to 12, day within the month, hour 0 to 23,
// minute and second 0 to 59, millisecond 0 to 999. Invalid fields raise EConvertError, naming
// them: "'2024-02-30' is not a valid date", "'24:00:00.000' is not a valid time",
// "'2024-13-05 13:04:09.000' is not a valid date and time".
TDateTime EncodeDate(int AYear, int AMonth, int ADay);
TDateTime EncodeTime(int AHour, int AMin, int ASec, int AMSec);
TDateTime EncodeDateTime(int AYear, int AMonth, int ADay, int AHour, int AMin, int ASec, int AMSec);

// As EncodeDateTime, with no value instead of an error for invalid fields.
std::optional<TDateTime> TryEncodeDateTime(int AYear, int AMonth, int ADay, int AHour, int AMin,
                                           int ASec, int AMSec) noexcept;

// The fields of a value, after rounding it to the nearest millisecond (halves to even); a time
// of day that rounds up to 24:00 becomes 00:00 of the next day. A value that is not a number,
// or lies outside the years 1 to 9999 after rounding, raises EConvertError
// "'<value>' is not a valid date and time".
void DecodeDateTime(TDateTime AValue, int& AYear, int& AMonth, int& ADay, int& AHour, int& AMin,
                    int& ASec, int& AMSec);

// The fields of a value as one record, rounded and checked as DecodeDateTime does.
struct TDateTimeFields {
    int Year = 0;
    int Month = 0;
    int Day = 0;
    int Hour = 0;
    int Min = 0;
    int Sec = 0;
    int MSec = 0;
};
TDateTimeFields DecodeDateTimeFields(TDateTime AValue);
