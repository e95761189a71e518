// Feeds arbitrary text to every text reader of TUtilities. Each reader may refuse the text only
// with the errors it documents; any other exception, a crash or undefined behaviour is a
// finding. Where a writer exists, what a reader accepted must survive writing and reading again,
// and paired functions (strict and lenient readers) must agree.

#include "platform/DateTime.h"
#include "platform/Errors.h"
#include "platform/TextEncoding.h"
#include "util/Utilities.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

namespace {

void Check(bool ACondition) {
    if (!ACondition)
        __builtin_trap();
}

template <typename Error, typename F>
auto Attempt(F AFunction) -> std::optional<decltype(AFunction())> {
    try {
        return AFunction();
    } catch (const Error&) {
        return std::nullopt;
    }
}

void DottedQuads(std::string_view AText) {
    const auto strict = Attempt<Exception>([&] { return TUtilities::DottedQuadToUInt32(AText); });
    uint32_t out = 0xA5A5A5A5;
    const bool lenient = TUtilities::TryDottedQuadToUInt32(AText, out);
    Check(lenient == strict.has_value());
    Check(lenient ? out == *strict : out == 0xA5A5A5A5);
    if (strict)
        Check(TUtilities::DottedQuadToUInt32(TUtilities::UInt32ToDottedQuad(*strict)) == *strict);
}

void DateTimes(std::string_view AText) {
    if (const auto value = Attempt<EConvertError>(
            [&] { return TUtilities::ISOTimestampStringToDateTime(AText); })) {
        const std::string text = TUtilities::DateTimeToISOTimestampString(*value);
        Check(TUtilities::ISOTimestampStringToDateTime(text) == *value);
        Check(TUtilities::ConvertIso8601StringToDateTime(text) == *value);
    }
    if (const auto value =
            Attempt<Exception>([&] { return TUtilities::ConvertIso8601StringToDateTime(AText); })) {
        const std::string text = TUtilities::DateTimeToISOTimestampString(*value);
        Check(TUtilities::ConvertIso8601StringToDateTime(text) == *value);
    }
    if (const auto value =
            Attempt<EConvertError>([&] { return TUtilities::ConvertDateTimeString(AText); })) {
        const std::string text = TUtilities::ConvertDateTimeToString(*value);
        Check(TUtilities::ConvertDateTimeString(text) == *value);
    }
    if (const auto span =
            Attempt<EConvertError>([&] { return TUtilities::ISOTimestampStringToOffset(AText); })) {
        const std::string text = TUtilities::DateTimeToISOTimestampString(0.0, *span);
        Check(TUtilities::ISOTimestampStringToDateTime(text) == 0.0);
        // The writer keeps whole minutes of spans under a day (hours beyond wrap around).
        if (*span > -24 * kTicksPerHour && *span < 24 * kTicksPerHour)
            Check(TUtilities::ISOTimestampStringToOffset(text) == *span);
    }
}

void TextAndNumbers(std::string_view AText) {
    std::string rest(AText);
    const std::string word = TUtilities::ExtractAlphaNumericStr(rest);
    Check(word + rest == AText);

    (void)TUtilities::GetURLFromURLString(AText);
    (void)Attempt<EConvertError>([&] { return TUtilities::GetPortFromURLString(AText); });

    const auto strict = Attempt<EConvertError>([&] { return TUtilities::StrToUInt32(AText); });
    Check(TUtilities::StrToUInt32Def(AText, 1) == strict.value_or(1));
    Check(TUtilities::StrToUInt32Def(AText, 2) == strict.value_or(2));

    int64_t number = 0;
    std::memcpy(&number, AText.data(), std::min(sizeof number, AText.size()));
    std::string grouped = TUtilities::IntToStrWithSeperators(number);
    std::erase(grouped, ',');
    Check(grouped == std::to_string(number));
}

void Streams(std::string_view AText) {
    const size_t position =
        AText.empty() ? 0 : static_cast<unsigned char>(AText[0]) % (AText.size() + 1);
    std::istringstream stream{std::string(AText)};
    stream.seekg(static_cast<std::streamoff>(position));
    const std::string_view expected = position < AText.size() ? AText.substr(position) : AText;
    Check(TUtilities::StreamToString(stream) == Cp1252ToUtf8(expected));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* AData, size_t ASize) {
    const std::string_view text(reinterpret_cast<const char*>(AData), ASize);
    DottedQuads(text);
    DateTimes(text);
    TextAndNumbers(text);
    Streams(text);
    return 0;
}
