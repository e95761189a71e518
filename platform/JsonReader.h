#pragma once

// Reading JSON text into the program's value tree.

#include "platform/JsonValue.h"

#include <cstddef>
#include <memory>
#include <string_view>

// Containers nested deeper than this are refused, so that no tree is deep enough to trouble
// the code that walks it.
inline constexpr size_t kMaxJsonDepth = 512;

// Parses UTF-8 JSON text (RFC 8259: one value, surrounded by optional white space) into a new
// tree. Text that is not valid JSON, is not valid UTF-8 or nests deeper than kMaxJsonDepth
// raises EJSONParseError "Invalid JSON at line L, column C: <reason>"; lines and columns count
// from 1, the column in characters.
std::unique_ptr<JsonValue> ParseJson(std::string_view AText);
