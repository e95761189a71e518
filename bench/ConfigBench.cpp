// Load and Save of generated configuration files, with RapidJSON's bare SAX parse of the same
// bytes (same flags, a handler that does nothing) as the reference for Load's throughput.

#include "ConfigGenerator.h"
#include "platform/FileIO.h"

#include <benchmark/benchmark.h>
#include <rapidjson/memorystream.h>
#include <rapidjson/reader.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <vector>

namespace {

// A folder for the generated files, removed when the program ends.
class BenchFolder {
public:
    BenchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "korvex-bench-XXXXXX").string();
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        if (mkdtemp(buffer.data()) == nullptr)
            throw std::runtime_error("cannot create a temporary folder");
        FPath = buffer.data();
    }
    ~BenchFolder() {
        std::error_code ignored; // clean-up only
        std::filesystem::remove_all(FPath, ignored);
    }
    std::string File(const std::string& AName) const { return (FPath / AName).string(); }

private:
    std::filesystem::path FPath;
};

BenchFolder& Folder() {
    static BenchFolder folder;
    return folder;
}

// The generated file with that many listeners (and sinks), made once.
const std::string& GeneratedFile(int32_t AListeners) {
    static std::map<int32_t, std::string> files;
    auto found = files.find(AListeners);
    if (found == files.end()) {
        const std::string path = Folder().File("svcConfig-" + std::to_string(AListeners) + ".json");
        TSyslogServerConfig document(path);
        FillGeneratedConfig(document, AListeners);
        document.Save();
        found = files.emplace(AListeners, path).first;
    }
    return found->second;
}

constexpr unsigned kParseFlags = rapidjson::kParseIterativeFlag |
                                 rapidjson::kParseNumbersAsStringsFlag |
                                 rapidjson::kParseValidateEncodingFlag;

void BM_BareSaxParse(benchmark::State& AState) {
    const std::string bytes = ReadFileContents(GeneratedFile(static_cast<int32_t>(AState.range(0))));
    for (auto _ : AState) {
        rapidjson::MemoryStream stream(bytes.data(), bytes.size());
        rapidjson::BaseReaderHandler<> handler;
        rapidjson::Reader reader;
        const bool ok = !reader.Parse<kParseFlags>(stream, handler).IsError();
        benchmark::DoNotOptimize(ok);
        if (!ok)
            AState.SkipWithError("parse failed");
    }
    AState.SetBytesProcessed(static_cast<int64_t>(AState.iterations() * bytes.size()));
}

void BM_Load(benchmark::State& AState) {
    const auto listeners = static_cast<int32_t>(AState.range(0));
    const std::string& path = GeneratedFile(listeners);
    const auto size = static_cast<int64_t>(std::filesystem::file_size(path));
    TSyslogServerConfig document(path);
    for (auto _ : AState) {
        document.Load();
        benchmark::DoNotOptimize(document.Sinks().Count());
    }
    if (document.Listeners().Count() != listeners || document.Sinks().Count() != listeners)
        AState.SkipWithError("wrong number of records");
    AState.SetBytesProcessed(AState.iterations() * size);
}

// Save writes a new file, flushes it to disk and renames it over the old one.
void BM_Save(benchmark::State& AState) {
    const auto listeners = static_cast<int32_t>(AState.range(0));
    const std::string& source = GeneratedFile(listeners);
    const auto size = static_cast<int64_t>(std::filesystem::file_size(source));
    TSyslogServerConfig document(source);
    document.Load();
    ConfigFile = Folder().File("saved.json");
    for (auto _ : AState)
        document.Save();
    AState.SetBytesProcessed(AState.iterations() * size);
}

void BM_LoadThenSave(benchmark::State& AState) {
    const std::string& source = GeneratedFile(static_cast<int32_t>(AState.range(0)));
    const std::string target = Folder().File("copy.json");
    const auto size = static_cast<int64_t>(std::filesystem::file_size(source));
    for (auto _ : AState) {
        TSyslogServerConfig document(source);
        document.Load();
        ConfigFile = target;
        document.Save();
    }
    AState.SetBytesProcessed(AState.iterations() * size);
}

BENCHMARK(BM_BareSaxParse)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadThenSave)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
