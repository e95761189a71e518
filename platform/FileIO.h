#pragma once

// Whole-file reading and writing. Failures raise EFileError, whose message names the path and
// the operating system's reason.

#include <string>
#include <string_view>

// Whether APath names an existing file, links followed; a folder does not count.
bool FileExists(const std::string& APath);
// Whether APath names an existing folder, links followed.
bool DirectoryExists(const std::string& APath);

// The folder part of a path: everything before its last separator ("" when there is none).
std::string ExtractFileDir(const std::string& APath);

// All bytes of a file.
std::string ReadFileContents(const std::string& APath);

// Creates the folder APath together with every missing parent folder; an existing folder is
// left alone.
void ForceDirectories(const std::string& APath);

// Replaces the file APath (or creates it) with ABytes so that, whatever happens, the file holds
// either all of its old content or all of the new one: the bytes go to a new file in the same
// folder, which is flushed to disk and then renamed over the old one. On any error the new file
// is removed and the old one is left untouched. A replaced file keeps its permission bits; a
// link is followed and its target replaced. A file that the user may not write, and anything
// but a regular file, is refused. The folder must exist.
void WriteFileAtomically(const std::string& APath, std::string_view ABytes);
