// Security identifier text: the "S-" notation of binary SIDs held in memory, in byte arrays and
// in streams.

#include "platform/Errors.h"
#include "platform/Format.h"
#include "util/Utilities.h"

#include <array>
#include <istream>
#include <optional>

namespace {

constexpr size_t kHeaderSize = 8;       // revision, count, six authority bytes
constexpr size_t kSubAuthoritySize = 4; // one little-endian 32-bit word
constexpr uint8_t kMaxSubAuthorities = 15;

uint64_t AuthorityValue(std::span<const uint8_t, 6> AAuthority) {
    uint64_t value = 0;
    for (const uint8_t b : AAuthority)
        value = (value << 8) | b;
    return value;
}

// The authority as the platform writes it: decimal below 2^32, else twelve hexadecimal digits.
std::string AuthorityText(std::span<const uint8_t, 6> AAuthority) {
    if (AAuthority[0] != 0 || AAuthority[1] != 0) {
        std::string text = "0x";
        for (const uint8_t b : AAuthority)
            text += Format("%.2x", {b});
        return text;
    }
    return Format("%u", {static_cast<uint32_t>(AuthorityValue(AAuthority))});
}

uint32_t LittleEndian32(std::span<const uint8_t, kSubAuthoritySize> ABytes) {
    return static_cast<uint32_t>(ABytes[0]) | static_cast<uint32_t>(ABytes[1]) << 8 |
           static_cast<uint32_t>(ABytes[2]) << 16 | static_cast<uint32_t>(ABytes[3]) << 24;
}

// "S-<revision>-<authority>" with the authority always in decimal, as the byte-array and stream
// readers write it.
std::string HeaderText(std::span<const uint8_t, kHeaderSize> AHeader) {
    return Format("S-%d-%u", {AHeader[0], AuthorityValue(AHeader.subspan<2, 6>())});
}

// The byte readers read a fixed number of bytes; the caller's array must hold them. Reading past
// its end would expose unrelated memory, so a short array is refused instead.
void RequireBytes(std::span<const uint8_t> AByteArray, size_t ACount) {
    if (AByteArray.size() < ACount)
        throw EArgumentException(Format(
            "The byte array of %d bytes ends inside the security identifier", {AByteArray.size()}));
}

void RequireLengthWithinArray(std::span<const uint8_t> AByteArray, int32_t ArrayLength) {
    if (ArrayLength < 0 || static_cast<size_t>(ArrayLength) > AByteArray.size())
        throw EArgumentOutOfRangeException(
            Format("ArrayLength %d is outside the byte array of %d bytes",
                   {ArrayLength, AByteArray.size()}));
}

// The whole size of a stream, whatever its position, or nothing when it cannot seek.
std::optional<uint64_t> StreamSize(std::istream& AStream) {
    std::streambuf* buffer = AStream.rdbuf();
    if (buffer == nullptr)
        return std::nullopt;
    const auto position = buffer->pubseekoff(0, std::ios_base::cur, std::ios_base::in);
    if (position == std::streampos(-1))
        return std::nullopt;
    const auto end = buffer->pubseekoff(0, std::ios_base::end, std::ios_base::in);
    buffer->pubseekpos(position, std::ios_base::in);
    if (end == std::streampos(-1))
        return std::nullopt;
    return static_cast<uint64_t>(static_cast<std::streamoff>(end));
}

// A stream that ends inside the header or inside a sub-authority holds no complete identifier.
// Writing the fields read so far, or zeros for the missing bytes, would present a different
// identifier as this one, so such a stream is refused.
[[noreturn]] void RaiseStreamEndsInsideSid() {
    throw EArgumentException("The stream ends inside the security identifier");
}

} // namespace

std::string TUtilities::SIDToStr(std::span<const uint8_t> Input) {
    // The platform's validity test reads only the revision and the count. Input carries its
    // length, so a SID cut short is invalid as well instead of being read beyond its end.
    if (Input.size() < kHeaderSize || Input[0] != 1 || Input[1] > kMaxSubAuthorities ||
        Input.size() < kHeaderSize + kSubAuthoritySize * Input[1])
        throw Exception("Invalid Security ID Exception");

    std::string text = "S-1-" + AuthorityText(Input.subspan<2, 6>()); // the valid revision
    for (size_t i = 0; i < Input[1]; ++i) {
        const auto word = Input.subspan(kHeaderSize + kSubAuthoritySize * i, kSubAuthoritySize);
        text += Format("-%u", {LittleEndian32(word.first<kSubAuthoritySize>())});
    }
    return text;
}

std::string TUtilities::ByteArrayToSidString(std::span<const uint8_t> AByteArray,
                                             int32_t ArrayLength) {
    RequireLengthWithinArray(AByteArray, ArrayLength);
    if (ArrayLength == 0)
        return {};
    // Only the test for 0 uses ArrayLength; the six authority bytes are read in any case.
    RequireBytes(AByteArray, 6);
    return AuthorityText(AByteArray.first<6>());
}

std::string TUtilities::BytesToSidString(std::span<const uint8_t> AByteArray, int32_t ArrayLength) {
    RequireLengthWithinArray(AByteArray, ArrayLength);
    if (ArrayLength == 0)
        return {};
    RequireBytes(AByteArray, kHeaderSize);
    std::string text = HeaderText(AByteArray.first<kHeaderSize>());

    // Only the first byte of each sub-authority is compared with ArrayLength.
    size_t position = kHeaderSize;
    for (uint8_t remaining = AByteArray[1];
         position < static_cast<size_t>(ArrayLength) && remaining > 0; --remaining) {
        RequireBytes(AByteArray, position + kSubAuthoritySize);
        const auto word = AByteArray.subspan(position, kSubAuthoritySize);
        text += Format("-%u", {LittleEndian32(word.first<kSubAuthoritySize>())});
        position += kSubAuthoritySize;
    }
    return text;
}

std::string TUtilities::StreamToSidString(std::istream& AStream) {
    // A stream that cannot seek has no size to compare with: its sub-authorities are read up to
    // the header's count, and a stream that delivers nothing at all counts as empty.
    const std::optional<uint64_t> size = StreamSize(AStream);
    if (size == 0)
        return {};

    std::array<uint8_t, kHeaderSize> header{};
    AStream.read(reinterpret_cast<char*>(header.data()), kHeaderSize);
    const auto delivered = static_cast<uint64_t>(AStream.gcount());
    if (delivered == 0 && !size.has_value())
        return {};
    if (delivered < kHeaderSize)
        RaiseStreamEndsInsideSid();
    std::string text = HeaderText(header);

    // The bytes read are compared with the whole size, not the part after the starting position:
    // a stream positioned behind its start never reaches it, and its reading ends with the
    // header's count.
    uint64_t bytesRead = delivered;
    for (uint8_t remaining = header[1]; (!size || bytesRead < *size) && remaining > 0;
         --remaining) {
        std::array<uint8_t, kSubAuthoritySize> word{};
        AStream.read(reinterpret_cast<char*>(word.data()), kSubAuthoritySize);
        if (static_cast<size_t>(AStream.gcount()) < kSubAuthoritySize)
            RaiseStreamEndsInsideSid();
        bytesRead += kSubAuthoritySize;
        text += Format("-%u", {LittleEndian32(word)});
    }
    return text;
}
