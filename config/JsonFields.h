#pragma once

// Helpers shared by the configuration classes for reading their JSON: kind checks that raise
// the invalid-typecast error, and the field readers, which apply the reading rules of the file
// format. Each field reader leaves its field alone when the key is absent and reads the first
// member of that name when there are several.

#include "platform/Errors.h"
#include "platform/JsonValue.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// The value as an object or array; a value of another kind raises EInvalidCast.
const JsonObject& AsObjectOrRaise(const JsonValue& AValue);
const JsonArray& AsArrayOrRaise(const JsonValue& AValue);
// Parses the text; a top-level value of another kind than AKind raises EInvalidCast.
std::unique_ptr<JsonValue> ParseJsonOfKind(const std::string& AText, JsonKind AKind);

// Text: the value's plain text, unchanged.
void ReadTextField(const JsonObject& AObject, std::string_view AKey, std::string& AField);
// Integer: the plain text as a 32-bit integer in the integer text syntax, else ADefault.
void ReadIntegerField(const JsonObject& AObject, std::string_view AKey, int32_t ADefault,
                      int32_t& AField);
// A 16-bit port: the low 16 bits of the integer (70000 gives 4464, -1 gives 65535).
void ReadPortField(const JsonObject& AObject, std::string_view AKey, uint16_t ADefault,
                   uint16_t& AField);
// A listener's port is read from its JSON text, so a port written as a string, or as a number
// with a fraction or an exponent, gives the default.
void ReadListenerPortField(const JsonObject& AObject, std::string_view AKey, uint16_t ADefault,
                           uint16_t& AField);
// True exactly when the plain text is "true" in any mix of upper and lower case.
void ReadTrueFlagField(const JsonObject& AObject, std::string_view AKey, bool& AField);
// False exactly when the plain text is "false" in any mix of upper and lower case.
void ReadFalseFlagField(const JsonObject& AObject, std::string_view AKey, bool& AField);

// Index and record checks of the owning lists.
template <typename List>
void CheckListIndex(const List& AList, int32_t AIndex) {
    if (AIndex < 0 || AIndex >= static_cast<int32_t>(AList.size()))
        throw EArgumentOutOfRangeException();
}

template <typename Record>
void CheckListRecord(const std::unique_ptr<Record>& AValue) {
    if (!AValue)
        throw EArgumentException("Argument must not be null");
}
