// The current user's security identifier on systems whose accounts have none.

#include "util/AccountPosix.h"
#include "util/Utilities.h"

#include <array>
#include <unistd.h>

std::string TUtilities::GetSID(std::string& UserName, std::string& DomainName) {
    // The account database has no SIDs. The Unix user is mapped into the SID space the way file
    // servers map it: authority 22 (Unix), sub-authority 1 (users), then the user ID. Name and
    // domain are looked up first, so a user without an account entry raises before anything is
    // returned.
    const uid_t uid = geteuid();
    std::string userName = UserNameOfUid(uid);
    std::string domainName = GetLocalMachineName();

    const auto id = static_cast<uint32_t>(uid);
    const std::array<uint8_t, 16> sid = {1,
                                         2,
                                         0,
                                         0,
                                         0,
                                         0,
                                         0,
                                         22, // S-1-22
                                         1,
                                         0,
                                         0,
                                         0, // -1
                                         static_cast<uint8_t>(id),
                                         static_cast<uint8_t>(id >> 8), // -<uid>
                                         static_cast<uint8_t>(id >> 16),
                                         static_cast<uint8_t>(id >> 24)};
    std::string text = SIDToStr(sid);
    UserName = std::move(userName);
    DomainName = std::move(domainName);
    return text;
}
