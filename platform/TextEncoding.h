#pragma once

// Conversions between the encodings the program meets: UTF-8 (all text inside the program),
// UTF-16 (byte-order-marked files, rules that count UTF-16 code units) and Windows-1252 (the
// single-byte code page of the stream operations).

#include <string>
#include <string_view>

bool IsValidUtf8(std::string_view AText) noexcept;

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
