#include "platform/Trim.h"

namespace {

bool IsTrimmed(char c) noexcept {
    return static_cast<unsigned char>(c) <= 32;
}

} // namespace

std::string TrimLeft(std::string_view AText) {
    size_t first = 0;
    while (first < AText.size() && IsTrimmed(AText[first]))
        ++first;
    return std::string(AText.substr(first));
}

std::string TrimRight(std::string_view AText) {
    size_t end = AText.size();
    while (end > 0 && IsTrimmed(AText[end - 1]))
        --end;
    return std::string(AText.substr(0, end));
}

std::string Trim(std::string_view AText) {
    return TrimLeft(TrimRight(AText));
}
