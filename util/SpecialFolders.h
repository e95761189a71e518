#pragma once

// Internals of the special-folder look-up, shared by SpecialFolders.cpp and the per-OS files.

#include <cstdint>
#include <string>

namespace SpecialFolders {

// The shell's folder identifiers (CSIDL numbers) of the folders the program looks up.
inline constexpr int32_t Personal = 5;
inline constexpr int32_t AppData = 26;
inline constexpr int32_t LocalAppData = 28;
inline constexpr int32_t CommonAppData = 35;

// The path without its trailing path delimiters; a root folder keeps the one delimiter that
// names it. Per OS, as the delimiters are.
std::string WithoutTrailingDelimiter(std::string APath);

} // namespace SpecialFolders
