// GetVersionInfo reads files it has never seen: any bytes must give false or a version, never a
// read outside the file or a crash.

#include "util/Utilities.h"

#include <cstddef>
#include <cstdint>
#include <string>

#include <sys/mman.h>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* AData, size_t ASize) {
    static const int handle = memfd_create("version-info-fuzz", MFD_CLOEXEC);
    static const std::string path = "/proc/self/fd/" + std::to_string(handle);
    if (handle < 0 || ftruncate(handle, 0) != 0)
        return 0;
    if (pwrite(handle, AData, ASize, 0) != static_cast<ssize_t>(ASize))
        return 0;
    int32_t major = -1, minor = -1, release = -1, build = -1;
    if (!TUtilities::GetVersionInfo(path, major, minor, release, build) &&
        (major | minor | release | build) != 0)
        __builtin_trap();
    return 0;
}
