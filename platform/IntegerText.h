#pragma once

// Conversion of text to integers. One syntax serves every such conversion of the program:
// leading blanks (code 32), an optional sign, then decimal digits or a hexadecimal number
// introduced by "$", "x", "X", "0x" or "0X"; nothing may follow. A decimal value must fit the
// target type; a hexadecimal number is taken as the bit pattern of the target, so "$FFFFFFFF"
// reads as -1 for 32 bits.

#include <cstdint>
#include <optional>
#include <string_view>

std::optional<int32_t> TryStrToInt(std::string_view AText) noexcept;
std::optional<int64_t> TryStrToInt64(std::string_view AText) noexcept;

// Raise EConvertError "'<text>' is not a valid integer value" when the text is no integer.
int32_t StrToInt(std::string_view AText);
int64_t StrToInt64(std::string_view AText);

// Return ADefault when the text is no integer.
int32_t StrToIntDef(std::string_view AText, int32_t ADefault) noexcept;
int64_t StrToInt64Def(std::string_view AText, int64_t ADefault) noexcept;
