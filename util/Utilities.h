#pragma once

// TUtilities: the program's general helpers, as class functions without state. The class is
// never instantiated. One source file per topic implements them; what depends on the operating
// system lives in per-OS files (...Posix.cpp, ...Windows.cpp).

#include "platform/DateTime.h"

#include <cstdint>
#include <iosfwd>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TUtilities {
public:
    TUtilities() = delete;

    // --- Per-form settings store -------------------------------------------------------------

    // --- Address and byte-order conversion ---------------------------------------------------

    // --- Date and time text conversion -------------------------------------------------------

    // --- Security identifier text ------------------------------------------------------------

    // --- Host, user, file and system information ---------------------------------------------

    // --- Text and number helpers -------------------------------------------------------------

    // --- Special folders ---------------------------------------------------------------------

private:
    // --- Special folders (private) -----------------------------------------------------------
};
