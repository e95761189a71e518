// Feeds arbitrary bytes through the loading path: the bytes become the configuration file, which
// Load reads, decodes and applies, and the same bytes go through LoadFromStream. Whatever loads
// must save, load again and save to the same bytes. Any crash, leak, undefined behaviour, or an
// exception other than the program's own error classes is a finding.

#include "config/ServerConfig.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"
#include "platform/TextEncoding.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

// A private folder, in memory when /dev/shm exists so that the saves wear no disk.
std::string MakeFuzzFolder() {
    const std::string base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string pattern = base + "/korvex-fuzz-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) == nullptr)
        std::abort();
    return buffer.data();
}

const std::string& FuzzFile() {
    static const std::string path = MakeFuzzFolder() + "/svcConfig.json";
    return path;
}

void WriteInput(const uint8_t* AData, size_t ASize) {
    std::ofstream out(FuzzFile(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(AData), static_cast<std::streamsize>(ASize));
    if (!out)
        std::abort();
}

void Check(bool ACondition) {
    if (!ACondition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* AData, size_t ASize) {
    const std::string bytes(reinterpret_cast<const char*>(AData), ASize);
    {
        TSyslogServerConfig document("unused");
        std::istringstream stream(bytes);
        try {
            document.LoadFromStream(stream);
        } catch (const Exception&) {
        }
    }

    WriteInput(AData, ASize);
    TSyslogServerConfig document(FuzzFile());
    try {
        document.Load();
    } catch (const Exception&) {
        return 0;
    }
    document.Save();
    const std::string saved = ReadFileContents(FuzzFile());
    Check(IsValidUtf8(saved));
    TSyslogServerConfig reloaded(FuzzFile());
    reloaded.Load();
    reloaded.Save();
    Check(ReadFileContents(FuzzFile()) == saved);
    return 0;
}
