#include "platform/IntegerText.h"

#include "platform/Errors.h"
#include "platform/Format.h"

namespace {

int HexDigitValue(char c) noexcept {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Parses the syntax for a target of ABits bits (32 or 64) and returns the value as the target's
// bit pattern, widened to 64 bits with its sign.
std::optional<int64_t> ParseInteger(std::string_view AText, int ABits) noexcept {
    size_t i = 0;
    while (i < AText.size() && AText[i] == ' ')
        ++i;
    bool negative = false;
    if (i < AText.size() && (AText[i] == '+' || AText[i] == '-')) {
        negative = AText[i] == '-';
        ++i;
    }
    if (i >= AText.size())
        return std::nullopt;

    bool hex = false;
    if (AText[i] == '$' || AText[i] == 'x' || AText[i] == 'X') {
        hex = true;
        ++i;
    } else if (AText[i] == '0' && i + 1 < AText.size() &&
               (AText[i + 1] == 'x' || AText[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= AText.size())
        return std::nullopt;

    const uint64_t patternMax = ABits == 64 ? UINT64_MAX : UINT32_MAX;
    uint64_t magnitude = 0;
    if (hex) {
        for (; i < AText.size(); ++i) {
            const int digit = HexDigitValue(AText[i]);
            if (digit < 0 || magnitude > (patternMax >> 4))
                return std::nullopt;
            magnitude = (magnitude << 4) | static_cast<uint64_t>(digit);
        }
        uint64_t pattern = negative ? (0 - magnitude) & patternMax : magnitude;
        if (ABits == 32)
            return static_cast<int64_t>(static_cast<int32_t>(static_cast<uint32_t>(pattern)));
        return static_cast<int64_t>(pattern);
    }

    // Decimal: the magnitude may reach one more than the largest positive value when negative.
    const uint64_t positiveMax = ABits == 64 ? uint64_t(INT64_MAX) : uint64_t(INT32_MAX);
    const uint64_t limit = negative ? positiveMax + 1 : positiveMax;
    for (; i < AText.size(); ++i) {
        const char c = AText[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        const auto digit = static_cast<uint64_t>(c - '0');
        if (magnitude > (limit - digit) / 10)
            return std::nullopt;
        magnitude = magnitude * 10 + digit;
    }
    if (negative)
        return magnitude == uint64_t(INT64_MAX) + 1 ? INT64_MIN : -static_cast<int64_t>(magnitude);
    return static_cast<int64_t>(magnitude);
}

[[noreturn]] void RaiseNotAnInteger(std::string_view AText) {
    throw EConvertError(Format("'%s' is not a valid integer value", {std::string(AText)}));
}

} // namespace

std::optional<int32_t> TryStrToInt(std::string_view AText) noexcept {
    if (auto value = ParseInteger(AText, 32))
        return static_cast<int32_t>(*value);
    return std::nullopt;
}

std::optional<int64_t> TryStrToInt64(std::string_view AText) noexcept {
    return ParseInteger(AText, 64);
}

int32_t StrToInt(std::string_view AText) {
    if (auto value = TryStrToInt(AText))
        return *value;
    RaiseNotAnInteger(AText);
}

int64_t StrToInt64(std::string_view AText) {
    if (auto value = TryStrToInt64(AText))
        return *value;
    RaiseNotAnInteger(AText);
}

int32_t StrToIntDef(std::string_view AText, int32_t ADefault) noexcept {
    return TryStrToInt(AText).value_or(ADefault);
}

int64_t StrToInt64Def(std::string_view AText, int64_t ADefault) noexcept {
    return TryStrToInt64(AText).value_or(ADefault);
}
