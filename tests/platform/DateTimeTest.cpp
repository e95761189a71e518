#include "platform/DateTime.h"

#include "platform/Errors.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>

namespace {

struct Fields {
    int year, month, day, hour, min, sec, msec;
};

bool operator==(const Fields& a, const Fields& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
           a.min == b.min && a.sec == b.sec && a.msec == b.msec;
}

std::ostream& operator<<(std::ostream& os, const Fields& f) {
    return os << f.year << '-' << f.month << '-' << f.day << ' ' << f.hour << ':' << f.min << ':'
              << f.sec << '.' << f.msec;
}

Fields Decode(TDateTime AValue) {
    Fields f{};
    DecodeDateTime(AValue, f.year, f.month, f.day, f.hour, f.min, f.sec, f.msec);
    return f;
}

TDateTime Encode(const Fields& f) {
    return EncodeDateTime(f.year, f.month, f.day, f.hour, f.min, f.sec, f.msec);
}

// --- Encoding -------------------------------------------------------------------------------

struct EncodeCase {
    Fields fields;
    TDateTime value;
};

class EncodeDateTimeTest : public testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeDateTimeTest, CountsDaysFromTheEpochAndKeepsTheTimeAsTheFraction) {
    const auto& c = GetParam();
    EXPECT_DOUBLE_EQ(Encode(c.fields), c.value);
    EXPECT_EQ(Decode(c.value), c.fields);
}

INSTANTIATE_TEST_SUITE_P(
    Values, EncodeDateTimeTest,
    testing::Values(
        EncodeCase{{1899, 12, 30, 0, 0, 0, 0}, 0.0}, EncodeCase{{1899, 12, 31, 0, 0, 0, 0}, 1.0},
        EncodeCase{{1900, 1, 1, 0, 0, 0, 0}, 2.0},
        EncodeCase{{1900, 3, 1, 0, 0, 0, 0}, 61.0}, // 1900 is no leap year
        EncodeCase{{2000, 2, 29, 0, 0, 0, 0}, 36585.0},
        EncodeCase{{2024, 1, 5, 12, 0, 0, 0}, 45296.5},
        EncodeCase{{2024, 1, 5, 18, 0, 0, 0}, 45296.75},
        EncodeCase{{1899, 12, 30, 6, 0, 0, 0}, 0.25},
        // Before the epoch the time of day still counts away from zero.
        EncodeCase{{1899, 12, 29, 6, 0, 0, 0}, -1.25},
        EncodeCase{{1899, 12, 28, 18, 0, 0, 0}, -2.75},
        EncodeCase{{1, 1, 1, 0, 0, 0, 0}, -693593.0}, EncodeCase{{1, 1, 1, 12, 0, 0, 0}, -693593.5},
        EncodeCase{{9999, 12, 31, 0, 0, 0, 0}, 2958465.0},
        EncodeCase{{9999, 12, 31, 23, 59, 59, 999}, 2958465.0 + 86399999.0 / 86400000.0}));

TEST(EncodeDateTime, EncodeDateAndEncodeTimeAreItsParts) {
    EXPECT_EQ(EncodeDate(2024, 1, 5), 45296.0);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593.0);
    EXPECT_EQ(EncodeTime(0, 0, 0, 0), 0.0);
    EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_DOUBLE_EQ(EncodeTime(23, 59, 59, 999), 86399999.0 / 86400000.0);
}

template <typename F> std::string ConvertErrorOf(F AFunction) {
    try {
        AFunction();
    } catch (const EConvertError& e) {
        return e.what();
    }
    return "no error";
}

struct InvalidCase {
    Fields fields;
    const char* message;
};

class InvalidFieldsTest : public testing::TestWithParam<InvalidCase> {};

TEST_P(InvalidFieldsTest, RaiseAConversionErrorNamingTheFields) {
    const auto& c = GetParam();
    EXPECT_EQ(ConvertErrorOf([&] { Encode(c.fields); }), c.message);
    EXPECT_FALSE(TryEncodeDateTime(c.fields.year, c.fields.month, c.fields.day, c.fields.hour,
                                   c.fields.min, c.fields.sec, c.fields.msec)
                     .has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Fields, InvalidFieldsTest,
    testing::Values(InvalidCase{{0, 1, 1, 0, 0, 0, 0},
                                "'0000-01-01 00:00:00.000' is not a valid date and time"},
                    InvalidCase{{10000, 1, 1, 0, 0, 0, 0},
                                "'10000-01-01 00:00:00.000' is not a valid date and time"},
                    InvalidCase{{-1, 1, 1, 0, 0, 0, 0},
                                "'-0001-01-01 00:00:00.000' is not a valid date and time"},
                    InvalidCase{{2024, 0, 5, 0, 0, 0, 0},
                                "'2024-00-05 00:00:00.000' is not a valid date and time"},
                    InvalidCase{{2024, 13, 5, 0, 0, 0, 0},
                                "'2024-13-05 00:00:00.000' is not a valid date and time"},
                    InvalidCase{{2024, 1, 0, 0, 0, 0, 0},
                                "'2024-01-00 00:00:00.000' is not a valid date and time"},
                    InvalidCase{{2024, 1, 32, 0, 0, 0, 0},
                                "'2024-01-32 00:00:00.000' is not a valid date and time"},
                    InvalidCase{{2024, 4, 31, 0, 0, 0, 0},
                                "'2024-04-31 00:00:00.000' is not a valid date and time"},
                    InvalidCase{{2023, 2, 29, 0, 0, 0, 0},
                                "'2023-02-29 00:00:00.000' is not a valid date and time"},
                    InvalidCase{{1900, 2, 29, 0, 0, 0, 0},
                                "'1900-02-29 00:00:00.000' is not a valid date and time"},
                    InvalidCase{{2024, 1, 5, 24, 0, 0, 0},
                                "'2024-01-05 24:00:00.000' is not a valid date and time"},
                    InvalidCase{{2024, 1, 5, -1, 0, 0, 0},
                                "'2024-01-05 -01:00:00.000' is not a valid date and time"},
                    InvalidCase{{2024, 1, 5, 0, 60, 0, 0},
                                "'2024-01-05 00:60:00.000' is not a valid date and time"},
                    InvalidCase{{2024, 1, 5, 0, 0, 60, 0},
                                "'2024-01-05 00:00:60.000' is not a valid date and time"},
                    InvalidCase{{2024, 1, 5, 0, 0, 0, 1000},
                                "'2024-01-05 00:00:00.1000' is not a valid date and time"},
                    InvalidCase{{2024, 1, 5, 0, 0, 0, -1},
                                "'2024-01-05 00:00:00.-001' is not a valid date and time"}));

TEST(EncodeDateTime, EncodeDateAndEncodeTimeNameTheirOwnFields) {
    EXPECT_EQ(ConvertErrorOf([] { EncodeDate(2024, 2, 30); }), "'2024-02-30' is not a valid date");
    EXPECT_EQ(ConvertErrorOf([] { EncodeTime(24, 0, 0, 0); }),
              "'24:00:00.000' is not a valid time");
    EXPECT_EQ(EncodeDate(2024, 2, 29), 45351.0);
}

// --- Decoding -------------------------------------------------------------------------------

struct DecodeCase {
    const char* name;
    TDateTime value;
    Fields fields;
};

class DecodeDateTimeTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeDateTimeTest, RoundsToTheMillisecondThenSplits) {
    EXPECT_EQ(Decode(GetParam().value), GetParam().fields);
}

// k/2048 of a day is exactly 42187.5 * k milliseconds: the halves that must go to even.
INSTANTIATE_TEST_SUITE_P(
    Values, DecodeDateTimeTest,
    testing::Values(
        DecodeCase{"Epoch", 0.0, {1899, 12, 30, 0, 0, 0, 0}},
        DecodeCase{"NegativeZero", -0.0, {1899, 12, 30, 0, 0, 0, 0}},
        DecodeCase{"NegativeFractionIsTimeOfTheEpochDay", -0.25, {1899, 12, 30, 6, 0, 0, 0}},
        DecodeCase{"HalfUpToEven", 1.0 / 2048, {1899, 12, 30, 0, 0, 42, 188}},
        DecodeCase{"HalfDownToEven", 3.0 / 2048, {1899, 12, 30, 0, 2, 6, 562}},
        DecodeCase{"HalfToEvenOnALaterDay", 45296 + 5.0 / 2048, {2024, 1, 5, 0, 3, 30, 938}},
        DecodeCase{"HalfToEvenBeforeTheEpoch", -1 - 1.0 / 2048, {1899, 12, 29, 0, 0, 42, 188}},
        DecodeCase{"JustBelowAHalfRoundsDown",
                   std::nextafter(1.0 / 2048, 0.0),
                   {1899, 12, 30, 0, 0, 42, 187}},
        DecodeCase{"JustAboveAHalfRoundsUp",
                   std::nextafter(3.0 / 2048, 1.0),
                   {1899, 12, 30, 0, 2, 6, 563}},
        DecodeCase{
            "MillisecondsSurvive", 45296.0 + 47049007.0 / 86400000.0, {2024, 1, 5, 13, 4, 9, 7}},
        DecodeCase{"EndOfDayRoundsToNextDay", 45296.9999999999, {2024, 1, 6, 0, 0, 0, 0}},
        DecodeCase{"EndOfEpochDayBeforeZero", -0.9999999999, {1899, 12, 31, 0, 0, 0, 0}},
        DecodeCase{"EndOfDayBeforeEpochRoundsToNextDay", -1.9999999999, {1899, 12, 30, 0, 0, 0, 0}},
        DecodeCase{"EndOfMonth", 45322.9999999999, {2024, 2, 1, 0, 0, 0, 0}},
        DecodeCase{"LeapDay", 45351.5, {2024, 2, 29, 12, 0, 0, 0}},
        DecodeCase{"FirstDay", -693593.0, {1, 1, 1, 0, 0, 0, 0}},
        DecodeCase{"FirstDayLastMillisecond",
                   -693593.0 - 86399999.0 / 86400000.0,
                   {1, 1, 1, 23, 59, 59, 999}},
        DecodeCase{"LastMillisecond",
                   2958465.0 + 86399999.0 / 86400000.0,
                   {9999, 12, 31, 23, 59, 59, 999}}),
    [](const testing::TestParamInfo<DecodeCase>& AInfo) { return std::string(AInfo.param.name); });

class DecodeOutOfRangeTest : public testing::TestWithParam<TDateTime> {};

TEST_P(DecodeOutOfRangeTest, RaisesAConversionError) {
    EXPECT_THROW(Decode(GetParam()), EConvertError);
}

INSTANTIATE_TEST_SUITE_P(Values, DecodeOutOfRangeTest,
                         testing::Values(std::numeric_limits<double>::quiet_NaN(),
                                         std::numeric_limits<double>::infinity(),
                                         -std::numeric_limits<double>::infinity(), 1e300, -1e300,
                                         -693594.0,         // 0000-12-31
                                         2958466.0,         // 10000-01-01
                                         2958465.999999998, // rounds up into 10000-01-01
                                         9.3e18, -9.3e18)); // beyond a 64-bit count of days

TEST(DecodeDateTime, ErrorNamesTheValue) {
    EXPECT_EQ(ConvertErrorOf([] { Decode(2958466.5); }),
              "'2958466.5' is not a valid date and time");
}

// --- Time spans -----------------------------------------------------------------------------

struct SpanCase {
    TTimeSpan span;
    int hours, minutes;
};

class TimeSpanComponentsTest : public testing::TestWithParam<SpanCase> {};

TEST_P(TimeSpanComponentsTest, TruncateTowardZeroAndKeepTheSign) {
    EXPECT_EQ(TimeSpanHours(GetParam().span), GetParam().hours);
    EXPECT_EQ(TimeSpanMinutes(GetParam().span), GetParam().minutes);
}

INSTANTIATE_TEST_SUITE_P(
    Spans, TimeSpanComponentsTest,
    testing::Values(SpanCase{0, 0, 0}, SpanCase{2 * kTicksPerHour, 2, 0},
                    SpanCase{-90 * kTicksPerMinute, -1, -30},
                    SpanCase{5 * kTicksPerHour + 30 * kTicksPerMinute + 59 * kTicksPerSecond, 5,
                             30},
                    SpanCase{-kTicksPerSecond, 0, 0}, SpanCase{24 * kTicksPerHour, 0, 0},
                    SpanCase{-25 * kTicksPerHour - kTicksPerMinute, -1, -1},
                    SpanCase{INT64_MIN, -2, -48}, SpanCase{INT64_MAX, 2, 48}));

// --- Properties -----------------------------------------------------------------------------

TEST(DateTimeProperty, FieldsSurviveEncodingAcrossTheWholeRange) {
    std::mt19937_64 random(20240105);
    std::uniform_int_distribution<int> years(1, 9999), months(1, 12), days(1, 31), hours(0, 23),
        minutes(0, 59), msecs(0, 999);
    int checked = 0;
    while (checked < 200000) {
        const Fields f{years(random),   months(random),  days(random), hours(random),
                       minutes(random), minutes(random), msecs(random)};
        const auto value = TryEncodeDateTime(f.year, f.month, f.day, f.hour, f.min, f.sec, f.msec);
        if (!value)
            continue; // a day the month does not have
        ASSERT_EQ(Decode(*value), f) << "value " << *value;
        ++checked;
    }
}

// Milliseconds from the epoch on the calendar's time line: the whole days count from the epoch
// and the fraction, whatever the sign, is the time of that day.
double CalendarMilliseconds(TDateTime AValue) {
    const double day = std::trunc(AValue);
    return day * 86400000.0 + std::fabs(AValue - day) * 86400000.0;
}

TEST(DateTimeProperty, DecodingRoundsEveryValueToTheNearestMillisecond) {
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> values(-693593.999, 2958465.999);
    for (int i = 0; i < 200000; ++i) {
        const double value = values(random);
        const Fields f = Decode(value);
        const double encoded = Encode(f);
        ASSERT_EQ(Decode(encoded), f) << "value " << value;
        // Half a millisecond, and the error of a double near 3 million days (under 0.05 ms).
        ASSERT_LE(std::fabs(CalendarMilliseconds(encoded) - CalendarMilliseconds(value)), 0.55)
            << "value " << value;
    }
}

} // namespace
