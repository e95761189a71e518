#include "support/TestFiles.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>
#include <vector>

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "korvex-test-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder");
    FPath = buffer.data();
}

TempDir::~TempDir() {
    std::error_code ignored; // a test must not fail in its clean-up
    std::filesystem::remove_all(FPath, ignored);
}

std::string TempDir::File(const std::string& AName) const {
    return (FPath / AName).string();
}

std::string ReadFileBytes(const std::filesystem::path& APath) {
    std::ifstream in(APath, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + APath.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::filesystem::path& APath, const std::string& ABytes) {
    std::ofstream out(APath, std::ios::binary | std::ios::trunc);
    out.write(ABytes.data(), static_cast<std::streamsize>(ABytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + APath.string());
}

std::filesystem::path TestDataPath(const std::string& AName) {
    return std::filesystem::path(KORVEX_TEST_DATA_DIR) / AName;
}
