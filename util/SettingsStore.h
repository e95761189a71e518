#pragma once

// Internals of the per-user settings store behind TUtilities::GetFormKey and its relatives: the
// stored value, the rules that turn a stored value into a reader's result (shared by every OS),
// and the two operations each OS's backing provides (SettingsStorePosix.cpp keeps one file per
// form; a Windows build keeps the values in the registry).

#include <cstdint>
#include <optional>
#include <string>

namespace SettingsStore {

enum class TValueKind {
    Text,           // written by SetFormKey
    ExpandableText, // text holding environment references, read as text without expanding them
    Integer,        // a 32-bit signed integer, written by SetIntegerFormKey
    Other,          // any other kind a backing may meet; neither reader accepts it
};

struct TValue {
    TValueKind Kind = TValueKind::Text;
    std::string Text;    // of Text and ExpandableText
    int32_t Integer = 0; // of Integer
    // The size of the stored data in bytes as the registry counts it: text as UTF-16 with a
    // terminating zero, an integer as 4 bytes. The integer reader's rules depend on it.
    uint64_t DataSize = 0;

    friend bool operator==(const TValue&, const TValue&) = default;
};

TValue TextValue(std::string AText);
TValue ExpandableTextValue(std::string AText);
TValue IntegerValue(int32_t AValue);

// The readers' rules. AsText: a value without data is the empty text whatever its kind; text of
// either kind is returned as stored; any other kind raises "Invalid data type for '%s'".
// AsInteger: data longer than 4 bytes raises "Failed to get data for '%s'"; any kind but Integer
// raises "Invalid data type for '%s'". The placeholder is the value name.
std::string ValueAsText(const TValue& AValue, const std::string& AValueName);
int32_t ValueAsInteger(const TValue& AValue, const std::string& AValueName);

// Raises the store's error "Failed to set data for '<value name>'".
[[noreturn]] void RaiseSetDataFailed(const std::string& AValueName);

// --- Per OS ----------------------------------------------------------------------------------

// The stored value; nothing when the form or the value is missing or the form cannot be read.
// Reading never creates or changes anything.
std::optional<TValue> ReadValue(const std::string& AFormName, const std::string& AValueName);

// Stores AValue under AValueName in the form, replacing any value of that name whatever its kind
// and creating the form when it is missing. False when the form cannot be opened or created;
// raises "Failed to set data for '%s'" (RaiseSetDataFailed) when the store refuses the write.
bool WriteValue(const std::string& AFormName, const std::string& AValueName, const TValue& AValue);

} // namespace SettingsStore
