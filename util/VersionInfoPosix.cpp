// The file version of an executable: the version note our build embeds in ELF files (see
// util/VersionNote.h), read from any file without trusting its contents.

#include "util/Utilities.h"
#include "util/VersionNote.h"

#include <array>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Bounds on what a damaged or hostile file can make the reader allocate.
constexpr uint64_t kMaxTableSize = uint64_t{4} << 20;
constexpr uint64_t kMaxNoteAreaSize = uint64_t{1} << 20;

constexpr uint32_t kSectionTypeNote = 7; // SHT_NOTE
constexpr uint32_t kSegmentTypeNote = 4; // PT_NOTE

using TVersion = std::array<uint32_t, 4>;

class TFileDescriptor {
public:
    explicit TFileDescriptor(int AHandle) noexcept : FHandle(AHandle) {}
    ~TFileDescriptor() {
        if (FHandle >= 0)
            close(FHandle);
    }
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;
    int Handle() const noexcept { return FHandle; }

private:
    int FHandle;
};

// An open regular file read at given offsets, in the byte order and word size its ELF header
// declares.
class TElfReader {
public:
    TElfReader(int AHandle, uint64_t ASize) : FHandle(AHandle), FSize(ASize) {}

    std::optional<TVersion> FindVersion() {
        std::array<uint8_t, 64> header{};
        if (!ReadAt(0, header.data(), 16) || std::memcmp(header.data(),
                                                         "\x7F"
                                                         "ELF",
                                                         4) != 0)
            return std::nullopt;
        if ((header[4] != 1 && header[4] != 2) || (header[5] != 1 && header[5] != 2))
            return std::nullopt;
        F64Bit = header[4] == 2;
        FBigEndian = header[5] == 2;
        const size_t headerSize = F64Bit ? 64 : 52;
        if (!ReadAt(0, header.data(), headerSize))
            return std::nullopt;
        const uint8_t* h = header.data();

        // The section headers name every note section, including those the program does not
        // load; the program headers are the fallback for files stripped of section headers.
        if (auto version = FromSections(Address(h + (F64Bit ? 40 : 32)),
                                        Half(h + (F64Bit ? 58 : 46)), Half(h + (F64Bit ? 60 : 48))))
            return version;
        return FromSegments(Address(h + (F64Bit ? 32 : 28)), Half(h + (F64Bit ? 54 : 42)),
                            Half(h + (F64Bit ? 56 : 44)));
    }

private:
    int FHandle;
    uint64_t FSize;
    bool F64Bit = false;
    bool FBigEndian = false;

    bool ReadAt(uint64_t AOffset, void* ABuffer, size_t ACount) const {
        if (AOffset > FSize || ACount > FSize - AOffset)
            return false;
        auto* target = static_cast<char*>(ABuffer);
        while (ACount > 0) {
            const ssize_t got = pread(FHandle, target, ACount, static_cast<off_t>(AOffset));
            if (got <= 0)
                return false;
            target += got;
            AOffset += static_cast<uint64_t>(got);
            ACount -= static_cast<size_t>(got);
        }
        return true;
    }

    std::optional<std::vector<uint8_t>> ReadBlock(uint64_t AOffset, uint64_t ACount,
                                                  uint64_t ALimit) const {
        if (ACount > ALimit)
            return std::nullopt;
        std::vector<uint8_t> block(static_cast<size_t>(ACount));
        if (!ReadAt(AOffset, block.data(), block.size()))
            return std::nullopt;
        return block;
    }

    uint64_t Unsigned(const uint8_t* AData, size_t ASize) const {
        uint64_t value = 0;
        for (size_t i = 0; i < ASize; ++i)
            value = (value << 8) | AData[FBigEndian ? i : ASize - 1 - i];
        return value;
    }
    uint32_t Half(const uint8_t* AData) const { return static_cast<uint32_t>(Unsigned(AData, 2)); }
    uint32_t Word(const uint8_t* AData) const { return static_cast<uint32_t>(Unsigned(AData, 4)); }
    uint64_t Address(const uint8_t* AData) const { return Unsigned(AData, F64Bit ? 8 : 4); }

    // The entries of a header table, each at least AMinEntrySize bytes, or nothing when the table
    // lies outside the file or is implausibly large.
    std::optional<std::vector<uint8_t>> Table(uint64_t AOffset, uint32_t AEntrySize,
                                              uint64_t ACount, uint32_t AMinEntrySize) const {
        if (AOffset == 0 || ACount == 0 || AEntrySize < AMinEntrySize ||
            ACount > kMaxTableSize / AEntrySize)
            return std::nullopt;
        return ReadBlock(AOffset, ACount * AEntrySize, kMaxTableSize);
    }

    std::optional<TVersion> FromSections(uint64_t AOffset, uint32_t AEntrySize, uint64_t ACount) {
        const uint32_t minEntry = F64Bit ? 64 : 40;
        // More sections than a 16-bit count holds: the count is the size of section 0.
        if (ACount == 0 && AOffset != 0 && AEntrySize >= minEntry) {
            std::vector<uint8_t> first(AEntrySize);
            if (!ReadAt(AOffset, first.data(), first.size()))
                return std::nullopt;
            ACount = Address(first.data() + (F64Bit ? 32 : 20));
        }
        const auto table = Table(AOffset, AEntrySize, ACount, minEntry);
        if (!table)
            return std::nullopt;
        for (uint64_t i = 0; i < ACount; ++i) {
            const uint8_t* entry = table->data() + i * AEntrySize;
            if (Word(entry + 4) != kSectionTypeNote)
                continue;
            const uint64_t offset = Address(entry + (F64Bit ? 24 : 16));
            const uint64_t size = Address(entry + (F64Bit ? 32 : 20));
            const uint64_t align = Address(entry + (F64Bit ? 48 : 32));
            if (auto version = FromNotes(offset, size, align))
                return version;
        }
        return std::nullopt;
    }

    std::optional<TVersion> FromSegments(uint64_t AOffset, uint32_t AEntrySize, uint64_t ACount) {
        const auto table = Table(AOffset, AEntrySize, ACount, F64Bit ? 56 : 32);
        if (!table)
            return std::nullopt;
        for (uint64_t i = 0; i < ACount; ++i) {
            const uint8_t* entry = table->data() + i * AEntrySize;
            if (Word(entry) != kSegmentTypeNote)
                continue;
            const uint64_t offset = Address(entry + (F64Bit ? 8 : 4));
            const uint64_t size = Address(entry + (F64Bit ? 32 : 16));
            const uint64_t align = Address(entry + (F64Bit ? 48 : 28));
            if (auto version = FromNotes(offset, size, align))
                return version;
        }
        return std::nullopt;
    }

    // The notes of one area: a header of three words (name size, description size, type), then
    // the name and the description, each starting at a multiple of the area's alignment (8 or,
    // usually, 4) counted from the note's start.
    std::optional<TVersion> FromNotes(uint64_t AOffset, uint64_t ASize, uint64_t AAlign) const {
        const auto area = ReadBlock(AOffset, ASize, kMaxNoteAreaSize);
        if (!area)
            return std::nullopt;
        const uint64_t align = AAlign == 8 ? 8 : 4;
        const auto padded = [align](uint64_t AValue) {
            return (AValue + align - 1) / align * align;
        };
        uint64_t position = 0;
        while (area->size() - position >= 12) {
            const uint8_t* note = area->data() + position;
            const uint64_t nameSize = Word(note);
            const uint64_t descriptionSize = Word(note + 4);
            const uint32_t type = Word(note + 8);
            const uint64_t nameStart = position + 12;
            const uint64_t descriptionStart = position + padded(12 + nameSize);
            if (descriptionStart > area->size() ||
                descriptionSize > area->size() - descriptionStart)
                return std::nullopt;
            if (IsVersionNote(area->data() + nameStart, nameSize, type, descriptionSize))
                return VersionOf(area->data() + descriptionStart);
            position = padded(descriptionStart + descriptionSize);
            if (position > area->size())
                return std::nullopt;
        }
        return std::nullopt;
    }

    static bool IsVersionNote(const uint8_t* AName, uint64_t ANameSize, uint32_t AType,
                              uint64_t ADescriptionSize) {
        return AType == kVersionNoteType && ANameSize == sizeof kVersionNoteOwner &&
               std::memcmp(AName, kVersionNoteOwner, sizeof kVersionNoteOwner) == 0 &&
               ADescriptionSize == sizeof(TVersionNote::Version);
    }

    // Parts above 65535 cannot come from our build: such a note is not taken as a version.
    std::optional<TVersion> VersionOf(const uint8_t* ADescription) const {
        TVersion version{};
        for (size_t i = 0; i < version.size(); ++i) {
            version[i] = Word(ADescription + 4 * i);
            if (version[i] > kVersionNoteMaxPart)
                return std::nullopt;
        }
        return version;
    }
};

std::optional<TVersion> VersionOfFile(const std::string& AFileName) {
    // O_NONBLOCK keeps a named pipe from blocking the open; only regular files are read.
    const TFileDescriptor file(open(AFileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat status {};
    if (file.Handle() < 0 || fstat(file.Handle(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    return TElfReader(file.Handle(), static_cast<uint64_t>(status.st_size)).FindVersion();
}

} // namespace

bool TUtilities::GetVersionInfo(const std::string& AFileName, int32_t& AMajorVersion,
                                int32_t& AMinorVersion, int32_t& AReleaseVersion,
                                int32_t& ABuildNumber) {
    AMajorVersion = AMinorVersion = AReleaseVersion = ABuildNumber = 0;
    if (AFileName.find('\0') != std::string::npos)
        return false;
    const std::optional<TVersion> version = VersionOfFile(AFileName);
    if (!version)
        return false;
    AMajorVersion = static_cast<int32_t>((*version)[0]);
    AMinorVersion = static_cast<int32_t>((*version)[1]);
    AReleaseVersion = static_cast<int32_t>((*version)[2]);
    ABuildNumber = static_cast<int32_t>((*version)[3]);
    return true;
}
