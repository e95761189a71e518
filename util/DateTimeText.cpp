// Date-time values to text and back: the compact form with a month abbreviation, ISO 8601 and
// ISO timestamps with fixed character positions.
//
// Fields sit at fixed character positions, counted in UTF-16 code units; the readers work on
// the text converted to UTF-16, so a non-ASCII character occupies one position as it should,
// and a field handed back in an error message is always whole, valid UTF-8.

#include "platform/Errors.h"
#include "platform/Format.h"
#include "platform/IntegerText.h"
#include "platform/TextEncoding.h"
#include "util/Utilities.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>

namespace {

// Month abbreviations of the compact form. The form is read back by ConvertDateTimeString,
// which knows only these, so they do not follow the user's locale.
constexpr std::array<const char16_t*, 12> kMonthAbbreviations = {
    u"JAN", u"FEB", u"MAR", u"APR", u"MAY", u"JUN", u"JUL", u"AUG", u"SEP", u"OCT", u"NOV", u"DEC"};

// The text of ACount characters from the 1-based position AFirst; empty beyond the end.
std::string Field(std::u16string_view AText, size_t AFirst, size_t ACount) {
    if (AFirst > AText.size())
        return {};
    return Utf16ToUtf8(AText.substr(AFirst - 1, ACount));
}

int32_t IntegerField(std::u16string_view AText, size_t AFirst, size_t ACount) {
    return StrToInt(Field(AText, AFirst, ACount));
}

std::optional<int32_t> TryIntegerField(std::u16string_view AText, size_t AFirst, size_t ACount) {
    return TryStrToInt(Field(AText, AFirst, ACount));
}

std::u16string_view DropFirst(std::u16string_view AText, size_t ACount) noexcept {
    return AText.substr(std::min(ACount, AText.size()));
}

bool IsDigit(char16_t AChar) noexcept {
    return AChar >= u'0' && AChar <= u'9';
}

// Milliseconds of the decimal fraction of a second at the start of AText: ".5" is 500 ms,
// ".12" 120 ms, ".1234" 123 ms; no digits, 0.
int FractionMilliseconds(std::u16string_view AText) noexcept {
    int msecs = 0;
    size_t digits = 0;
    while (digits < AText.size() && IsDigit(AText[digits]) && digits < 3)
        msecs = msecs * 10 + (AText[digits++] - u'0');
    for (; digits < 3; ++digits)
        msecs *= 10;
    return msecs;
}

// 1 to 12 for an English month abbreviation in any letter case, 0 otherwise.
int MonthNumber(std::u16string_view AText) noexcept {
    std::u16string upper(AText);
    for (char16_t& c : upper)
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - u'a' + u'A');
    for (size_t i = 0; i < kMonthAbbreviations.size(); ++i)
        if (upper == kMonthAbbreviations[i])
            return static_cast<int>(i) + 1;
    return 0;
}

std::string TimestampWithoutZone(const TDateTimeFields& AFields) {
    return Format("%.4d-%.2d-%.2dT%.2d:%.2d:%.2d.%.3d",
                  {AFields.Year, AFields.Month, AFields.Day, AFields.Hour, AFields.Min, AFields.Sec,
                   AFields.MSec});
}

} // namespace

std::string TUtilities::ConvertDateTimeToString(TDateTime ADateTime) {
    const TDateTimeFields f = DecodeDateTimeFields(ADateTime);
    return Format("%.4d-%s-%.2d %.2d:%.2d:%.2d",
                  {f.Year, Utf16ToUtf8(kMonthAbbreviations[static_cast<size_t>(f.Month - 1)]),
                   f.Day, f.Hour, f.Min, f.Sec});
}

TDateTime TUtilities::ConvertDateTimeString(std::string_view ADateTimeString) {
    // YYYY-MMM-DD hh:nn:ss; the separators are not examined.
    const std::u16string text = Utf8ToUtf16(ADateTimeString);
    const int year = IntegerField(text, 1, 4);
    const int month = MonthNumber(DropFirst(text, 5).substr(0, 3));
    const int day = IntegerField(text, 10, 2);
    const int hour = IntegerField(text, 13, 2);
    const int minute = IntegerField(text, 16, 2);
    const int second = IntegerField(text, 19, 2);
    return EncodeDateTime(year, month, day, hour, minute, second, 0);
}

TDateTime TUtilities::ConvertIso8601StringToDateTime(std::string_view ADateTimeString) {
    std::u16string text = Utf8ToUtf16(ADateTimeString);
    // A "Z" only counts as the zone mark when it is the last character and the only one.
    if (!text.empty() && text.find(u'Z') == text.size() - 1)
        text.pop_back();

    const size_t t = text.find(u'T');
    if (t == std::u16string::npos || text.find(u'T', t + 1) != std::u16string::npos)
        throw Exception(Format("Invalid Iso 8601 DateTime %s", {Utf16ToUtf8(text)}));
    const std::u16string_view date = std::u16string_view(text).substr(0, t);
    const std::u16string_view time = std::u16string_view(text).substr(t + 1);

    // YYYY-MM-DD; the separators are not examined.
    const auto year = TryIntegerField(date, 1, 4);
    const auto month = year ? TryIntegerField(date, 6, 2) : std::nullopt;
    const auto day = month ? TryIntegerField(date, 9, 2) : std::nullopt;
    if (!day)
        throw Exception(Format("Invalid Iso 8601 Date Part %s", {Utf16ToUtf8(text)}));

    // hh:nn:ss, then an optional fraction right after the seconds; a zone after them is ignored.
    const auto hour = TryIntegerField(time, 1, 2);
    const auto minute = hour ? TryIntegerField(time, 4, 2) : std::nullopt;
    const auto second = minute ? TryIntegerField(time, 7, 2) : std::nullopt;
    if (!second)
        throw Exception(Format("Invalid Iso 8601 Time Part %s", {Utf16ToUtf8(text)}));
    const std::u16string_view afterSeconds = DropFirst(time, 8);
    const int msecs = !afterSeconds.empty() && afterSeconds.front() == u'.'
                          ? FractionMilliseconds(afterSeconds.substr(1))
                          : 0;

    return EncodeDateTime(*year, *month, *day, *hour, *minute, *second, msecs);
}

TDateTime TUtilities::ISOTimestampStringToDateTime(std::string_view AValue) {
    // YYYY-MM-DDThh:nn:ss[.fff...][zone]; the separators are not examined.
    const std::u16string text = Utf8ToUtf16(AValue);
    const int year = IntegerField(text, 1, 4);
    const int month = IntegerField(text, 6, 2);
    const int day = IntegerField(text, 9, 2);
    const int hour = IntegerField(text, 12, 2);
    const int minute = IntegerField(text, 15, 2);
    const int second = IntegerField(text, 18, 2);
    std::u16string_view rest = DropFirst(text, 19);
    if (!rest.empty() && rest.front() == u'.')
        rest.remove_prefix(1);
    return EncodeDateTime(year, month, day, hour, minute, second, FractionMilliseconds(rest));
}

TTimeSpan TUtilities::ISOTimestampStringToOffset(std::string_view AValue) {
    const std::u16string text = Utf8ToUtf16(AValue);
    if (!text.empty() && text.back() == u'Z')
        return 0;
    // The offset follows the seconds, or the fraction written after them: search from the
    // character after the seconds, so that an offset right after them keeps its sign.
    std::u16string_view zone = DropFirst(text, 19);
    const size_t sign = zone.find_first_of(u"+-");
    if (sign != std::u16string_view::npos)
        zone.remove_prefix(sign);
    int hours = IntegerField(zone, 2, 2);
    int minutes = IntegerField(zone, 5, 2);
    if (!zone.empty() && zone.front() == u'-') {
        hours = -hours;
        minutes = -minutes;
    }
    return hours * kTicksPerHour + minutes * kTicksPerMinute;
}

std::string TUtilities::DateTimeToISOTimestampString(TDateTime ADateTime) {
    return TimestampWithoutZone(DecodeDateTimeFields(ADateTime)) + "Z";
}

std::string TUtilities::DateTimeToISOTimestampString(TDateTime ADateTime, TTimeSpan ATimeSpan) {
    if (ATimeSpan == 0)
        return DateTimeToISOTimestampString(ADateTime);
    return TimestampWithoutZone(DecodeDateTimeFields(ADateTime)) +
           Format("%s%.2d:%.2d", {ATimeSpan < 0 ? "-" : "+", std::abs(TimeSpanHours(ATimeSpan)),
                                  std::abs(TimeSpanMinutes(ATimeSpan))});
}
