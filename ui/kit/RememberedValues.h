#pragma once

// The values the editor dialogs remember per user between runs, kept as text in the per-form
// settings store. Remembering is a convenience: a store that cannot be read or written never
// stops a dialog. A value that cannot be read counts as missing, one that cannot be written is
// not remembered, and either is reported as a warning on the diagnostic output.

#include <QString>

#include <cstdint>

// The text stored under AFormKey and AValueName; empty when nothing is stored.
QString RememberedText(const char* AFormKey, const char* AValueName);
// The stored text read as an integer (leading blanks, a sign, decimal or "$"/"0x" hexadecimal);
// ADefault when nothing is stored or the text is no 32-bit integer.
int32_t RememberedInteger(const char* AFormKey, const char* AValueName, int32_t ADefault);
void Remember(const char* AFormKey, const char* AValueName, const QString& AValue);
