#include "platform/TextEncoding.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <utility>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Windows-1252 bytes 80 to 9F; the undefined ones keep their own code.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& AOut, char32_t ACode) {
    if (ACode < 0x80) {
        AOut += static_cast<char>(ACode);
    } else if (ACode < 0x800) {
        AOut += static_cast<char>(0xC0 | (ACode >> 6));
        AOut += static_cast<char>(0x80 | (ACode & 0x3F));
    } else if (ACode < 0x10000) {
        AOut += static_cast<char>(0xE0 | (ACode >> 12));
        AOut += static_cast<char>(0x80 | ((ACode >> 6) & 0x3F));
        AOut += static_cast<char>(0x80 | (ACode & 0x3F));
    } else {
        AOut += static_cast<char>(0xF0 | (ACode >> 18));
        AOut += static_cast<char>(0x80 | ((ACode >> 12) & 0x3F));
        AOut += static_cast<char>(0x80 | ((ACode >> 6) & 0x3F));
        AOut += static_cast<char>(0x80 | (ACode & 0x3F));
    }
}

// Decodes one UTF-8 character at APos and advances APos; an invalid sequence yields
// kReplacement and advances by one byte. Overlong forms and surrogates are invalid.
char32_t DecodeUtf8(std::string_view AText, size_t& APos, bool& AValid) noexcept {
    const auto lead = static_cast<unsigned char>(AText[APos]);
    AValid = true;
    if (lead < 0x80) {
        ++APos;
        return lead;
    }
    size_t length = 0;
    char32_t code = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
        minimum = 0x10000;
    }
    if (length == 0 || APos + length > AText.size()) {
        AValid = false;
        ++APos;
        return kReplacement;
    }
    for (size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(AText[APos + k]);
        if ((next & 0xC0) != 0x80) {
            AValid = false;
            ++APos;
            return kReplacement;
        }
        code = (code << 6) | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        AValid = false;
        ++APos;
        return kReplacement;
    }
    APos += length;
    return code;
}

template <typename ReadUnit>
std::string Utf16UnitsToUtf8(size_t ACount, ReadUnit AReadUnit) {
    std::string out;
    out.reserve(ACount);
    for (size_t i = 0; i < ACount; ++i) {
        const char16_t unit = AReadUnit(i);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < ACount) {
            const char16_t low = AReadUnit(i + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        AppendUtf8(out, unit >= 0xD800 && unit <= 0xDFFF ? kReplacement : char32_t(unit));
    }
    return out;
}

} // namespace

bool IsValidUtf8(std::string_view AText) noexcept {
    size_t pos = 0;
    bool valid = true;
    const size_t n = AText.size();
    while (pos < n) {
        // Most text is ASCII: check eight bytes at a time while none has its high bit set.
        while (pos + 8 <= n) {
            uint64_t block = 0;
            std::memcpy(&block, AText.data() + pos, 8);
            if ((block & 0x8080808080808080u) != 0)
                break;
            pos += 8;
        }
        if (pos == n)
            break;
        DecodeUtf8(AText, pos, valid);
        if (!valid)
            return false;
    }
    return true;
}

size_t Utf8CharLength(std::string_view AText, size_t APos) noexcept {
    if (APos >= AText.size())
        return 0;
    size_t pos = APos;
    bool valid = true;
    DecodeUtf8(AText, pos, valid);
    return valid ? pos - APos : 0;
}

std::string DecodeTextFile(std::string ABytes) {
    const std::string_view bytes = ABytes;
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        if (!IsValidUtf8(bytes.substr(3)))
            return Utf16ToUtf8(Utf8ToUtf16(bytes.substr(3)));
        ABytes.erase(0, 3);
        return ABytes;
    }
    if (bytes.starts_with("\xFF\xFE"))
        return Utf16LEBytesToUtf8(bytes.substr(2));
    if (bytes.starts_with("\xFE\xFF"))
        return Utf16BEBytesToUtf8(bytes.substr(2));
    // The common case, valid UTF-8, hands the bytes on without a copy.
    return IsValidUtf8(bytes) ? std::move(ABytes) : Cp1252ToUtf8(bytes);
}

std::string Cp1252ToUtf8(std::string_view ABytes) {
    std::string out;
    out.reserve(ABytes.size());
    for (const char c : ABytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 && byte <= 0x9F)
            AppendUtf8(out, kCp1252High[byte - 0x80]);
        else
            AppendUtf8(out, byte);
    }
    return out;
}

std::string Utf8ToCp1252(std::string_view AText) {
    std::string out;
    out.reserve(AText.size());
    size_t pos = 0;
    bool valid = true;
    while (pos < AText.size()) {
        const char32_t code = DecodeUtf8(AText, pos, valid);
        if (!valid) {
            out += '?';
        } else if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
            out += static_cast<char>(code);
        } else {
            char mapped = '?';
            for (size_t k = 0; k < kCp1252High.size(); ++k)
                if (kCp1252High[k] == code)
                    mapped = static_cast<char>(0x80 + k);
            out += mapped;
        }
    }
    return out;
}

std::u16string Utf8ToUtf16(std::string_view AText) {
    std::u16string out;
    out.reserve(AText.size());
    size_t pos = 0;
    bool valid = true;
    while (pos < AText.size()) {
        const char32_t code = DecodeUtf8(AText, pos, valid);
        if (code >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(code);
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view AText) {
    return Utf16UnitsToUtf8(AText.size(), [&](size_t i) { return AText[i]; });
}

std::string Utf16LEBytesToUtf8(std::string_view ABytes) {
    std::string out = Utf16UnitsToUtf8(ABytes.size() / 2, [&](size_t i) {
        return static_cast<char16_t>(static_cast<unsigned char>(ABytes[2 * i]) |
                                     (static_cast<unsigned char>(ABytes[2 * i + 1]) << 8));
    });
    if (ABytes.size() % 2 != 0)
        AppendUtf8(out, kReplacement);
    return out;
}

std::string Utf16BEBytesToUtf8(std::string_view ABytes) {
    std::string out = Utf16UnitsToUtf8(ABytes.size() / 2, [&](size_t i) {
        return static_cast<char16_t>((static_cast<unsigned char>(ABytes[2 * i]) << 8) |
                                     static_cast<unsigned char>(ABytes[2 * i + 1]));
    });
    if (ABytes.size() % 2 != 0)
        AppendUtf8(out, kReplacement);
    return out;
}
