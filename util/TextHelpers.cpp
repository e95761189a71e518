// Small text jobs: character classes, the leading word, thousands separators, a stream as
// text, server addresses and 32-bit unsigned numbers.

#include "platform/Errors.h"
#include "platform/Format.h"
#include "platform/IntegerText.h"
#include "platform/TextEncoding.h"
#include "util/Utilities.h"

#include <array>
#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace {

// The text cut at every ":", empty parts kept.
std::vector<std::string_view> SplitAtColons(std::string_view AText) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (true) {
        const size_t colon = AText.find(':', start);
        if (colon == std::string_view::npos) {
            parts.push_back(AText.substr(start));
            return parts;
        }
        parts.push_back(AText.substr(start, colon - start));
        start = colon + 1;
    }
}

// The server address's second part counts as a port when it is an integer other than -1.
bool IsNumericPart(std::string_view APart) noexcept {
    return StrToIntDef(APart, -1) != -1;
}

// A port number; text that is no integer or lies outside 0 to 65535 raises EConvertError
// rather than being cut to 16 bits, which would silently name another port.
uint16_t PortNumber(std::string_view AText) {
    const int32_t value = StrToInt(AText);
    if (value < 0 || value > 65535)
        throw EConvertError(Format("'%s' is not a valid port number", {AText}));
    return static_cast<uint16_t>(value);
}

std::optional<uint32_t> TryStrToUInt32(std::string_view AValue) noexcept {
    const auto value = TryStrToInt64(AValue);
    if (!value || *value < 0 || *value > int64_t{UINT32_MAX})
        return std::nullopt;
    return static_cast<uint32_t>(*value);
}

} // namespace

bool TUtilities::IsAlpha(char16_t AChar) noexcept {
    return (AChar >= u'a' && AChar <= u'z') || (AChar >= u'A' && AChar <= u'Z') || AChar == u'-';
}

bool TUtilities::IsNumeric(char16_t AChar) noexcept {
    return AChar >= u'0' && AChar <= u'9';
}

bool TUtilities::IsAlphaNumeric(char16_t AChar) noexcept {
    return IsAlpha(AChar) || IsNumeric(AChar);
}

std::string TUtilities::ExtractAlphaNumericStr(std::string& VString) {
    // The classes are ASCII only, and no byte of a multibyte UTF-8 character is ASCII, so
    // counting bytes cuts the text where counting characters would.
    size_t count = 0;
    while (count < VString.size() && IsAlphaNumeric(static_cast<unsigned char>(VString[count])))
        ++count;
    std::string word = VString.substr(0, count);
    VString.erase(0, count);
    return word;
}

std::string TUtilities::IntToStrWithSeperators(int64_t AValue) {
    // Group the digits alone, so that a minus sign never gets a separator of its own.
    const uint64_t magnitude =
        AValue < 0 ? uint64_t{0} - static_cast<uint64_t>(AValue) : static_cast<uint64_t>(AValue);
    const std::string digits = std::to_string(magnitude);
    std::string text = AValue < 0 ? "-" : "";
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += ',';
        text += digits[i];
    }
    return text;
}

std::string TUtilities::StreamToString(std::istream& Stream) {
    std::streambuf* const source = Stream.rdbuf();
    if (Stream.bad() || source == nullptr)
        throw EFileError("Stream read error");
    // A stream that has met its end is still read from its start below.
    Stream.clear();

    // The bytes are taken from the stream's buffer, as the stream's own reading does, but
    // without the stream's state: reaching the end is no failure here, also for a stream set to
    // raise on every failure. An error of the buffer turns the stream bad, and is passed on when
    // the stream raises on that, as the stream's own reading would do.
    const auto guarded = [&Stream](auto AStep) {
        try {
            return AStep();
        } catch (...) {
            if ((Stream.exceptions() & std::ios::badbit) == 0) {
                Stream.setstate(std::ios::badbit);
                throw EFileError("Stream read error");
            }
            try {
                Stream.setstate(std::ios::badbit);
            } catch (const std::ios_base::failure&) {
                // The stream's own report of the error that is passed on just below.
            }
            throw;
        }
    };

    // From the current position to the end; a stream already at its end is read whole.
    // A stream that cannot tell its position or size is read from where it stands.
    const auto unknown = std::streampos(std::streamoff(-1));
    guarded([source, unknown] {
        const std::streampos position = source->pubseekoff(0, std::ios::cur, std::ios::in);
        if (position == unknown)
            return;
        const std::streampos size = source->pubseekoff(0, std::ios::end, std::ios::in);
        const bool atEnd = size != unknown && size <= position;
        source->pubseekpos(atEnd ? std::streampos(0) : position, std::ios::in);
    });

    std::string bytes;
    std::array<char, 16384> buffer; // filled by sgetn() before use
    for (;;) {
        const std::streamsize got = guarded([source, &buffer] {
            return source->sgetn(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        });
        if (got <= 0)
            break;
        bytes.append(buffer.data(), static_cast<size_t>(got));
    }
    return Cp1252ToUtf8(bytes);
}

std::string TUtilities::GetURLFromURLString(std::string_view AValue) {
    const std::vector<std::string_view> parts = SplitAtColons(AValue);
    if (parts.size() == 3)
        return std::string(parts[0]) + ":" + std::string(parts[1]);
    if (parts.size() == 2 && IsNumericPart(parts[1]))
        return "http://" + std::string(parts[0]);
    return std::string(AValue);
}

uint16_t TUtilities::GetPortFromURLString(std::string_view AValue) {
    std::string_view text = AValue;
    if (!text.empty() && text.back() == '/')
        text.remove_suffix(1);
    const std::vector<std::string_view> parts = SplitAtColons(text);
    if (parts.size() == 3)
        return PortNumber(parts[2]);
    if (parts.size() == 2) {
        if (IsNumericPart(parts[1]))
            return PortNumber(parts[1]);
        return parts[0].find("https") != std::string_view::npos ? 443 : 80;
    }
    return PortNumber(text);
}

uint32_t TUtilities::StrToUInt32(std::string_view AValue) {
    const int64_t value = StrToInt64(AValue);
    if (value < 0 || value > int64_t{UINT32_MAX})
        throw EConvertError(
            Format("\"0x%.16x\" is not within range of Cardinal data type", {value}));
    return static_cast<uint32_t>(value);
}

uint32_t TUtilities::StrToUInt32Def(std::string_view AValue, uint32_t ADefault) noexcept {
    return TryStrToUInt32(AValue).value_or(ADefault);
}
