#include "util/SettingsStore.h"

#include "platform/Errors.h"
#include "platform/Format.h"
#include "platform/TextEncoding.h"
#include "util/Utilities.h"

#include <utility>

namespace SettingsStore {

namespace {

uint64_t TextDataSize(const std::string& AText) {
    return (static_cast<uint64_t>(Utf8ToUtf16(AText).size()) + 1) * 2;
}

} // namespace

TValue TextValue(std::string AText) {
    TValue value;
    value.Kind = TValueKind::Text;
    value.DataSize = TextDataSize(AText);
    value.Text = std::move(AText);
    return value;
}

TValue ExpandableTextValue(std::string AText) {
    TValue value = TextValue(std::move(AText));
    value.Kind = TValueKind::ExpandableText;
    return value;
}

TValue IntegerValue(int32_t AValue) {
    TValue value;
    value.Kind = TValueKind::Integer;
    value.Integer = AValue;
    value.DataSize = sizeof(int32_t);
    return value;
}

std::string ValueAsText(const TValue& AValue, const std::string& AValueName) {
    if (AValue.DataSize == 0)
        return {};
    if (AValue.Kind == TValueKind::Text || AValue.Kind == TValueKind::ExpandableText)
        return AValue.Text;
    throw ERegistryException(Format("Invalid data type for '%s'", {AValueName}));
}

int32_t ValueAsInteger(const TValue& AValue, const std::string& AValueName) {
    // Only four bytes are asked for, so longer data fails before its kind is looked at.
    if (AValue.DataSize > sizeof(int32_t))
        throw ERegistryException(Format("Failed to get data for '%s'", {AValueName}));
    if (AValue.Kind != TValueKind::Integer)
        throw ERegistryException(Format("Invalid data type for '%s'", {AValueName}));
    return AValue.Integer;
}

void RaiseSetDataFailed(const std::string& AValueName) {
    throw ERegistryException(Format("Failed to set data for '%s'", {AValueName}));
}

} // namespace SettingsStore

std::string TUtilities::GetFormKey(const std::string& AFormName, const std::string& AValueName) {
    const std::optional<SettingsStore::TValue> value =
        SettingsStore::ReadValue(AFormName, AValueName);
    return value ? SettingsStore::ValueAsText(*value, AValueName) : std::string();
}

int32_t TUtilities::GetIntegerFormKey(const std::string& AFormName, const std::string& AValueName) {
    const std::optional<SettingsStore::TValue> value =
        SettingsStore::ReadValue(AFormName, AValueName);
    return value ? SettingsStore::ValueAsInteger(*value, AValueName) : 0;
}

bool TUtilities::SetFormKey(const std::string& AFormName, const std::string& AValueName,
                            const std::string& AValue) {
    return SettingsStore::WriteValue(AFormName, AValueName, SettingsStore::TextValue(AValue));
}

bool TUtilities::SetIntegerFormKey(const std::string& AFormName, const std::string& AValueName,
                                   int32_t AValue) {
    return SettingsStore::WriteValue(AFormName, AValueName, SettingsStore::IntegerValue(AValue));
}
