#include "util/OSErrorPosix.h"

#include "platform/Format.h"

#include <array>
#include <cstring>

namespace {

// strerror_r comes in two forms: the GNU one returns the text (perhaps a static string), the
// XSI one fills the buffer and returns a status. These two overloads accept either.
[[maybe_unused]] const char* ErrorTextOf(const char* AResult, const char*) {
    return AResult;
}
[[maybe_unused]] const char* ErrorTextOf(int AResult, const char* ABuffer) {
    return AResult == 0 ? ABuffer : "Unknown error";
}

} // namespace

std::string SystemErrorText(int AErrorCode) {
    std::array<char, 256> buffer{};
    return ErrorTextOf(strerror_r(AErrorCode, buffer.data(), buffer.size()), buffer.data());
}

EOSError OSError(int AErrorCode) {
    return EOSError(Format("System Error. Code: %d. %s", {AErrorCode, SystemErrorText(AErrorCode)}),
                    AErrorCode);
}
