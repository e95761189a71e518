#pragma once

// Operating-system errors of the POSIX functions: the system's text for an error number, and the
// EOSError that reports a failed call.

#include "platform/Errors.h"

#include <string>

std::string SystemErrorText(int AErrorCode);

// EOSError "System Error. Code: <code>. <system text>" carrying the error number.
EOSError OSError(int AErrorCode);
