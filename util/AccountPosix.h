#pragma once

// Look-ups in the account database shared by the user and security-identifier functions.

#include <string>
#include <sys/types.h>

// The account name of a user ID. Raises EOSError when the ID has no account entry or the
// account database cannot be read. Names of any length are returned whole.
std::string UserNameOfUid(uid_t AUid);
