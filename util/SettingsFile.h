#pragma once

// The file that holds one form's values where the settings store is kept in files, and that
// file's name. The format is line-based UTF-8 text:
//
//   Korvex settings 1
//   form "ListenerDetail"
//   text "NIC" "192.168.1.10"
//   integer "Count" -42
//   expandtext "Path" "%TEMP%\\logs"
//   end
//
// Names and texts are quoted; inside the quotes "\\", "\"", "\n", "\r" and "\t" stand for
// themselves and "\xHH" for any byte, so every byte string round-trips. Control characters are
// always escaped; bytes above 0x7F are written as they are when the text is valid UTF-8 and
// escaped otherwise. The last line "end" shows that the file is complete. Anything else,
// including a value name given twice, makes the file damaged.

#include "util/SettingsStore.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace SettingsStore {

// Larger files are not read (they would not have been written).
inline constexpr std::size_t MaxFormFileSize = 4 * 1024 * 1024;

struct TNamedValue {
    std::string Name;
    TValue Value;

    friend bool operator==(const TNamedValue&, const TNamedValue&) = default;
};

struct TFormContent {
    std::string FormName;
    std::vector<TNamedValue> Values; // in the order they were first written

    const TValue* Find(std::string_view AValueName) const;
    // Replaces the value of that name, whatever its kind, or appends it.
    void Put(const std::string& AValueName, TValue AValue);

    friend bool operator==(const TFormContent&, const TFormContent&) = default;
};

// The file name of a form inside the store folder: the form name itself plus ".form" when it
// consists of 1 to 64 letters, digits, "-" and "_"; otherwise "~", the SHA-256 of the name in
// hexadecimal, and ".form". It never holds a "/", never starts with ".", and distinct form
// names give distinct file names (the file also records its form name, which readers check).
std::string FormFileName(const std::string& AFormName);

// Raises EArgumentException for a value of kind Other, which the format cannot hold.
std::string FormatFormFile(const TFormContent& AContent);

// The content of a form file; nothing when the text is not a complete, well-formed form file.
std::optional<TFormContent> ParseFormFile(std::string_view AText);

} // namespace SettingsStore
