#pragma once

// The file version our build embeds in its executables, and reads back with
// TUtilities::GetVersionInfo.
//
// It is an ELF note, the format's own place for such facts (the build ID lives in one too): the
// section ".note.korvex.version" holds one note with the owner name "Korvex", the type
// kVersionNoteType and four 32-bit words in the file's byte order: major, minor, release and
// build number, each 0 to 65535 as in the version resources of other platforms. The note is
// loaded with the program, so strip leaves it in place.
//
// CMake writes it: korvex_embed_version(<target> <major> <minor> <release> <build>) in
// cmake/KorvexHelpers.cmake generates a source file from cmake/VersionNote.cpp.in that defines
// one TVersionNote in that section; the program takes its four numbers from the project's VERSION.

#include <cstdint>

inline constexpr char kVersionNoteOwner[] = "Korvex";
inline constexpr uint32_t kVersionNoteType = 0x4B560001; // "KV", note 1
inline constexpr uint32_t kVersionNoteMaxPart = 0xFFFF;

// The note as it lies in the section: the ELF note header, the owner name padded to four bytes,
// then the description.
struct TVersionNote {
    uint32_t NameSize;
    uint32_t DescriptionSize;
    uint32_t Type;
    char Owner[8];
    uint32_t Version[4];
};
static_assert(sizeof(TVersionNote) == 36);
