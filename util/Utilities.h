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
    // Small values remembered per user between runs, addressed by a form name and a value name
    // within it (both used unchanged, whatever characters they hold). A value is text or a 32-bit
    // integer. Nothing is cached: every call reads or writes the store anew.

    // The text value; empty when the form or the value is missing or its file cannot be read.
    // Raises ERegistryException "Invalid data type for '<value name>'" for an integer value.
    static std::string GetFormKey(const std::string& AFormName, const std::string& AValueName);
    // The integer value; 0 when the form or the value is missing or its file cannot be read.
    // Raises ERegistryException for a text value: "Failed to get data for '<value name>'" when
    // its data (UTF-16 with a terminating zero) is longer than 4 bytes, otherwise "Invalid data
    // type for '<value name>'".
    static int32_t GetIntegerFormKey(const std::string& AFormName, const std::string& AValueName);
    // Store a text or integer value, replacing any value of that name whatever its kind; the
    // form is created when missing. False when the form cannot be opened or created; raises
    // ERegistryException "Failed to set data for '<value name>'" when the store refuses the write.
    static bool SetFormKey(const std::string& AFormName, const std::string& AValueName,
                           const std::string& AValue);
    static bool SetIntegerFormKey(const std::string& AFormName, const std::string& AValueName,
                                  int32_t AValue);

    // --- Address and byte-order conversion ---------------------------------------------------

    // --- Date and time text conversion -------------------------------------------------------

    // --- Security identifier text ------------------------------------------------------------

    // --- Host, user, file and system information ---------------------------------------------

    // --- Text and number helpers -------------------------------------------------------------

    // --- Special folders ---------------------------------------------------------------------
    // Well-known folders, without a trailing path delimiter (only a root folder keeps its one
    // delimiter); the empty text when the folder cannot be determined.

    // The user's documents folder (Linux: the XDG documents folder, else ~/Documents).
    static std::string MyDocumentsDir();
    // The user's roaming application-data folder (Linux: $XDG_CONFIG_HOME, else ~/.config).
    static std::string AppDataDir();
    // The user's local application-data folder (Linux: $XDG_DATA_HOME, else ~/.local/share).
    static std::string AppDataDirNonRoaming();
    // The machine-wide application-data folder (Linux: /var/lib).
    static std::string CommonAppDataDir();

private:
    // --- Special folders (private) -----------------------------------------------------------
    // The path of the folder with the given shell folder identifier (CSIDL number), as the system
    // gives it; the empty text for an identifier without a folder.
    static std::string SpecialFolderPath(int32_t ACSIDL);
};
