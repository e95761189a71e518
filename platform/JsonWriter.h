#pragma once

// The two written forms of a JSON value.
//
// Compact: no white space between tokens. Inside strings a quotation mark, backslash, slash,
// backspace, form feed, line feed, carriage return and tab are written as \" \\ \/ \b \f \n \r
// \t; every other character below 32 or above 127 as \u and four upper-case hexadecimal digits
// of its UTF-16 code unit; all other characters unchanged.
//
// Indented (the layout of the configuration file): every member or element on a line of its
// own, indented by four spaces per level, "key": value with one space after the colon, a comma
// directly after every member or element but the last, an empty container as its opening
// bracket, a line break, the indentation and its closing bracket. Lines end in CR LF; there is
// no line break after the last bracket. Strings use the same eight two-character escapes and
// keep every other character as it is, except the other control characters below 32, which
// JSON does not allow raw and which are written as \u00XX so that the file reads back.
//
// Both forms write text that is not valid UTF-8 with U+FFFD in place of each invalid byte, so
// their output is always valid UTF-8. Numbers are written as their text. Neither writer
// recurses, so a tree of any depth can be written.

#include <string>
#include <string_view>

class JsonValue;

std::string JsonCompactText(const JsonValue& AValue);
std::string JsonIndentedText(const JsonValue& AValue);

// A string as a compact JSON string, in quotation marks.
std::string JsonQuotedString(std::string_view AText);
