#include "config/ServerConfig.h"
#include "platform/Errors.h"
#include "platform/JsonReader.h"
#include "platform/JsonValue.h"
#include "platform/JsonWriter.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// The document's text goes through the stream operations here (Windows-1252, which is ASCII
// for these texts); Load and Save of real files are tested in ConfigFileTest.
void LoadText(TSyslogServerConfig& ADocument, const std::string& AText) {
    std::istringstream stream(AText);
    ADocument.LoadFromStream(stream);
}

std::string SavedText(const TSyslogServerConfig& ADocument) {
    std::stringstream stream;
    ADocument.SaveToStream(stream);
    return stream.str();
}

TEST(SyslogServerConfig, ConstructorSetsDefaultsAndTheConfigFile) {
    ConfigFile = "before";
    const TSyslogServerConfig document("/some/where/svcConfig.json");
    EXPECT_EQ(ConfigFile, "/some/where/svcConfig.json");
    EXPECT_EQ(document.LogLevel(), 4);
    EXPECT_EQ(document.QueueManagerThreads(), 1);
    EXPECT_FALSE(document.SingleMsgQueue());
    EXPECT_EQ(document.Listeners().Count(), 0);
    EXPECT_EQ(document.Sinks().Count(), 0);
    EXPECT_EQ(JsonCompactText(*document.ToJSONObject()),
              R"({"logLevel":4,"queueManagerThreads":1,"singleMsgQueue":false,)"
              R"("listeners":[],"sinks":[]})");
}

struct ScalarCase {
    const char* Members; // inside the top-level object
    int32_t LogLevel;
    int32_t Threads;
    bool Single;
};

class DocumentScalars : public testing::TestWithParam<ScalarCase> {};

// The document starts with other values than the defaults, so that "kept" and "default" differ.
TEST_P(DocumentScalars, AreReadByTheirRules) {
    TSyslogServerConfig document("unused");
    document.SetLogLevel(2);
    document.SetQueueManagerThreads(8);
    document.SetSingleMsgQueue(true);
    LoadText(document, std::string("{") + GetParam().Members + "}");
    EXPECT_EQ(document.LogLevel(), GetParam().LogLevel);
    EXPECT_EQ(document.QueueManagerThreads(), GetParam().Threads);
    EXPECT_EQ(document.SingleMsgQueue(), GetParam().Single);
}

INSTANTIATE_TEST_SUITE_P(
    Config, DocumentScalars,
    testing::Values(
        ScalarCase{"", 2, 8, true}, // absent keys keep what was there
        ScalarCase{R"("logLevel":5,"queueManagerThreads":3,"singleMsgQueue":false)", 5, 3, false},
        ScalarCase{R"("logLevel":"2","queueManagerThreads":2.0)", 2, 2, true},
        ScalarCase{R"("logLevel":2.5,"queueManagerThreads":"x")", 4, 1, true},
        ScalarCase{R"("logLevel":"x","queueManagerThreads":null)", 4, 1, true},
        ScalarCase{R"("logLevel":-7,"queueManagerThreads":"$10")", -7, 16, true}, // no range check
        ScalarCase{R"("logLevel":2147483648)", 4, 8, true},
        ScalarCase{R"("logLevel":1,"logLevel":3)", 1, 8, true},
        ScalarCase{R"("LogLevel":1)", 2, 8, true},
        ScalarCase{R"("singleMsgQueue":"FALSE")", 2, 8, false},
        ScalarCase{R"("singleMsgQueue":"False")", 2, 8, false},
        ScalarCase{R"("singleMsgQueue":true)", 2, 8, true},
        ScalarCase{R"("singleMsgQueue":0)", 2, 8, true},
        ScalarCase{R"("singleMsgQueue":null)", 2, 8, true},
        ScalarCase{R"("singleMsgQueue":"no")", 2, 8, true},
        ScalarCase{R"("singleMsgQueue":[])", 2, 8, true}));

TEST(SyslogServerConfig, AnEmptyObjectKeepsTheScalarsAndEmptiesTheLists) {
    TSyslogServerConfig document("unused");
    document.SetLogLevel(1);
    document.Listeners().Add(std::make_unique<TListenerConfig>());
    document.Sinks().Add(std::make_unique<TFileSinkConfig>());
    LoadText(document, "{}");
    EXPECT_EQ(document.LogLevel(), 1);
    EXPECT_EQ(document.Listeners().Count(), 0);
    EXPECT_EQ(document.Sinks().Count(), 0);
}

TEST(SyslogServerConfig, OrderSurvivesAndUnknownKeysAreDropped) {
    TSyslogServerConfig document("unused");
    LoadText(document, R"({"extra":1,"sinks":[{"sinkType":"es","name":"s1","more":[1]},)"
                       R"({"sinkType":"fs","name":"s2"},{"sinkType":"es","name":"s3"}],)"
                       R"("listeners":[{"nic":"l1"},{"nic":"l2"},{"nic":"l3"}]})");
    const std::string saved = SavedText(document);
    EXPECT_EQ(saved.find("extra"), std::string::npos);
    EXPECT_EQ(saved.find("more"), std::string::npos);
    EXPECT_LT(saved.find("\"l1\""), saved.find("\"l2\""));
    EXPECT_LT(saved.find("\"l2\""), saved.find("\"l3\""));
    EXPECT_LT(saved.find("\"s1\""), saved.find("\"s2\""));
    EXPECT_LT(saved.find("\"s2\""), saved.find("\"s3\""));
    EXPECT_LT(saved.find("\"listeners\""), saved.find("\"sinks\""));
    TSyslogServerConfig again("unused");
    LoadText(again, saved);
    EXPECT_EQ(SavedText(again), saved);
}

// An error while applying keeps what was applied before it; the sinks are not touched yet
// when the listeners fail.
TEST(SyslogServerConfig, ListenersOfTheWrongKindFailAfterTheScalars) {
    TSyslogServerConfig document("unused");
    document.Listeners().Add(std::make_unique<TListenerConfig>());
    document.Sinks().Add(std::make_unique<TFileSinkConfig>());
    EXPECT_THROW(LoadText(document, R"({"logLevel":1,"queueManagerThreads":5,)"
                                    R"("singleMsgQueue":true,"listeners":{},"sinks":[]})"),
                 EInvalidCast);
    EXPECT_EQ(document.LogLevel(), 1);
    EXPECT_EQ(document.QueueManagerThreads(), 5);
    EXPECT_TRUE(document.SingleMsgQueue());
    EXPECT_EQ(document.Listeners().Count(), 0);
    EXPECT_EQ(document.Sinks().Count(), 1);
}

TEST(SyslogServerConfig, SinkErrorsKeepTheSinksReadBefore) {
    TSyslogServerConfig document("unused");
    try {
        LoadText(document, R"({"listeners":[{"nic":"a"}],"sinks":[{"sinkType":"fs","name":"ok"},)"
                           R"({"sinkType":"xx"}]})");
        FAIL() << "no error";
    } catch (const Exception& error) {
        EXPECT_STREQ(error.what(), "Invalid Sink Type xx");
    }
    EXPECT_EQ(document.Listeners().Count(), 1);
    ASSERT_EQ(document.Sinks().Count(), 1);
    EXPECT_EQ(document.Sinks().SinkConfig(0).Name(), "ok");
    EXPECT_THROW(LoadText(document, R"({"sinks":"none"})"), EInvalidCast);
    EXPECT_EQ(document.Sinks().Count(), 0);
}

TEST(SyslogServerConfig, RefusedTextLeavesTheDocumentUnchanged) {
    TSyslogServerConfig document("unused");
    document.SetLogLevel(0);
    document.Listeners().Add(std::make_unique<TListenerConfig>());
    for (const char* text : {"[]", "\"text\"", "7", R"({"logLevel":1,"listeners":[})", "",
                             R"({"logLevel":1} x)"}) {
        EXPECT_THROW(LoadText(document, text), Exception) << text;
        EXPECT_EQ(document.LogLevel(), 0) << text;
        EXPECT_EQ(document.Listeners().Count(), 1) << text;
    }
    EXPECT_THROW(document.FromJSONObject(*ParseJson("[]")), EInvalidCast);
}

TEST(SyslogServerConfig, SaveToStreamWritesFromTheStartAndLeavesALongerTail) {
    TSyslogServerConfig document("unused");
    const std::string fresh = SavedText(document);
    const std::string tail = "TAIL-OF-AN-OLDER-LONGER-TEXT";
    std::stringstream stream;
    stream << std::string(fresh.size(), 'x') << tail;
    stream.seekp(5);
    document.SaveToStream(stream);
    EXPECT_EQ(stream.str(), fresh + tail);
}

TEST(SyslogServerConfig, LoadFromStreamReadsFromTheStartWhateverThePosition) {
    TSyslogServerConfig document("unused");
    std::stringstream stream(R"({"logLevel":3})");
    stream.seekg(5);
    document.LoadFromStream(stream);
    EXPECT_EQ(document.LogLevel(), 3);
    stream.seekg(0, std::ios::end);
    document.SetLogLevel(0);
    document.LoadFromStream(stream); // at its end, with the end-of-file flag set by the last read
    EXPECT_EQ(document.LogLevel(), 3);
}

// A stream that was read to its end carries the end-of-file flag; writing from its start must
// still work, as it does for the stream that LoadFromStream read.
TEST(SyslogServerConfig, SaveToStreamWritesIntoAStreamReadToItsEnd) {
    TSyslogServerConfig document("unused");
    const std::string fresh = SavedText(document);
    std::stringstream stream("old");
    std::string word;
    stream >> word;
    ASSERT_TRUE(stream.eof());
    document.SaveToStream(stream);
    EXPECT_EQ(stream.str(), fresh);
    document.SetLogLevel(0);
    document.LoadFromStream(stream);
    EXPECT_EQ(document.LogLevel(), 4);
}

TEST(SyslogServerConfig, StreamsUseWindows1252) {
    TSyslogServerConfig document("unused");
    auto sink = std::make_unique<TFileSinkConfig>();
    sink->SetName("\xC3\x9C" "berwachung \xE2\x9C\x93 \xE2\x82\xAC"); // Ü ✓ €
    document.Sinks().Add(std::move(sink));
    const std::string saved = SavedText(document);
    EXPECT_NE(saved.find("\"\xDC" "berwachung ? \x80\""), std::string::npos);
    TSyslogServerConfig again("unused");
    LoadText(again, saved);
    EXPECT_EQ(again.Sinks().SinkConfig(0).Name(), "\xC3\x9C" "berwachung ? \xE2\x82\xAC");
}

TEST(SyslogServerConfig, StreamFailuresRaise) {
    TSyslogServerConfig document("unused");
    std::istringstream failed("{}");
    failed.setstate(std::ios::failbit);
    EXPECT_THROW(document.LoadFromStream(failed), EFileError);
    std::ostringstream full;
    full.setstate(std::ios::badbit);
    EXPECT_THROW(document.SaveToStream(full), EFileError);
}

} // namespace
