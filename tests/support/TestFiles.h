#pragma once

// Helpers for tests that work with files: a temporary folder removed with its contents at the
// end of the test, and whole-file reading and writing.

#include <filesystem>
#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const noexcept { return FPath; }
    // The path of a name inside the folder, as text.
    std::string File(const std::string& AName) const;

private:
    std::filesystem::path FPath;
};

std::string ReadFileBytes(const std::filesystem::path& APath);
void WriteFileBytes(const std::filesystem::path& APath, const std::string& ABytes);
// A fixture file of tests/data.
std::filesystem::path TestDataPath(const std::string& AName);
