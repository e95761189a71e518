#pragma once

// The program's start-up, shared by the program's entry and by its test build: create the main
// window, show it and run the message loop. The application object must exist.

#include <optional>
#include <string>

// Runs the editor until its window closes and returns the process's exit status. ADataDir
// replaces the machine-wide application-data folder (tests only). The last-chance handler: an
// error that escapes the creation of the window (a configuration file that cannot be read, for
// example) is written to standard error and shown in an error message box, the window is never
// shown, and the result is a failure status.
int RunConfigEditor(const std::optional<std::string>& ADataDir = std::nullopt);
