#include "util/AccountPosix.h"

#include "platform/Errors.h"
#include "platform/Format.h"
#include "util/OSErrorPosix.h"

#include <cerrno>
#include <pwd.h>
#include <unistd.h>
#include <vector>

std::string UserNameOfUid(uid_t AUid) {
    // The buffer for the entry's strings starts at the size the C library suggests and doubles
    // while the entry does not fit, so no name is ever cut short.
    const long suggested = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? static_cast<size_t>(suggested) : 1024);
    passwd entry{};
    passwd* found = nullptr;
    int error = 0;
    while ((error = getpwuid_r(AUid, &entry, buffer.data(), buffer.size(), &found)) == ERANGE) {
        if (buffer.size() >= (size_t{1} << 24))
            break;
        buffer.resize(buffer.size() * 2);
    }
    if (error != 0)
        throw OSError(error);
    if (found == nullptr)
        throw EOSError(Format("The user ID %u has no entry in the account database", {AUid}),
                       ENOENT);
    return found->pw_name;
}
