#pragma once

// Trimming of the characters of code 0 to 32 (blanks and control characters) at either end.
// Safe on UTF-8: no byte of a multibyte character is below 128.

#include <string>
#include <string_view>

std::string Trim(std::string_view AText);
std::string TrimLeft(std::string_view AText);
std::string TrimRight(std::string_view AText);
