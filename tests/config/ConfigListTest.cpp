#include "config/ServerConfig.h"
#include "platform/Errors.h"
#include "platform/JsonReader.h"
#include "platform/JsonValue.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TListenerConfig> Listener(const std::string& ANIC) {
    auto listener = std::make_unique<TListenerConfig>();
    listener->SetNIC(ANIC);
    return listener;
}

std::string NICs(const TListenerConfigList& AList) {
    std::string text;
    for (int32_t i = 0; i < AList.Count(); ++i)
        text += (i > 0 ? "," : "") + AList.ListenerConfig(i).NIC();
    return text;
}

std::string SinkNames(const TSinkConfigList& AList) {
    std::string text;
    for (int32_t i = 0; i < AList.Count(); ++i)
        text += (i > 0 ? "," : "") + AList.SinkConfig(i).Name();
    return text;
}

TEST(ListenerConfigList, AddDeleteClearAndIndexedAccess) {
    TListenerConfigList list;
    EXPECT_EQ(list.Count(), 0);
    for (const char* nic : {"a", "b", "c", "d"})
        list.Add(Listener(nic));
    EXPECT_EQ(NICs(list), "a,b,c,d");
    list.Delete(1);
    EXPECT_EQ(NICs(list), "a,c,d");
    list.SetListenerConfig(2, Listener("x"));
    EXPECT_EQ(NICs(list), "a,c,x");
    list.ListenerConfig(0).SetUDPPort(1); // the record stays the list's, changed in place
    EXPECT_EQ(list.ListenerConfig(0).UDPPort(), 1);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(ListenerConfigList, IndexOutsideTheListRaisesAndChangesNothing) {
    TListenerConfigList list;
    list.Add(Listener("a"));
    list.Add(Listener("b"));
    for (const int32_t index : {-1, 2, 1000}) {
        EXPECT_THROW(list.Delete(index), EArgumentOutOfRangeException) << index;
        EXPECT_THROW(list.ListenerConfig(index), EArgumentOutOfRangeException) << index;
        EXPECT_THROW(list.SetListenerConfig(index, Listener("x")), EArgumentOutOfRangeException);
    }
    try {
        list.Delete(2);
    } catch (const EArgumentOutOfRangeException& error) {
        EXPECT_STREQ(error.what(), "Argument out of range");
    }
    EXPECT_THROW(list.Add(nullptr), EArgumentException);
    EXPECT_THROW(list.SetListenerConfig(0, nullptr), EArgumentException);
    EXPECT_EQ(NICs(list), "a,b");
}

TEST(ListenerConfigList, CopiesAreDeepAndIndependent) {
    TListenerConfigList list;
    list.Add(Listener("a"));
    list.Add(Listener("b"));
    const TListenerConfigList copy(list);
    const TListenerConfigList fromPointer(&list);
    list.ListenerConfig(0).SetNIC("changed");
    list.Delete(1);
    EXPECT_EQ(NICs(copy), "a,b");
    EXPECT_EQ(NICs(fromPointer), "a,b");
    EXPECT_EQ(TListenerConfigList(nullptr).Count(), 0);
}

TEST(ListenerConfigList, JsonArrayTextBothWays) {
    TListenerConfigList list;
    EXPECT_EQ(list.AsJSONArrayString(), "[]");
    list.Add(Listener("a"));
    list.Add(Listener("b"));
    const std::string text = list.AsJSONArrayString();
    EXPECT_EQ(text, R"([{"nic":"a","udpPort":514,"tcpPort":514,"tlsPort":5140},)"
                    R"({"nic":"b","udpPort":514,"tcpPort":514,"tlsPort":5140}])");
    EXPECT_EQ(TListenerConfigList::GetFromJSONArrayString(text)->AsJSONArrayString(), text);
}

TEST(ListenerConfigList, ReadingReplacesAllRecordsAlsoWithAnEmptyArray) {
    TListenerConfigList list;
    list.Add(Listener("old"));
    list.SetAsJSONArrayString(R"([{"nic":"n1"},{"nic":"n2"}])");
    EXPECT_EQ(NICs(list), "n1,n2");
    list.SetAsJSONArrayString("[]");
    EXPECT_EQ(list.Count(), 0);
}

TEST(ListenerConfigList, WrongKindsRaiseInvalidCast) {
    TListenerConfigList list;
    list.Add(Listener("old"));
    EXPECT_THROW(list.SetAsJSONArrayString(R"({"nic":"x"})"), EInvalidCast); // top level
    EXPECT_EQ(NICs(list), "old");
    EXPECT_THROW(list.SetAsJSONArrayString("[1"), EJSONParseError);
    EXPECT_EQ(NICs(list), "old");
    // An element of the wrong kind stops reading; the list was cleared and keeps what came before.
    EXPECT_THROW(list.SetAsJSONArrayString(R"([{"nic":"n1"},[],{"nic":"n3"}])"), EInvalidCast);
    EXPECT_EQ(NICs(list), "n1");
}

std::unique_ptr<TFileSinkConfig> FileSink(const std::string& AName) {
    auto sink = std::make_unique<TFileSinkConfig>();
    sink->SetName(AName);
    return sink;
}

std::unique_ptr<TElasticSearchSinkConfig> ElasticSink(const std::string& AName) {
    auto sink = std::make_unique<TElasticSearchSinkConfig>();
    sink->SetName(AName);
    return sink;
}

TEST(SinkConfigList, MixedKindsKeepTheirOrderAndKindWhenCopied) {
    TSinkConfigList list;
    list.Add(FileSink("f1"));
    list.Add(ElasticSink("e1"));
    list.Add(FileSink("f2"));
    dynamic_cast<TElasticSearchSinkConfig&>(list.SinkConfig(1)).SetPort(1);
    const TSinkConfigList copy(list);
    list.Clear();
    ASSERT_EQ(SinkNames(copy), "f1,e1,f2");
    EXPECT_NE(dynamic_cast<const TFileSinkConfig*>(&copy.SinkConfig(0)), nullptr);
    const auto* elastic = dynamic_cast<const TElasticSearchSinkConfig*>(&copy.SinkConfig(1));
    ASSERT_NE(elastic, nullptr);
    EXPECT_EQ(elastic->Port(), 1);
    EXPECT_NE(dynamic_cast<const TFileSinkConfig*>(&copy.SinkConfig(2)), nullptr);
}

TEST(SinkConfigList, AddDeleteReplaceAndRanges) {
    TSinkConfigList list;
    list.Add(FileSink("a"));
    list.Add(ElasticSink("b"));
    list.Add(FileSink("c"));
    list.Delete(0);
    list.SetSinkConfig(1, ElasticSink("x"));
    EXPECT_EQ(SinkNames(list), "b,x");
    EXPECT_THROW(list.Delete(2), EArgumentOutOfRangeException);
    EXPECT_THROW(list.Delete(-1), EArgumentOutOfRangeException);
    EXPECT_THROW(list.SinkConfig(2), EArgumentOutOfRangeException);
    EXPECT_THROW(list.SetSinkConfig(-1, FileSink("y")), EArgumentOutOfRangeException);
    EXPECT_THROW(list.Add(nullptr), EArgumentException);
    EXPECT_EQ(SinkNames(list), "b,x");
    EXPECT_EQ(list.AsJSONArrayString(),
              R"([{"sinkType":"es","name":"b","server":"127.0.0.1","port":9200,"indexField":"DATE",)"
              R"("putMapping":false,"fieldsOnly":false},{"sinkType":"es","name":"x",)"
              R"("server":"127.0.0.1","port":9200,"indexField":"DATE","putMapping":false,)"
              R"("fieldsOnly":false}])");
}

TEST(SinkConfigList, ReadsEachElementAsItsKind) {
    TSinkConfigList list;
    list.Add(FileSink("old"));
    list.SetAsJSONArrayString(R"([{"sinkType":"es","name":"e","port":"9300"},)"
                              R"({"name":"f","sinkType":"fs","fileSizeKb":"2048"},)"
                              R"({"sinkType":"fs","sinkType":"es","name":"g"}])");
    ASSERT_EQ(SinkNames(list), "e,f,g");
    EXPECT_EQ(dynamic_cast<TElasticSearchSinkConfig&>(list.SinkConfig(0)).Port(), 9300);
    EXPECT_EQ(dynamic_cast<TFileSinkConfig&>(list.SinkConfig(1)).FileSizeKb(), 2048);
    EXPECT_NE(dynamic_cast<TFileSinkConfig*>(&list.SinkConfig(2)), nullptr); // first key counts
    list.SetAsJSONArrayString("[]");
    EXPECT_EQ(list.Count(), 0);
}

struct BadSink {
    const char* Element;
    const char* Message;
};

class SinkElementErrors : public testing::TestWithParam<BadSink> {};

// The third element is bad: the first two stay in the list, in order, and reading stops.
TEST_P(SinkElementErrors, KeepTheSinksReadBefore) {
    TSinkConfigList list;
    list.Add(FileSink("old"));
    const std::string text =
        std::string(R"([{"sinkType":"fs","name":"1"},{"sinkType":"es","name":"2"},)") +
        GetParam().Element + R"(,{"sinkType":"fs","name":"4"}])";
    try {
        list.SetAsJSONArrayString(text);
        FAIL() << "no error";
    } catch (const Exception& error) {
        EXPECT_STREQ(error.what(), GetParam().Message);
    }
    EXPECT_EQ(SinkNames(list), "1,2");
}

INSTANTIATE_TEST_SUITE_P(
    Config, SinkElementErrors,
    testing::Values(BadSink{R"({"sinkType":"FS","name":"3"})", "Invalid Sink Type FS"},
                    BadSink{R"({"sinkType":"","name":"3"})", "Invalid Sink Type "},
                    BadSink{R"({"sinkType":1})", "Invalid Sink Type 1"},
                    BadSink{R"({"sinkType":{}})", "Invalid Sink Type "},
                    BadSink{R"({"SinkType":"fs","name":"3"})", "No Sink Type"},
                    BadSink{R"({})", "No Sink Type"},
                    BadSink{R"("fs")", "Invalid class typecast"},
                    BadSink{R"(null)", "Invalid class typecast"}));

TEST(SinkConfigList, TopLevelOfTheWrongKindLeavesTheListAlone) {
    TSinkConfigList list;
    list.Add(FileSink("old"));
    EXPECT_THROW(list.SetAsJSONArrayString(R"({"sinkType":"fs"})"), EInvalidCast);
    EXPECT_THROW(list.FromJSONArray(*ParseJson("{}")), EInvalidCast);
    EXPECT_EQ(SinkNames(list), "old");
}

} // namespace
