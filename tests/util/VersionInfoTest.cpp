#include "support/TestFiles.h"
#include "util/Utilities.h"

#include <array>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using TVersion = std::array<int32_t, 4>;

struct TVersionResult {
    bool found;
    TVersion version;
};

TVersionResult VersionOf(const std::string& AFileName) {
    TVersion v = {-7, -7, -7, -7}; // the out-values must be set on every path
    const bool found = TUtilities::GetVersionInfo(AFileName, v[0], v[1], v[2], v[3]);
    return {found, v};
}

constexpr TVersion kNone = {0, 0, 0, 0};

std::string OwnProgram() {
    return std::filesystem::read_symlink("/proc/self/exe").string();
}

// The build embeds the version 1.02.3.010 in this test program (tests/CMakeLists.txt): the
// leading zeros must not turn a part into an octal number.
constexpr TVersion kOwnVersion = {1, 2, 3, 10};

TEST(GetVersionInfo, ReadsTheVersionTheBuildEmbedsInOurProgram) {
    const TVersionResult result = VersionOf(OwnProgram());
    EXPECT_TRUE(result.found);
    EXPECT_EQ(result.version, kOwnVersion);
}

TEST(GetVersionInfo, IsFalseWithZerosForFilesWithoutAVersion) {
    TempDir dir;
    WriteFileBytes(dir.File("text.txt"), "not an executable\n");
    WriteFileBytes(dir.File("empty"), "");
    WriteFileBytes(dir.File("magic-only"), "\x7F"
                                           "ELF");
    ASSERT_EQ(mkfifo(dir.File("pipe").c_str(), 0600), 0); // must not block the open
    const std::string files[] = {
        dir.File("text.txt"),
        dir.File("empty"),
        dir.File("magic-only"),
        dir.File("missing"),
        dir.Path().string(),
        dir.File("pipe"),
        "/bin/sh",
        std::string("/bin/sh\0x", 9),
    };
    for (const std::string& file : files) {
        const TVersionResult result = VersionOf(file);
        EXPECT_FALSE(result.found) << file;
        EXPECT_EQ(result.version, kNone) << file;
    }
}

// Our program, cut anywhere: no cut makes the reader read outside the file or find a version.
TEST(GetVersionInfo, SurvivesTruncatedCopiesOfOurProgram) {
    const std::string program = ReadFileBytes(OwnProgram());
    TempDir dir;
    for (const size_t size : {size_t{16}, size_t{52}, size_t{64}, size_t{4096}, program.size() / 2,
                              program.size() - 1}) {
        WriteFileBytes(dir.File("cut"), program.substr(0, size));
        const TVersionResult result = VersionOf(dir.File("cut"));
        EXPECT_EQ(result.version, result.found ? kOwnVersion : kNone) << size;
    }
}

// ELF images of other word sizes and byte orders than this machine's, written byte by byte.
struct TNote {
    std::string owner; // with its terminating zero
    uint32_t type;
    std::vector<uint32_t> words;
};

struct TElfImage {
    bool is64 = true;
    bool bigEndian = false;
    bool inSection = true;  // the notes as a SHT_NOTE section
    bool inSegment = false; // the notes as a PT_NOTE segment
    uint32_t noteAlign = 4;
    std::vector<TNote> notes;
};

class TElfWriter {
public:
    explicit TElfWriter(const TElfImage& AImage) : FImage(AImage) {}

    std::string Bytes() {
        const uint64_t notesOffset = 0x100;
        FBytes.assign(notesOffset, '\0');
        for (const TNote& note : FImage.notes)
            AppendNote(note);
        const uint64_t notesSize = FBytes.size() - notesOffset;
        Pad(8);
        const uint64_t tableOffset = FBytes.size();
        const bool is64 = FImage.is64;

        FBytes.replace(0, 4,
                       "\x7F"
                       "ELF");
        FBytes[4] = static_cast<char>(is64 ? 2 : 1);
        FBytes[5] = static_cast<char>(FImage.bigEndian ? 2 : 1);
        FBytes[6] = 1;
        Put(16, 2, 2); // executable
        Put(20, 4, 1); // version
        if (FImage.inSection) {
            Put(is64 ? 40 : 32, is64 ? 8 : 4, tableOffset);
            Put(is64 ? 58 : 46, 2, is64 ? 64 : 40);
            Put(is64 ? 60 : 48, 2, 2);
            FBytes.append(is64 ? 64 : 40, '\0'); // section 0 is empty
            const size_t entry = FBytes.size();
            FBytes.append(is64 ? 64 : 40, '\0');
            Put(entry + 4, 4, 7);
            Put(entry + (is64 ? 24 : 16), is64 ? 8 : 4, notesOffset);
            Put(entry + (is64 ? 32 : 20), is64 ? 8 : 4, notesSize);
            Put(entry + (is64 ? 48 : 32), is64 ? 8 : 4, FImage.noteAlign);
        }
        if (FImage.inSegment) {
            const size_t entry = FBytes.size();
            Put(is64 ? 32 : 28, is64 ? 8 : 4, entry);
            Put(is64 ? 54 : 42, 2, is64 ? 56 : 32);
            Put(is64 ? 56 : 44, 2, 1);
            FBytes.append(is64 ? 56 : 32, '\0');
            Put(entry, 4, 4);
            Put(entry + (is64 ? 8 : 4), is64 ? 8 : 4, notesOffset);
            Put(entry + (is64 ? 32 : 16), is64 ? 8 : 4, notesSize);
            Put(entry + (is64 ? 48 : 28), is64 ? 8 : 4, FImage.noteAlign);
        }
        return FBytes;
    }

private:
    const TElfImage& FImage;
    std::string FBytes;

    void Put(size_t AOffset, size_t ASize, uint64_t AValue) {
        for (size_t i = 0; i < ASize; ++i)
            FBytes[AOffset + (FImage.bigEndian ? ASize - 1 - i : i)] =
                static_cast<char>((AValue >> (8 * i)) & 0xFF);
    }
    void AppendWord(uint64_t AValue) {
        FBytes.append(4, '\0');
        Put(FBytes.size() - 4, 4, AValue);
    }
    void Pad(size_t AAlign) {
        while (FBytes.size() % AAlign != 0)
            FBytes += '\0';
    }
    void AppendNote(const TNote& ANote) {
        AppendWord(ANote.owner.size());
        AppendWord(ANote.words.size() * 4);
        AppendWord(ANote.type);
        FBytes += ANote.owner;
        Pad(FImage.noteAlign);
        for (const uint32_t word : ANote.words)
            AppendWord(word);
        Pad(FImage.noteAlign);
    }
};

const TNote kBuildId = {std::string("GNU", 4), 3, {0x01234567, 0x89ABCDEF, 0x02468ACE}};
TNote VersionNote(std::vector<uint32_t> AWords, uint32_t AType = 0x4B560001) {
    return {std::string("Korvex", 7), AType, std::move(AWords)};
}

struct ImageCase {
    const char* name;
    TElfImage image;
    bool found;
    TVersion version;
};

class ElfImages : public testing::TestWithParam<ImageCase> {};

TEST_P(ElfImages, AreReadInTheirOwnWordSizeAndByteOrder) {
    const ImageCase& c = GetParam();
    TempDir dir;
    WriteFileBytes(dir.File("image"), TElfWriter(c.image).Bytes());
    const TVersionResult result = VersionOf(dir.File("image"));
    EXPECT_EQ(result.found, c.found);
    EXPECT_EQ(result.version, c.version);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, ElfImages,
    testing::Values(
        ImageCase{"Elf64Little",
                  {true, false, true, false, 4, {VersionNote({5, 6, 7, 8})}},
                  true,
                  {5, 6, 7, 8}},
        ImageCase{"Elf32Big",
                  {false, true, true, false, 4, {VersionNote({1, 0, 65535, 9})}},
                  true,
                  {1, 0, 65535, 9}},
        ImageCase{"Elf64Big",
                  {true, true, true, false, 4, {kBuildId, VersionNote({2, 3, 4, 5})}},
                  true,
                  {2, 3, 4, 5}},
        ImageCase{"Elf32Little",
                  {false, false, true, false, 4, {VersionNote({3, 1, 4, 1})}},
                  true,
                  {3, 1, 4, 1}},
        ImageCase{"SegmentOnly",
                  {true, false, false, true, 4, {kBuildId, VersionNote({4, 3, 2, 1})}},
                  true,
                  {4, 3, 2, 1}},
        ImageCase{"EightByteAligned",
                  {true, false, true, false, 8, {kBuildId, VersionNote({6, 0, 0, 1})}},
                  true,
                  {6, 0, 0, 1}},
        ImageCase{"OtherNotesOnly", {true, false, true, true, 4, {kBuildId}}, false, kNone},
        ImageCase{"NoNotes", {true, false, true, true, 4, {}}, false, kNone},
        ImageCase{"OtherType",
                  {true, false, true, false, 4, {VersionNote({1, 2, 3, 4}, 1)}},
                  false,
                  kNone},
        ImageCase{
            "ThreeParts", {true, false, true, false, 4, {VersionNote({1, 2, 3})}}, false, kNone},
        ImageCase{"PartAbove65535",
                  {true, false, true, false, 4, {VersionNote({1, 65536, 0, 0})}},
                  false,
                  kNone}),
    [](const testing::TestParamInfo<ImageCase>& AInfo) { return AInfo.param.name; });

// Header fields that point outside the file or ask for huge tables are not followed.
TEST(GetVersionInfo, IgnoresHeaderFieldsPointingOutsideTheFile) {
    const TElfImage image{true, false, true, false, 4, {VersionNote({1, 2, 3, 4})}};
    const std::string good = TElfWriter(image).Bytes();
    struct Patch {
        size_t offset;
        std::string bytes;
    };
    const Patch patches[] = {
        {40, std::string("\xF0\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 8)}, // section table offset
        {60, std::string("\xFF\xFF", 2)},                         // number of sections
        {58, std::string("\x08\x00", 2)},                         // section entry size
        {good.size() - 64 + 24, std::string("\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 8)}, // note offset
        {good.size() - 64 + 32, std::string("\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 8)}, // note size
        {0x100, std::string("\xFF\xFF\xFF\xFF", 4)}, // the note's name size
        {0x104, std::string("\xF0\xFF\xFF\xFF", 4)}, // the note's description size
        {4, std::string("\x03", 1)},                 // no such word size
    };
    TempDir dir;
    for (const Patch& patch : patches) {
        std::string bytes = good;
        bytes.replace(patch.offset, patch.bytes.size(), patch.bytes);
        WriteFileBytes(dir.File("image"), bytes);
        const TVersionResult result = VersionOf(dir.File("image"));
        EXPECT_FALSE(result.found) << patch.offset;
        EXPECT_EQ(result.version, kNone) << patch.offset;
    }
}

} // namespace
