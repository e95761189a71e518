#include "config/JsonFields.h"

#include "platform/IntegerText.h"
#include "platform/JsonReader.h"

namespace {

bool EqualsIgnoringCase(std::string_view AText, std::string_view ALowerCaseWord) noexcept {
    if (AText.size() != ALowerCaseWord.size())
        return false;
    for (size_t i = 0; i < AText.size(); ++i) {
        char c = AText[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != ALowerCaseWord[i])
            return false;
    }
    return true;
}

uint16_t Low16Bits(int32_t AValue) noexcept {
    return static_cast<uint16_t>(static_cast<uint32_t>(AValue) & 0xFFFFu);
}

} // namespace

const JsonObject& AsObjectOrRaise(const JsonValue& AValue) {
    const JsonObject* object = AValue.AsObject();
    if (object == nullptr)
        throw EInvalidCast();
    return *object;
}

const JsonArray& AsArrayOrRaise(const JsonValue& AValue) {
    const JsonArray* array = AValue.AsArray();
    if (array == nullptr)
        throw EInvalidCast();
    return *array;
}

std::unique_ptr<JsonValue> ParseJsonOfKind(const std::string& AText, JsonKind AKind) {
    std::unique_ptr<JsonValue> value = ParseJson(AText);
    if (value->Kind() != AKind)
        throw EInvalidCast();
    return value;
}

void ReadTextField(const JsonObject& AObject, std::string_view AKey, std::string& AField) {
    if (const JsonValue* value = AObject.Find(AKey))
        AField = value->PlainText();
}

void ReadIntegerField(const JsonObject& AObject, std::string_view AKey, int32_t ADefault,
                      int32_t& AField) {
    if (const JsonValue* value = AObject.Find(AKey))
        AField = StrToIntDef(value->PlainText(), ADefault);
}

void ReadPortField(const JsonObject& AObject, std::string_view AKey, uint16_t ADefault,
                   uint16_t& AField) {
    if (const JsonValue* value = AObject.Find(AKey))
        AField = Low16Bits(StrToIntDef(value->PlainText(), ADefault));
}

void ReadListenerPortField(const JsonObject& AObject, std::string_view AKey, uint16_t ADefault,
                           uint16_t& AField) {
    if (const JsonValue* value = AObject.Find(AKey))
        AField = Low16Bits(StrToIntDef(value->JsonText(), ADefault));
}

void ReadTrueFlagField(const JsonObject& AObject, std::string_view AKey, bool& AField) {
    if (const JsonValue* value = AObject.Find(AKey))
        AField = EqualsIgnoringCase(value->PlainText(), "true");
}

void ReadFalseFlagField(const JsonObject& AObject, std::string_view AKey, bool& AField) {
    if (const JsonValue* value = AObject.Find(AKey))
        AField = !EqualsIgnoringCase(value->PlainText(), "false");
}
