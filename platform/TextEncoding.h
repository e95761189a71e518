#pragma once

// Conversions between the encodings the program meets: UTF-8 (all text inside the program),
// UTF-16 (byte-order-marked files, rules that count UTF-16 code units) and Windows-1252 (the
// single-byte code page of the stream operations).

#include <cstddef>
#include <string>
#include <string_view>

bool IsValidUtf8(std::string_view AText) noexcept;

// The length in bytes (1 to 4) of the valid UTF-8 character that starts at APos, or 0 when the
// bytes there are no valid character (or APos is at the end).
size_t Utf8CharLength(std::string_view AText, size_t APos) noexcept;

// Bytes of Windows-1252 to UTF-8. The five bytes the code page leaves undefined (81, 8D, 8F,
// 90, 9D) map to the C1 control characters of the same number, so no byte is lost.
std::string Cp1252ToUtf8(std::string_view ABytes);

// UTF-8 to Windows-1252; a character the code page cannot hold (and any invalid UTF-8 byte)
// becomes "?".
std::string Utf8ToCp1252(std::string_view AText);

// UTF-8 to UTF-16 and back. Invalid UTF-8 sequences and lone surrogates become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view AText);
std::string Utf16ToUtf8(std::u16string_view AText);

// UTF-16 bytes of the given byte order to UTF-8; an odd last byte becomes U+FFFD.
std::string Utf16LEBytesToUtf8(std::string_view ABytes);
std::string Utf16BEBytesToUtf8(std::string_view ABytes);

// The text of a text file's bytes, as UTF-8. A byte-order mark selects the encoding and is
// dropped: EF BB BF UTF-8, FF FE UTF-16 little-endian, FE FF UTF-16 big-endian. Without a mark
// the bytes are taken as UTF-8 when they are valid UTF-8 and as Windows-1252 otherwise, so no
// file is refused for its encoding and no byte is lost. Invalid UTF-8 after a UTF-8 mark becomes
// U+FFFD.
std::string DecodeTextFile(std::string ABytes);
