#include "platform/Errors.h"
#include "util/Utilities.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <typeinfo>

namespace {

constexpr double kMSec = 1.0 / 86400000.0;

TDateTime At(int AYear, int AMonth, int ADay, int AHour, int AMin, int ASec, int AMSec = 0) {
    return EncodeDateTime(AYear, AMonth, ADay, AHour, AMin, ASec, AMSec);
}

// The outcome of a reader: a value, or the kind and message of its error.
enum class Error { None, Convert, General };

struct ReadCase {
    const char* text;
    std::optional<TDateTime> value; // without one, an error
    Error error;
    const char* message;
};

ReadCase Reads(const char* AText, TDateTime AValue) {
    return {AText, AValue, Error::None, nullptr};
}
ReadCase Fails(const char* AText, Error AError, const char* AMessage) {
    return {AText, std::nullopt, AError, AMessage};
}

template <typename F> void ExpectOutcome(const ReadCase& ACase, F ARead) {
    SCOPED_TRACE(ACase.text);
    if (ACase.value) {
        EXPECT_EQ(ARead(ACase.text), *ACase.value);
        return;
    }
    try {
        ARead(ACase.text);
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        // The ISO 8601 reader's own messages are general errors, not conversion errors.
        const bool isConvert = dynamic_cast<const EConvertError*>(&e) != nullptr;
        EXPECT_EQ(isConvert, ACase.error == Error::Convert) << typeid(e).name();
        EXPECT_STREQ(e.what(), ACase.message);
    }
}

// --- Compact form ---------------------------------------------------------------------------

struct WriteCase {
    TDateTime value;
    const char* text;
};

class ConvertDateTimeToStringTest : public testing::TestWithParam<WriteCase> {};

TEST_P(ConvertDateTimeToStringTest, WritesUpperCaseMonthAndWholeSeconds) {
    EXPECT_EQ(TUtilities::ConvertDateTimeToString(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ConvertDateTimeToStringTest,
    testing::Values(WriteCase{At(2024, 1, 5, 13, 4, 9, 999), "2024-JAN-05 13:04:09"},
                    WriteCase{At(2024, 1, 6, 0, 0, 0) - 0.4 * kMSec, "2024-JAN-06 00:00:00"},
                    WriteCase{At(2024, 1, 6, 0, 0, 0) - 0.6 * kMSec, "2024-JAN-05 23:59:59"},
                    WriteCase{At(1, 1, 1, 0, 0, 0), "0001-JAN-01 00:00:00"},
                    WriteCase{At(9999, 12, 31, 23, 59, 59, 999), "9999-DEC-31 23:59:59"},
                    WriteCase{At(1899, 12, 29, 6, 0, 0), "1899-DEC-29 06:00:00"},
                    WriteCase{At(2023, 2, 1, 0, 0, 0), "2023-FEB-01 00:00:00"},
                    WriteCase{At(2023, 3, 1, 0, 0, 0), "2023-MAR-01 00:00:00"},
                    WriteCase{At(2023, 4, 1, 0, 0, 0), "2023-APR-01 00:00:00"},
                    WriteCase{At(2023, 5, 1, 0, 0, 0), "2023-MAY-01 00:00:00"},
                    WriteCase{At(2023, 6, 1, 0, 0, 0), "2023-JUN-01 00:00:00"},
                    WriteCase{At(2023, 7, 1, 0, 0, 0), "2023-JUL-01 00:00:00"},
                    WriteCase{At(2023, 8, 1, 0, 0, 0), "2023-AUG-01 00:00:00"},
                    WriteCase{At(2023, 9, 1, 0, 0, 0), "2023-SEP-01 00:00:00"},
                    WriteCase{At(2023, 10, 1, 0, 0, 0), "2023-OCT-01 00:00:00"},
                    WriteCase{At(2023, 11, 1, 0, 0, 0), "2023-NOV-01 00:00:00"},
                    WriteCase{At(2023, 12, 1, 0, 0, 0), "2023-DEC-01 00:00:00"}));

TEST(DateTimeWriters, RefuseValuesOutsideTheCalendar) {
    for (const double value : {std::numeric_limits<double>::quiet_NaN(), 1e10, -1e10}) {
        EXPECT_THROW(TUtilities::ConvertDateTimeToString(value), EConvertError);
        EXPECT_THROW(TUtilities::DateTimeToISOTimestampString(value), EConvertError);
        EXPECT_THROW(TUtilities::DateTimeToISOTimestampString(value, kTicksPerHour), EConvertError);
    }
}

class ConvertDateTimeStringTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ConvertDateTimeStringTest, ReadsFieldsAtFixedPositions) {
    ExpectOutcome(GetParam(), [](const char* t) { return TUtilities::ConvertDateTimeString(t); });
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ConvertDateTimeStringTest,
    testing::Values(
        Reads("2024-JAN-05 13:04:09", At(2024, 1, 5, 13, 4, 9)),
        Reads("2024-jan-05 13:04:09", At(2024, 1, 5, 13, 4, 9)),
        Reads("2024-Dec-31 23:59:59", At(2024, 12, 31, 23, 59, 59)),
        Reads("2024/SEP/05T13.04.09", At(2024, 9, 5, 13, 4, 9)), // separators are not examined
        Reads("2024-JAN-05 13:04:09.999 and more", At(2024, 1, 5, 13, 4, 9)),
        Reads(" 999-JAN-05 13:04:09", At(999, 1, 5, 13, 4, 9)),
        Reads("0001-JAN-01 00:00:00", At(1, 1, 1, 0, 0, 0)),
        // Positions count characters, not bytes.
        Reads("2024\u00A0MAR\u00A005\u00A013:04:09", At(2024, 3, 5, 13, 4, 9)),
        Fails("2024-XYZ-05 13:04:09", Error::Convert,
              "'2024-00-05 13:04:09.000' is not a valid date and time"),
        Fails("2024-\u00C4PR-05 13:04:09", Error::Convert,
              "'2024-00-05 13:04:09.000' is not a valid date and time"),
        Fails("2024-FEB-30 00:00:00", Error::Convert,
              "'2024-02-30 00:00:00.000' is not a valid date and time"),
        Fails("2024-JAN-05 24:00:00", Error::Convert,
              "'2024-01-05 24:00:00.000' is not a valid date and time"),
        Fails("2024-JAN-05 13:04:", Error::Convert, "'' is not a valid integer value"),
        Fails("2024-JAN-05 13:04:0\u20AC", Error::Convert,
              "'0\u20AC' is not a valid integer value"),
        Fails("24-JAN-05 13:04:09", Error::Convert, "'24-J' is not a valid integer value"),
        Fails("2024-JAN-0x 13:04:09", Error::Convert, "'0x' is not a valid integer value"),
        // The first bad field in reading order is the one reported; the month comes last.
        Fails("2024-XYZ-ab cd:04:09", Error::Convert, "'ab' is not a valid integer value"),
        Fails("", Error::Convert, "'' is not a valid integer value")));

// --- ISO 8601 -------------------------------------------------------------------------------

class ConvertIso8601StringToDateTimeTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ConvertIso8601StringToDateTimeTest, ReadsDateTimeAndFraction) {
    ExpectOutcome(GetParam(),
                  [](const char* t) { return TUtilities::ConvertIso8601StringToDateTime(t); });
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ConvertIso8601StringToDateTimeTest,
    testing::Values(
        Reads("2024-01-05T13:04:09.123Z", At(2024, 1, 5, 13, 4, 9, 123)),
        Reads("2024-01-05T13:04:09", At(2024, 1, 5, 13, 4, 9)),
        Reads("2024-01-05T13:04:09Z", At(2024, 1, 5, 13, 4, 9)),
        Reads("2024-01-05T13:04:09+02:00", At(2024, 1, 5, 13, 4, 9)),
        Reads("2024-01-05T13:04:09-05:00", At(2024, 1, 5, 13, 4, 9)),
        // A fraction is a fraction of a second, however many digits it has.
        Reads("2024-01-05T13:04:09.5", At(2024, 1, 5, 13, 4, 9, 500)),
        Reads("2024-01-05T13:04:09.05", At(2024, 1, 5, 13, 4, 9, 50)),
        Reads("2024-01-05T13:04:09.007", At(2024, 1, 5, 13, 4, 9, 7)),
        Reads("2024-01-05T13:04:09.1239999Z", At(2024, 1, 5, 13, 4, 9, 123)),
        Reads("2024-01-05T13:04:09.5+02:00", At(2024, 1, 5, 13, 4, 9, 500)),
        Reads("2024-01-05T13:04:09.25Z", At(2024, 1, 5, 13, 4, 9, 250)),
        Reads("2024-01-05T13:04:09.123.456Z", At(2024, 1, 5, 13, 4, 9, 123)),
        Reads("2024-01-05T13:04:09.", At(2024, 1, 5, 13, 4, 9)),
        Reads("2024/01/05T13.04.09", At(2024, 1, 5, 13, 4, 9)), // separators are not examined
        Reads("2024-01-05T13:04:09+02:00.5", At(2024, 1, 5, 13, 4, 9)),
        Reads("2024-01-05T13:04:09ZZ", At(2024, 1, 5, 13, 4, 9)),
        Fails("2024-01-05 13:04:09", Error::General,
              "Invalid Iso 8601 DateTime 2024-01-05 13:04:09"),
        Fails("2024-01-05t13:04:09", Error::General,
              "Invalid Iso 8601 DateTime 2024-01-05t13:04:09"),
        Fails("2024-01-05T13:04:09T", Error::General,
              "Invalid Iso 8601 DateTime 2024-01-05T13:04:09T"),
        Fails("", Error::General, "Invalid Iso 8601 DateTime "),
        Fails("Z", Error::General, "Invalid Iso 8601 DateTime "),
        Fails("2024-AB-05T13:04:09", Error::General,
              "Invalid Iso 8601 Date Part 2024-AB-05T13:04:09"),
        Fails("2024-AB-05T13:04:09Z", Error::General,
              "Invalid Iso 8601 Date Part 2024-AB-05T13:04:09"),
        Fails("T13:04:09", Error::General, "Invalid Iso 8601 Date Part T13:04:09"),
        Fails("2024-01-05T1x:04:09", Error::General,
              "Invalid Iso 8601 Time Part 2024-01-05T1x:04:09"),
        Fails("2024-01-05T13:04", Error::General, "Invalid Iso 8601 Time Part 2024-01-05T13:04"),
        Fails("2024-01-05T", Error::General, "Invalid Iso 8601 Time Part 2024-01-05T"),
        // Fields out of range keep the encoder's conversion error.
        Fails("2024-13-05T13:04:09", Error::Convert,
              "'2024-13-05 13:04:09.000' is not a valid date and time"),
        Fails("2024-01-05T25:04:09.5Z", Error::Convert,
              "'2024-01-05 25:04:09.500' is not a valid date and time")));

// --- ISO timestamps -------------------------------------------------------------------------

class ISOTimestampStringToDateTimeTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ISOTimestampStringToDateTimeTest, ReadsFieldsAtFixedPositions) {
    ExpectOutcome(GetParam(),
                  [](const char* t) { return TUtilities::ISOTimestampStringToDateTime(t); });
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ISOTimestampStringToDateTimeTest,
    testing::Values(Reads("2024-01-05T13:04:09.1", At(2024, 1, 5, 13, 4, 9, 100)),
                    Reads("2024-01-05T13:04:09.12", At(2024, 1, 5, 13, 4, 9, 120)),
                    Reads("2024-01-05T13:04:09.123", At(2024, 1, 5, 13, 4, 9, 123)),
                    Reads("2024-01-05T13:04:09.1234", At(2024, 1, 5, 13, 4, 9, 123)),
                    Reads("2024-01-05T13:04:09", At(2024, 1, 5, 13, 4, 9)),
                    Reads("2024-01-05T13:04:09.007Z", At(2024, 1, 5, 13, 4, 9, 7)),
                    Reads("2024-01-05T13:04:09.007+02:00", At(2024, 1, 5, 13, 4, 9, 7)),
                    Reads("2024-01-05T13:04:09Z", At(2024, 1, 5, 13, 4, 9)),
                    Reads("2024-01-05T13:04:09-05:00", At(2024, 1, 5, 13, 4, 9)),
                    Reads("2024-01-05T13:04:095", At(2024, 1, 5, 13, 4, 9, 500)),
                    Reads("2024-01-05 13:04:09,5", At(2024, 1, 5, 13, 4, 9)),
                    Fails("2024-01-05T13:04", Error::Convert, "'' is not a valid integer value"),
                    Fails("2024-1-05T13:04:09", Error::Convert,
                          "'1-' is not a valid integer value"),
                    Fails("", Error::Convert, "'' is not a valid integer value"),
                    Fails("2024-02-30T00:00:00.000Z", Error::Convert,
                          "'2024-02-30 00:00:00.000' is not a valid date and time"),
                    Fails("0000-01-01T00:00:00.000Z", Error::Convert,
                          "'0000-01-01 00:00:00.000' is not a valid date and time")));

struct OffsetCase {
    const char* text;
    std::optional<TTimeSpan> offset;
    const char* message;
};

class ISOTimestampStringToOffsetTest : public testing::TestWithParam<OffsetCase> {};

TEST_P(ISOTimestampStringToOffsetTest, ReadsTheLabelAfterTheSeconds) {
    const auto& c = GetParam();
    if (c.offset) {
        EXPECT_EQ(TUtilities::ISOTimestampStringToOffset(c.text), *c.offset);
        return;
    }
    try {
        TUtilities::ISOTimestampStringToOffset(c.text);
        ADD_FAILURE() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), c.message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ISOTimestampStringToOffsetTest,
    testing::Values(
        OffsetCase{"2024-01-05T13:04:09.007Z", 0, nullptr}, OffsetCase{"Z", 0, nullptr},
        OffsetCase{"2024-01-05T13:04:09.007+02:00", 2 * kTicksPerHour, nullptr},
        OffsetCase{"2024-01-05T13:04:09.007-05:30", -(5 * kTicksPerHour + 30 * kTicksPerMinute),
                   nullptr},
        OffsetCase{"2024-01-05T13:04:09.1234567+14:00", 14 * kTicksPerHour, nullptr},
        OffsetCase{"2024-01-05T13:04:09.007 +01:00", kTicksPerHour, nullptr},
        OffsetCase{"2024-01-05T13:04:09.007-00:45", -45 * kTicksPerMinute, nullptr},
        // Without a fraction the offset follows the seconds directly and keeps its sign.
        OffsetCase{"2024-01-05T13:04:09-05:00", -5 * kTicksPerHour, nullptr},
        OffsetCase{"2024-01-05T13:04:09+02:00", 2 * kTicksPerHour, nullptr},
        OffsetCase{"2024-01-05T13:04:09.007", std::nullopt, "'' is not a valid integer value"},
        OffsetCase{"2024-01-05T13:04:09.007+2:00", std::nullopt,
                   "'2:' is not a valid integer value"},
        OffsetCase{"2024-01-05T13:04:09.007+02", std::nullopt, "'' is not a valid integer value"},
        OffsetCase{"", std::nullopt, "'' is not a valid integer value"}));

struct TimestampCase {
    TDateTime value;
    TTimeSpan span;
    const char* text;
};

class DateTimeToISOTimestampStringTest : public testing::TestWithParam<TimestampCase> {};

TEST_P(DateTimeToISOTimestampStringTest, WritesTheValueWithItsOffsetLabel) {
    const auto& c = GetParam();
    EXPECT_EQ(TUtilities::DateTimeToISOTimestampString(c.value, c.span), c.text);
    if (c.span == 0) {
        EXPECT_EQ(TUtilities::DateTimeToISOTimestampString(c.value), c.text);
    }
}

const TDateTime kSample = At(2024, 1, 5, 13, 4, 9, 7);

INSTANTIATE_TEST_SUITE_P(
    Values, DateTimeToISOTimestampStringTest,
    testing::Values(
        TimestampCase{kSample, 0, "2024-01-05T13:04:09.007Z"},
        TimestampCase{At(1, 1, 1, 0, 0, 0), 0, "0001-01-01T00:00:00.000Z"},
        TimestampCase{At(9999, 12, 31, 23, 59, 59, 999), 0, "9999-12-31T23:59:59.999Z"},
        TimestampCase{At(2024, 1, 5, 13, 4, 9, 999) + 0.6 * kMSec, 0, "2024-01-05T13:04:10.000Z"},
        TimestampCase{At(1899, 12, 29, 6, 0, 0, 1), 0, "1899-12-29T06:00:00.001Z"},
        TimestampCase{kSample, 2 * kTicksPerHour, "2024-01-05T13:04:09.007+02:00"},
        TimestampCase{kSample, 24 * kTicksPerHour, "2024-01-05T13:04:09.007+00:00"},
        TimestampCase{kSample, -90 * kTicksPerMinute, "2024-01-05T13:04:09.007-01:30"},
        TimestampCase{kSample, 30 * kTicksPerSecond, "2024-01-05T13:04:09.007+00:00"},
        TimestampCase{kSample, -30 * kTicksPerSecond, "2024-01-05T13:04:09.007-00:00"},
        TimestampCase{kSample, 5 * kTicksPerHour + 45 * kTicksPerMinute + 59 * kTicksPerSecond,
                      "2024-01-05T13:04:09.007+05:45"},
        TimestampCase{kSample, INT64_MIN, "2024-01-05T13:04:09.007-02:48"}));

// --- Writing then reading -------------------------------------------------------------------

TDateTime RoundedToMillisecond(TDateTime AValue) {
    const TDateTimeFields f = DecodeDateTimeFields(AValue);
    return EncodeDateTime(f.Year, f.Month, f.Day, f.Hour, f.Min, f.Sec, f.MSec);
}

TDateTime RoundedToSecond(TDateTime AValue) {
    const TDateTimeFields f = DecodeDateTimeFields(AValue);
    return EncodeDateTime(f.Year, f.Month, f.Day, f.Hour, f.Min, f.Sec, 0);
}

TEST(DateTimeTextProperty, WritersAndReadersAgreeAcrossTheWholeRange) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> values(-693593.999, 2958465.999);
    std::uniform_int_distribution<TTimeSpan> spans(-24 * kTicksPerHour + 1, 24 * kTicksPerHour - 1);
    for (int i = 0; i < 50000; ++i) {
        const TDateTime value = values(random);
        const TDateTime rounded = RoundedToMillisecond(value);
        SCOPED_TRACE(testing::Message() << "value " << value);

        const std::string utc = TUtilities::DateTimeToISOTimestampString(value);
        ASSERT_EQ(TUtilities::ISOTimestampStringToDateTime(utc), rounded) << utc;
        ASSERT_EQ(TUtilities::ConvertIso8601StringToDateTime(utc), rounded) << utc;
        ASSERT_EQ(TUtilities::ISOTimestampStringToOffset(utc), 0) << utc;

        const TTimeSpan span = spans(random);
        const std::string zoned = TUtilities::DateTimeToISOTimestampString(value, span);
        ASSERT_EQ(TUtilities::ISOTimestampStringToDateTime(zoned), rounded) << zoned;
        ASSERT_EQ(TUtilities::ConvertIso8601StringToDateTime(zoned), rounded) << zoned;
        ASSERT_EQ(TUtilities::ISOTimestampStringToOffset(zoned),
                  span / kTicksPerMinute * kTicksPerMinute)
            << zoned;

        const std::string compact = TUtilities::ConvertDateTimeToString(value);
        ASSERT_EQ(TUtilities::ConvertDateTimeString(compact), RoundedToSecond(value)) << compact;
    }
}

} // namespace
