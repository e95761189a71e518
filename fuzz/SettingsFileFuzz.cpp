// The settings store reads form files that people may have edited or that a disk damaged: the
// parser must refuse anything malformed without crashing, and whatever it accepts must be
// written back to a file that reads as the same content.

#include "util/SettingsFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* AData, size_t ASize) {
    const std::string_view text(reinterpret_cast<const char*>(AData), ASize);
    const std::optional<SettingsStore::TFormContent> content = SettingsStore::ParseFormFile(text);
    if (!content)
        return 0;
    const std::string written = SettingsStore::FormatFormFile(*content);
    const std::optional<SettingsStore::TFormContent> again = SettingsStore::ParseFormFile(written);
    if (!again || !(*again == *content))
        std::abort();
    return 0;
}
