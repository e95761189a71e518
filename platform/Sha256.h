#pragma once

// The SHA-256 digest of a byte string. The program uses it where a short name of fixed length
// must stand for a text of any length and content (a settings file named after a form name).

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

std::array<uint8_t, 32> Sha256(std::string_view ABytes) noexcept;

// The digest as 64 lower-case hexadecimal digits.
std::string Sha256Hex(std::string_view ABytes);
