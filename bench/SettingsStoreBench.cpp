// How long the settings store takes for one read and one write of a dialog's value, with the
// store in a temporary folder (each write flushes the file and its folder to the disk).

#include "util/Utilities.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Points XDG_CONFIG_HOME at a fresh temporary folder, removed with its contents at the end.
class TemporaryStore {
public:
    TemporaryStore() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "korvex-bench-XXXXXX").string();
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        if (::mkdtemp(buffer.data()) == nullptr)
            throw std::runtime_error("cannot create a temporary folder");
        FPath = buffer.data();
        ::setenv("XDG_CONFIG_HOME", FPath.c_str(), 1);
        // A form as the listener dialog leaves it.
        TUtilities::SetFormKey("ListenerDetail", "NIC", "192.168.1.10");
        TUtilities::SetFormKey("ListenerDetail", "UDPPort", "514");
        TUtilities::SetFormKey("ListenerDetail", "TCPPort", "1514");
        TUtilities::SetFormKey("ListenerDetail", "TLSPort", "5140");
    }
    ~TemporaryStore() {
        std::error_code ignored;
        std::filesystem::remove_all(FPath, ignored);
    }
    TemporaryStore(const TemporaryStore&) = delete;
    TemporaryStore& operator=(const TemporaryStore&) = delete;

private:
    std::filesystem::path FPath;
};

void GetFormKey(benchmark::State& AState) {
    const TemporaryStore store;
    for (auto _ : AState)
        benchmark::DoNotOptimize(TUtilities::GetFormKey("ListenerDetail", "TCPPort"));
}
BENCHMARK(GetFormKey);

void SetFormKey(benchmark::State& AState) {
    const TemporaryStore store;
    int port = 0;
    for (auto _ : AState)
        benchmark::DoNotOptimize(
            TUtilities::SetFormKey("ListenerDetail", "TCPPort", std::to_string(port++)));
}
BENCHMARK(SetFormKey)->Unit(benchmark::kMillisecond);

void GetFormKeyMissingForm(benchmark::State& AState) {
    const TemporaryStore store;
    for (auto _ : AState)
        benchmark::DoNotOptimize(TUtilities::GetFormKey("FileConfigEdit", "Dir"));
}
BENCHMARK(GetFormKeyMissingForm);

} // namespace

BENCHMARK_MAIN();
