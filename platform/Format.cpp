#include "platform/Format.h"

#include "platform/Errors.h"

#include <vector>

uint64_t FormatArg::Unsigned() const noexcept {
    const auto pattern = static_cast<uint64_t>(FInteger);
    return FBits == 64 || FUnsignedSource ? pattern : pattern & 0xFFFFFFFFu;
}

namespace {

[[noreturn]] void RaiseBadFormat(std::string_view AFormat) {
    throw EConvertError("Format '" + std::string(AFormat) +
                        "' invalid or incompatible with argument");
}

// Number of characters (code points) of UTF-8 text, for widths and precisions.
size_t CharacterCount(std::string_view AText) {
    size_t count = 0;
    for (const char c : AText)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    return count;
}

// The first ACount characters of UTF-8 text.
std::string_view LeadingCharacters(std::string_view AText, size_t ACount) {
    size_t seen = 0;
    for (size_t i = 0; i < AText.size(); ++i) {
        if ((static_cast<unsigned char>(AText[i]) & 0xC0) != 0x80) {
            if (seen == ACount)
                return AText.substr(0, i);
            ++seen;
        }
    }
    return AText;
}

std::string Digits(uint64_t AValue, unsigned ABase) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), kDigits[AValue % ABase]);
        AValue /= ABase;
    } while (AValue != 0);
    return text;
}

} // namespace

std::string Format(std::string_view AFormat, std::initializer_list<FormatArg> AArgs) {
    std::string out;
    out.reserve(AFormat.size() + 16);
    auto next = AArgs.begin();
    size_t i = 0;
    while (i < AFormat.size()) {
        const char c = AFormat[i++];
        if (c != '%') {
            out += c;
            continue;
        }
        if (i < AFormat.size() && AFormat[i] == '%') {
            out += '%';
            ++i;
            continue;
        }
        bool leftAlign = false;
        if (i < AFormat.size() && AFormat[i] == '-') {
            leftAlign = true;
            ++i;
        }
        size_t width = 0;
        while (i < AFormat.size() && AFormat[i] >= '0' && AFormat[i] <= '9')
            width = width * 10 + static_cast<size_t>(AFormat[i++] - '0');
        bool hasPrecision = false;
        size_t precision = 0;
        if (i < AFormat.size() && AFormat[i] == '.') {
            hasPrecision = true;
            ++i;
            while (i < AFormat.size() && AFormat[i] >= '0' && AFormat[i] <= '9')
                precision = precision * 10 + static_cast<size_t>(AFormat[i++] - '0');
        }
        if (i >= AFormat.size() || next == AArgs.end())
            RaiseBadFormat(AFormat);
        const char type = AFormat[i++];
        const FormatArg& arg = *next++;

        std::string field;
        switch (type) {
        case 's':
        case 'S':
            if (!arg.IsText())
                RaiseBadFormat(AFormat);
            field = hasPrecision ? std::string(LeadingCharacters(arg.Text(), precision))
                                 : arg.Text();
            break;
        case 'd':
        case 'D':
        case 'u':
        case 'U':
        case 'x':
        case 'X': {
            if (arg.IsText())
                RaiseBadFormat(AFormat);
            bool negative = false;
            uint64_t magnitude = 0;
            const bool isSigned = (type == 'd' || type == 'D') && !arg.IsUnsignedSource();
            if (isSigned && arg.Integer() < 0) {
                negative = true;
                magnitude = 0 - static_cast<uint64_t>(arg.Integer());
            } else {
                magnitude = arg.Unsigned();
            }
            std::string digits = Digits(magnitude, type == 'x' || type == 'X' ? 16 : 10);
            if (hasPrecision && digits.size() < precision)
                digits.insert(0, precision - digits.size(), '0');
            field = negative ? "-" + digits : digits;
            break;
        }
        default:
            RaiseBadFormat(AFormat);
        }
        const size_t length = CharacterCount(field);
        if (length < width) {
            if (leftAlign)
                field.append(width - length, ' ');
            else
                field.insert(0, width - length, ' ');
        }
        out += field;
    }
    return out;
}
