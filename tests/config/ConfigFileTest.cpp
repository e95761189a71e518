#include "config/ServerConfig.h"
#include "platform/Errors.h"
#include "support/TestFiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using testing::HasSubstr;

namespace {

const std::string kUmlautName = "\xC3\x9C" "berwachung \xE2\x9C\x93"; // Überwachung ✓

std::vector<std::string> FolderNames(const fs::path& AFolder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(AFolder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The document of the file format's example: one listener, one file sink, one Elasticsearch sink.
void FillExample(TSyslogServerConfig& ADocument) {
    ADocument.SetSingleMsgQueue(true);
    ADocument.Listeners().Add(std::make_unique<TListenerConfig>());
    auto files = std::make_unique<TFileSinkConfig>();
    files->SetName("Local files");
    files->SetDirectory("C:\\Logs\\Syslog");
    ADocument.Sinks().Add(std::move(files));
    auto search = std::make_unique<TElasticSearchSinkConfig>();
    search->SetName("Search");
    ADocument.Sinks().Add(std::move(search));
}

class ConfigFileTest : public testing::Test {
protected:
    std::string Path(const std::string& AName = "Velmora/SyslogServer/Svc/svcConfig.json") const {
        return Dir.File(AName);
    }
    TempDir Dir;
};

TEST_F(ConfigFileTest, NewDocumentSavesTheNineLines) {
    const TSyslogServerConfig document(Path());
    document.Save();
    EXPECT_EQ(ReadFileBytes(Path()), ReadFileBytes(TestDataPath("svcConfig-new.json")));
}

TEST_F(ConfigFileTest, ExampleDocumentSavesTheExampleFile) {
    TSyslogServerConfig document(Path());
    FillExample(document);
    document.Save();
    EXPECT_EQ(ReadFileBytes(Path()), ReadFileBytes(TestDataPath("svcConfig-full.json")));
}

TEST_F(ConfigFileTest, ExampleFileLoadsAndSavesBackByteForByte) {
    const std::string golden = ReadFileBytes(TestDataPath("svcConfig-full.json"));
    fs::create_directories(fs::path(Path()).parent_path());
    WriteFileBytes(Path(), golden);
    TSyslogServerConfig document(Path());
    document.Load();
    EXPECT_TRUE(document.SingleMsgQueue());
    ASSERT_EQ(document.Listeners().Count(), 1);
    ASSERT_EQ(document.Sinks().Count(), 2);
    const auto& files = dynamic_cast<const TFileSinkConfig&>(document.Sinks().SinkConfig(0));
    EXPECT_EQ(files.Directory(), "C:\\Logs\\Syslog");
    EXPECT_EQ(document.Sinks().SinkConfig(1).Name(), "Search");
    document.Save();
    EXPECT_EQ(ReadFileBytes(Path()), golden);
    document.Save();
    EXPECT_EQ(ReadFileBytes(Path()), golden);
}

TEST_F(ConfigFileTest, SaveCreatesEveryMissingFolder) {
    const std::string path = Path("a/b/c/d/svcConfig.json");
    TSyslogServerConfig(path).Save();
    EXPECT_TRUE(fs::is_regular_file(path));
    EXPECT_EQ(FolderNames(Dir.File("a/b/c/d")), std::vector<std::string>{"svcConfig.json"});
}

TEST_F(ConfigFileTest, NonAsciiTextRoundTrips) {
    {
        TSyslogServerConfig document(Path());
        auto sink = std::make_unique<TFileSinkConfig>();
        sink->SetName(kUmlautName);
        sink->SetDirectory("/var/log/" + kUmlautName);
        document.Sinks().Add(std::move(sink));
        document.Save();
    }
    const std::string bytes = ReadFileBytes(Path());
    EXPECT_EQ(bytes.substr(0, 3), "{\r\n"); // no byte-order mark
    EXPECT_THAT(bytes, HasSubstr("\"name\": \"" + kUmlautName + "\""));
    EXPECT_THAT(bytes, HasSubstr("\"directory\": \"\\/var\\/log\\/" + kUmlautName + "\""));
    TSyslogServerConfig loaded(Path());
    loaded.Load();
    const auto& sink = dynamic_cast<const TFileSinkConfig&>(loaded.Sinks().SinkConfig(0));
    EXPECT_EQ(sink.Name(), kUmlautName);
    EXPECT_EQ(sink.Directory(), "/var/log/" + kUmlautName);
}

struct EncodedFile {
    const char* Label;
    std::string Bytes;
    std::string Name;
};

class ConfigFileEncodings : public ConfigFileTest,
                            public testing::WithParamInterface<EncodedFile> {};

TEST_P(ConfigFileEncodings, LoadDecodesTheFile) {
    WriteFileBytes(Path("svcConfig.json"), GetParam().Bytes);
    TSyslogServerConfig document(Path("svcConfig.json"));
    document.Load();
    ASSERT_EQ(document.Sinks().Count(), 1);
    EXPECT_EQ(document.Sinks().SinkConfig(0).Name(), GetParam().Name);
}

std::string SinkFile(const std::string& AName) {
    return R"({"sinks":[{"sinkType":"fs","name":")" + AName + R"("}]})";
}

std::string Utf16(const std::string& AAscii, bool ABigEndian, const std::u16string& AName) {
    std::u16string units;
    const std::string before = R"({"sinks":[{"sinkType":"fs","name":")";
    const std::string after = R"("}]})";
    for (const char c : before)
        units += static_cast<char16_t>(c);
    units += AName;
    for (const char c : after)
        units += static_cast<char16_t>(c);
    std::string bytes = AAscii;
    for (const char16_t unit : units) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += ABigEndian ? high : low;
        bytes += ABigEndian ? low : high;
    }
    return bytes;
}

const std::u16string kUmlautUtf16 = u"\u00DCberwachung \u2713";

INSTANTIATE_TEST_SUITE_P(
    Config, ConfigFileEncodings,
    testing::Values(
        EncodedFile{"Utf8", SinkFile(kUmlautName), kUmlautName},
        EncodedFile{"Utf8Mark", "\xEF\xBB\xBF" + SinkFile(kUmlautName), kUmlautName},
        EncodedFile{"Utf16LE", Utf16("\xFF\xFE", false, kUmlautUtf16), kUmlautName},
        EncodedFile{"Utf16BE", Utf16("\xFE\xFF", true, kUmlautUtf16), kUmlautName},
        EncodedFile{"Windows1252", SinkFile("\xDC" "berwachung \x80"),
                    "\xC3\x9C" "berwachung \xE2\x82\xAC"},
        EncodedFile{"Escaped", SinkFile("\\u00DCberwachung \\u2713"), kUmlautName}),
    [](const auto& AInfo) { return std::string(AInfo.param.Label); });

TEST_F(ConfigFileTest, LoadOfAMissingFileRaisesAndChangesNothing) {
    TSyslogServerConfig document(Path());
    document.SetLogLevel(1);
    for (const std::string& path : {Path(), Dir.Path().string()}) {
        ConfigFile = path;
        try {
            document.Load();
            FAIL() << "no error for " << path;
        } catch (const EFileError& error) {
            EXPECT_EQ(std::string(error.what()), "Config File " + path + " does not exist");
        }
    }
    EXPECT_EQ(document.LogLevel(), 1);
}

TEST_F(ConfigFileTest, TextThatIsNotJsonNamesFileLineAndColumnAndChangesNothing) {
    WriteFileBytes(Path("svcConfig.json"), "{\r\n    \"logLevel\": 1,\r\n    \"listeners\": [\r\n"
                                           "        {\"nic\": \"a\"}\r\n        {\"nic\": \"b\"}\r\n"
                                           "    ]\r\n}");
    TSyslogServerConfig document(Path("svcConfig.json"));
    document.SetLogLevel(3);
    document.Listeners().Add(std::make_unique<TListenerConfig>());
    try {
        document.Load();
        FAIL() << "no error";
    } catch (const EJSONParseError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Config File " + Path("svcConfig.json") +
                      ": invalid JSON at line 5, column 9: Missing a comma or ']' after an array "
                      "element.");
        EXPECT_EQ(error.Line(), 5u);
        EXPECT_EQ(error.Column(), 9u);
    }
    EXPECT_EQ(document.LogLevel(), 3);
    EXPECT_EQ(document.Listeners().Count(), 1);
}

TEST_F(ConfigFileTest, SaveRefusesAFileWhereAFolderMustBe) {
    WriteFileBytes(Dir.File("Velmora"), "a file, not a folder");
    const TSyslogServerConfig document(Path());
    try {
        document.Save();
        FAIL() << "no error";
    } catch (const EFileError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot create folder \"" + Dir.File("Velmora/SyslogServer/Svc") +
                      "\": Not a directory");
    }
    EXPECT_EQ(ReadFileBytes(Dir.File("Velmora")), "a file, not a folder");
    EXPECT_EQ(FolderNames(Dir.Path()), std::vector<std::string>{"Velmora"});
}

TEST_F(ConfigFileTest, SaveRefusesAFolderInThePlaceOfTheFile) {
    fs::create_directories(Path());
    const TSyslogServerConfig document(Path());
    try {
        document.Save();
        FAIL() << "no error";
    } catch (const EFileError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot write file \"" + Path() + "\": Is a directory");
    }
    EXPECT_TRUE(fs::is_empty(Path()));
    EXPECT_EQ(FolderNames(fs::path(Path()).parent_path()),
              std::vector<std::string>{"svcConfig.json"});
}

// A write cut short, as by a full disk, shown with a file-size limit that root cannot lift
// inside the child: the save fails with the OS reason, the old file keeps every byte, and no
// partial file is left behind.
TEST_F(ConfigFileTest, WriteCutShortLeavesTheOldFileIntact) {
    const std::string path = Path("svcConfig.json");
    const std::string old = ReadFileBytes(TestDataPath("svcConfig-full.json"));
    WriteFileBytes(path, old);

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN); // the write then fails with EFBIG instead of killing us
        const rlimit limit{4096, 4096};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            _exit(10);
        TSyslogServerConfig document(path);
        for (int i = 0; i < 200; ++i)
            document.Listeners().Add(std::make_unique<TListenerConfig>()); // ~25 KB of text
        try {
            document.Save();
        } catch (const EFileError& error) {
            _exit(std::string(error.what()) ==
                          "Cannot write file \"" + path + "\": File too large"
                      ? 0
                      : 11);
        } catch (...) {
            _exit(12);
        }
        _exit(13); // saved in spite of the limit
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "child ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadFileBytes(path), old);
    EXPECT_EQ(FolderNames(Dir.Path()), std::vector<std::string>{"svcConfig.json"});
}

} // namespace
