#pragma once

// printf-style formatting of message texts. A placeholder is
//   "%" ["-"] [width] ["." precision] type
// with type "s" (text), "d" (signed decimal), "u" (unsigned decimal) or "x" (upper-case
// hexadecimal); "%%" writes one "%". A width pads with blanks on the left ("-": on the right);
// a precision pads numbers with zeros to that many digits and cuts text to that many characters.
// A negative integer is written by "%u" and "%x" as the bit pattern of its own width (32 or
// 64 bits). A placeholder without a fitting argument raises EConvertError.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>

class FormatArg {
public:
    template <typename T>
        requires std::is_integral_v<T> && (!std::is_same_v<T, bool>) && (!std::is_same_v<T, char>)
    FormatArg(T AValue) noexcept // NOLINT(google-explicit-constructor): arguments convert freely
        : FKind(Kind::Integer), FInteger(static_cast<int64_t>(AValue)),
          FBits(sizeof(T) > 4 ? 64 : 32), FUnsignedSource(std::is_unsigned_v<T>) {}
    FormatArg(std::string_view AValue) : FKind(Kind::Text), FText(AValue) {}
    FormatArg(const std::string& AValue) : FKind(Kind::Text), FText(AValue) {}
    FormatArg(const char* AValue) : FKind(Kind::Text), FText(AValue) {}

    bool IsText() const noexcept { return FKind == Kind::Text; }
    const std::string& Text() const noexcept { return FText; }
    int64_t Integer() const noexcept { return FInteger; }
    // The value as an unsigned bit pattern of its own width.
    uint64_t Unsigned() const noexcept;
    bool IsUnsignedSource() const noexcept { return FUnsignedSource; }

private:
    enum class Kind { Integer, Text };
    Kind FKind;
    int64_t FInteger = 0;
    int FBits = 32;
    bool FUnsignedSource = false;
    std::string FText;
};

std::string Format(std::string_view AFormat, std::initializer_list<FormatArg> AArgs);
