// IPv4 addresses between dotted-quad text and 32-bit numbers, and byte order.

#include "platform/Errors.h"
#include "platform/Format.h"
#include "platform/IntegerText.h"
#include "util/Utilities.h"

#include <array>
#include <bit>
#include <optional>

namespace {

constexpr size_t kQuadParts = 4;

// The parts of a dotted quad, cut at every "." with nothing trimmed. A part that begins with a
// double quote runs to the next lone double quote ("" standing for one) and loses its quotes;
// whatever follows that quote other than a "." begins a further part. Only whether there are
// exactly four parts matters, so the cutting stops at the fifth; the empty text has none.
struct TQuadParts {
    std::array<std::string, kQuadParts> Parts;
    size_t Count = 0;
};

TQuadParts SplitDottedQuad(std::string_view AText) {
    TQuadParts result;
    auto add = [&result](std::string APart) {
        if (result.Count < kQuadParts)
            result.Parts[result.Count] = std::move(APart);
        ++result.Count;
        return result.Count <= kQuadParts;
    };
    if (AText.empty())
        return result;

    size_t i = 0;
    while (true) {
        if (i < AText.size() && AText[i] == '"') {
            std::string part;
            ++i;
            while (i < AText.size()) {
                if (AText[i] == '"') {
                    if (i + 1 < AText.size() && AText[i + 1] == '"') {
                        part += '"';
                        i += 2;
                        continue;
                    }
                    ++i; // the closing quote
                    break;
                }
                part += AText[i++];
            }
            if (!add(std::move(part)) || i >= AText.size())
                break;
            if (AText[i] == '.')
                ++i; // a "." at the very end leaves an empty last part, added below
            continue;
        }
        const size_t dot = AText.find('.', i);
        if (dot == std::string_view::npos) {
            add(std::string(AText.substr(i)));
            break;
        }
        if (!add(std::string(AText.substr(i, dot - i))))
            break;
        i = dot + 1;
    }
    return result;
}

uint32_t JoinOctets(const std::array<int32_t, kQuadParts>& AOctets) noexcept {
    uint32_t address = 0;
    for (const int32_t octet : AOctets)
        address = (address << 8) | static_cast<uint32_t>(octet);
    return address;
}

constexpr uint32_t ReverseBytes(uint32_t AValue) noexcept {
    return ((AValue & 0x000000FFu) << 24) | ((AValue & 0x0000FF00u) << 8) |
           ((AValue & 0x00FF0000u) >> 8) | ((AValue & 0xFF000000u) >> 24);
}

constexpr uint32_t ToBigEndian(uint32_t AValue) noexcept {
    if constexpr (std::endian::native == std::endian::little)
        return ReverseBytes(AValue);
    else
        return AValue;
}

} // namespace

uint32_t TUtilities::DottedQuadToUInt32(std::string_view ADottedQuadAddress) {
    const TQuadParts split = SplitDottedQuad(ADottedQuadAddress);
    if (split.Count != kQuadParts)
        throw EArgumentException("Invalid dotted quad address");
    std::array<int32_t, kQuadParts> octets{};
    for (size_t i = 0; i < kQuadParts; ++i) {
        octets[i] = StrToInt(split.Parts[i]);
        // A part beyond one byte would silently name another address.
        if (octets[i] < 0 || octets[i] > 255)
            throw EConvertError(
                Format("'%s' is not a valid dotted quad address part", {split.Parts[i]}));
    }
    return JoinOctets(octets);
}

bool TUtilities::TryDottedQuadToUInt32(std::string_view ADottedQuadAddress, uint32_t& AIPOut) {
    const TQuadParts split = SplitDottedQuad(ADottedQuadAddress);
    if (split.Count != kQuadParts)
        return false;
    std::array<int32_t, kQuadParts> octets{};
    for (size_t i = 0; i < kQuadParts; ++i) {
        octets[i] = StrToIntDef(split.Parts[i], -1);
        if (octets[i] < 0 || octets[i] > 255)
            return false;
    }
    AIPOut = JoinOctets(octets);
    return true;
}

std::string TUtilities::UInt32ToDottedQuad(uint32_t AUInt32Address) {
    return Format("%d.%d.%d.%d", {AUInt32Address >> 24, (AUInt32Address >> 16) & 255u,
                                  (AUInt32Address >> 8) & 255u, AUInt32Address & 255u});
}

uint32_t TUtilities::HostToNetworkByteOrder(uint32_t AUInt32Address) noexcept {
    return ToBigEndian(AUInt32Address);
}

uint32_t TUtilities::NetworkToHostByteOrder(uint32_t AUInt32Address) noexcept {
    return ToBigEndian(AUInt32Address); // the same swap undoes itself
}

TUtilities::TIPv4AdapterMap TUtilities::GetIPv4Adapters() {
    return {};
}
