#include "config/ServerConfig.h"
#include "platform/Errors.h"
#include "platform/JsonReader.h"
#include "platform/JsonValue.h"

#include <gtest/gtest.h>

namespace {

// --- Listeners -----------------------------------------------------------------------------------

TEST(ListenerConfig, DefaultsAndCompactText) {
    const TListenerConfig listener;
    EXPECT_EQ(listener.NIC(), "127.0.0.1");
    EXPECT_EQ(listener.UDPPort(), 514);
    EXPECT_EQ(listener.TCPPort(), 514);
    EXPECT_EQ(listener.TLSPort(), 5140);
    EXPECT_EQ(listener.AsJSONString(),
              R"({"nic":"127.0.0.1","udpPort":514,"tcpPort":514,"tlsPort":5140})");
}

TEST(ListenerConfig, CopyTakesEveryField) {
    TListenerConfig source;
    source.SetNIC("10.1.2.3");
    source.SetUDPPort(1);
    source.SetTCPPort(65535);
    source.SetTLSPort(0);
    const TListenerConfig copy(source);
    EXPECT_EQ(copy.AsJSONString(), R"({"nic":"10.1.2.3","udpPort":1,"tcpPort":65535,"tlsPort":0})");
    source.SetNIC("changed");
    EXPECT_EQ(copy.NIC(), "10.1.2.3");
}

struct ListenerCase {
    const char* Json;
    const char* NIC;
    uint16_t UDP;
    uint16_t TCP;
    uint16_t TLS;
};

class ListenerReading : public testing::TestWithParam<ListenerCase> {};

TEST_P(ListenerReading, FromANewRecord) {
    const auto listener = TListenerConfig::GetFromJSONString(GetParam().Json);
    EXPECT_EQ(listener->NIC(), GetParam().NIC);
    EXPECT_EQ(listener->UDPPort(), GetParam().UDP);
    EXPECT_EQ(listener->TCPPort(), GetParam().TCP);
    EXPECT_EQ(listener->TLSPort(), GetParam().TLS);
}

// Ports are read from their JSON text: only a JSON number that is a 32-bit integer counts.
INSTANTIATE_TEST_SUITE_P(
    Config, ListenerReading,
    testing::Values(
        ListenerCase{"{}", "127.0.0.1", 514, 514, 5140},
        ListenerCase{R"({"nic":"0.0.0.0","udpPort":1,"tcpPort":2,"tlsPort":3})", "0.0.0.0", 1, 2, 3},
        ListenerCase{R"({"udpPort":"600"})", "127.0.0.1", 514, 514, 5140},
        ListenerCase{R"({"tlsPort":70000})", "127.0.0.1", 514, 514, 4464},
        ListenerCase{R"({"tlsPort":-1})", "127.0.0.1", 514, 514, 65535},
        ListenerCase{R"({"tlsPort":true})", "127.0.0.1", 514, 514, 5140},
        ListenerCase{R"({"udpPort":600.0,"tcpPort":6e2,"tlsPort":null})", "127.0.0.1", 514, 514, 5140},
        ListenerCase{R"({"udpPort":2147483648,"tcpPort":-2147483648})", "127.0.0.1", 514, 0, 5140},
        ListenerCase{R"({"udpPort":[1],"tcpPort":{}})", "127.0.0.1", 514, 514, 5140},
        ListenerCase{R"({"udpPort":1,"udpPort":2,"UDPPort":3})", "127.0.0.1", 1, 514, 5140},
        ListenerCase{R"({"nic":5,"other":"x"})", "5", 514, 514, 5140},
        ListenerCase{R"({"nic":1.50})", "1.5", 514, 514, 5140},
        ListenerCase{R"({"nic":null})", "null", 514, 514, 5140},
        ListenerCase{R"({"nic":[]})", "", 514, 514, 5140},
        ListenerCase{R"({"nic":"\u00DC\n"})", "\xC3\x9C\n", 514, 514, 5140}));

TEST(ListenerConfig, ReadingPresentKeysReplacesAndAbsentKeysKeep) {
    TListenerConfig listener;
    listener.SetNIC("10.0.0.1");
    listener.SetUDPPort(1000);
    listener.SetAsJSONString(R"({"tcpPort":"x","tlsPort":99})");
    EXPECT_EQ(listener.NIC(), "10.0.0.1");
    EXPECT_EQ(listener.UDPPort(), 1000);
    EXPECT_EQ(listener.TCPPort(), 514); // present but unreadable: the default, not the old value
    EXPECT_EQ(listener.TLSPort(), 99);
}

TEST(ListenerConfig, RefusedTextLeavesTheRecordUnchanged) {
    TListenerConfig listener;
    listener.SetUDPPort(7);
    EXPECT_THROW(listener.SetAsJSONString(R"([{"udpPort":1}])"), EInvalidCast);
    EXPECT_THROW(listener.SetAsJSONString(R"("text")"), EInvalidCast);
    EXPECT_THROW(listener.SetAsJSONString(R"({"udpPort":1)"), EJSONParseError);
    EXPECT_THROW(listener.FromJSONObject(*ParseJson("[]")), EInvalidCast);
    EXPECT_EQ(listener.UDPPort(), 7);
    try {
        listener.SetAsJSONString("[]");
    } catch (const EInvalidCast& error) {
        EXPECT_STREQ(error.what(), "Invalid class typecast");
    }
}

// --- Sinks ---------------------------------------------------------------------------------------

TEST(FileSinkConfig, DefaultsCopyAndCompactText) {
    TFileSinkConfig sink;
    EXPECT_EQ(sink.Name(), "");
    EXPECT_EQ(sink.Directory(), "");
    EXPECT_EQ(sink.FileSizeKb(), 1024);
    EXPECT_EQ(sink.RetentionDays(), 7);
    EXPECT_EQ(sink.AsJSONString(),
              R"({"sinkType":"fs","name":"","directory":"","fileSizeKb":1024,"retentionDays":7})");
    sink.SetName("Local \"files\"");
    sink.SetDirectory("/var/log/\xC3\x9C");
    sink.SetFileSizeKb(-5);
    sink.SetRetentionDays(2147483647);
    const TFileSinkConfig copy(sink);
    EXPECT_EQ(copy.AsJSONString(), R"({"sinkType":"fs","name":"Local \"files\"",)"
                                   R"("directory":"\/var\/log\/\u00DC","fileSizeKb":-5,)"
                                   R"("retentionDays":2147483647})");
}

TEST(ElasticSearchSinkConfig, DefaultsAndCompactText) {
    const TElasticSearchSinkConfig sink;
    EXPECT_EQ(sink.AsJSONString(), R"({"sinkType":"es","name":"","server":"127.0.0.1","port":9200,)"
                                   R"("indexField":"DATE","putMapping":false,"fieldsOnly":false})");
}

TEST(ElasticSearchSinkConfig, ReadsWritesBackAndCopies) {
    TElasticSearchSinkConfig sink;
    sink.SetAsJSONString(
        R"({"sinkType":"es","name":"A","server":"10.0.0.5","putMapping":true,"fieldsOnly":"TRUE"})");
    EXPECT_EQ(sink.AsJSONString(), R"({"sinkType":"es","name":"A","server":"10.0.0.5","port":9200,)"
                                   R"("indexField":"DATE","putMapping":true,"fieldsOnly":true})");
    const TElasticSearchSinkConfig copy(sink);
    EXPECT_EQ(copy.Name(), "A");
    EXPECT_EQ(copy.AsJSONString(), sink.AsJSONString());
}

struct FileSinkCase {
    const char* Json;
    const char* Name;
    const char* Directory;
    int32_t FileSizeKb;
    int32_t RetentionDays;
};

class FileSinkReading : public testing::TestWithParam<FileSinkCase> {};

TEST_P(FileSinkReading, FromANewRecord) {
    TFileSinkConfig sink;
    sink.SetAsJSONString(GetParam().Json);
    EXPECT_EQ(sink.Name(), GetParam().Name);
    EXPECT_EQ(sink.Directory(), GetParam().Directory);
    EXPECT_EQ(sink.FileSizeKb(), GetParam().FileSizeKb);
    EXPECT_EQ(sink.RetentionDays(), GetParam().RetentionDays);
}

// Other integer keys are read from their plain text: strings holding integers and numbers
// without a fractional part count.
INSTANTIATE_TEST_SUITE_P(
    Config, FileSinkReading,
    testing::Values(
        FileSinkCase{"{}", "", "", 1024, 7},
        FileSinkCase{R"({"sinkType":"es","name":"n","directory":"d"})", "n", "d", 1024, 7},
        FileSinkCase{R"({"fileSizeKb":"2048","retentionDays":"abc"})", "", "", 2048, 7},
        FileSinkCase{R"({"fileSizeKb":3.0,"retentionDays":3.5})", "", "", 3, 7},
        FileSinkCase{R"({"fileSizeKb":" $10","retentionDays":"-0x1F"})", "", "", 16, -31},
        FileSinkCase{R"({"fileSizeKb":"$FFFFFFFF","retentionDays":2147483648})", "", "", -1, 7},
        FileSinkCase{R"({"fileSizeKb":1e3,"retentionDays":"10 "})", "", "", 1000, 7},
        FileSinkCase{R"({"fileSizeKb":true,"retentionDays":null})", "", "", 1024, 7},
        FileSinkCase{R"({"name":"a","name":"b","Name":"c"})", "a", "", 1024, 7}));

struct ElasticCase {
    const char* Json;
    uint16_t Port;
    bool PutMapping;
    bool FieldsOnly;
};

class ElasticSinkReading : public testing::TestWithParam<ElasticCase> {};

TEST_P(ElasticSinkReading, FromARecordWithBothFlagsSet) {
    TElasticSearchSinkConfig sink;
    sink.SetPutMapping(true);
    sink.SetFieldsOnly(true);
    sink.SetAsJSONString(GetParam().Json);
    EXPECT_EQ(sink.Port(), GetParam().Port);
    EXPECT_EQ(sink.PutMapping(), GetParam().PutMapping);
    EXPECT_EQ(sink.FieldsOnly(), GetParam().FieldsOnly);
}

INSTANTIATE_TEST_SUITE_P(
    Config, ElasticSinkReading,
    testing::Values(ElasticCase{"{}", 9200, true, true},
                    ElasticCase{R"({"port":3.5})", 9200, true, true},
                    ElasticCase{R"({"port":"9300"})", 9300, true, true},
                    ElasticCase{R"({"port":70000})", 4464, true, true},
                    ElasticCase{R"({"putMapping":true,"fieldsOnly":"True"})", 9200, true, true},
                    ElasticCase{R"({"putMapping":"tRuE","fieldsOnly":false})", 9200, true, false},
                    ElasticCase{R"({"putMapping":1,"fieldsOnly":"yes"})", 9200, false, false},
                    ElasticCase{R"({"putMapping":null,"fieldsOnly":" true"})", 9200, false, false},
                    ElasticCase{R"({"putMapping":[true],"fieldsOnly":{}})", 9200, false, false}));

} // namespace
