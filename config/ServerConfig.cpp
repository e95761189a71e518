#include "config/ServerConfig.h"

#include "config/JsonFields.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"
#include "platform/Format.h"
#include "platform/JsonValue.h"
#include "platform/JsonWriter.h"
#include "platform/TextEncoding.h"

#include <istream>
#include <iterator>
#include <ostream>

std::string ConfigFile;
std::unique_ptr<TSyslogServerConfig> SyslogServerConfig;

namespace {

constexpr int32_t kDefaultLogLevel = 4;
constexpr int32_t kDefaultQueueManagerThreads = 1;

} // namespace

// --- TSyslogServerConfig -----------------------------------------------------------------------

TSyslogServerConfig::TSyslogServerConfig(const std::string& AConfigFile)
    : FLogLevel(kDefaultLogLevel), FQueueManagerThreads(kDefaultQueueManagerThreads),
      FSingleMsgQueue(false), FSinks(std::make_unique<TSinkConfigList>()),
      FListeners(std::make_unique<TListenerConfigList>()) {
    ConfigFile = AConfigFile;
}

TSyslogServerConfig::~TSyslogServerConfig() {
    FSinks.reset();
    FListeners.reset();
}

void TSyslogServerConfig::Load() {
    if (!FileExists(ConfigFile))
        throw EFileError(Format("Config File %s does not exist", {ConfigFile}));
    const std::string text = DecodeTextFile(ReadFileContents(ConfigFile));
    try {
        FromJSONString(text);
    } catch (const EJSONParseError& error) {
        throw EJSONParseError(Format("Config File %s: invalid JSON at line %u, column %u: %s",
                                     {ConfigFile, error.Line(), error.Column(), error.Reason()}),
                              error.Line(), error.Column(), error.Reason());
    }
}

void TSyslogServerConfig::Save() const {
    const std::string folder = ExtractFileDir(ConfigFile);
    if (!folder.empty() && !DirectoryExists(folder))
        ForceDirectories(folder);
    WriteFileAtomically(ConfigFile, ToJSONString());
}

void TSyslogServerConfig::LoadFromStream(std::istream& AStream) {
    AStream.seekg(0);
    if (!AStream)
        throw EFileError("Stream read error");
    std::string bytes{std::istreambuf_iterator<char>(AStream), std::istreambuf_iterator<char>()};
    if (AStream.bad())
        throw EFileError("Stream read error");
    FromJSONString(Cp1252ToUtf8(bytes));
}

void TSyslogServerConfig::SaveToStream(std::ostream& AStream) const {
    const std::string bytes = Utf8ToCp1252(ToJSONString());
    // A stream read to its end carries the end-of-file flag, which would refuse every write;
    // the position moves to the start anyway, so only a real failure is kept.
    AStream.clear(AStream.rdstate() & ~std::ios::eofbit);
    AStream.seekp(0);
    AStream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    AStream.flush();
    if (!AStream)
        throw EFileError("Stream write error");
}

std::unique_ptr<JsonObject> TSyslogServerConfig::ToJSONObject() const {
    auto object = std::make_unique<JsonObject>();
    object->Reserve(5);
    object->AddNumber("logLevel", FLogLevel);
    object->AddNumber("queueManagerThreads", FQueueManagerThreads);
    object->AddBoolean("singleMsgQueue", FSingleMsgQueue);
    object->Add("listeners", FListeners->ToJSONArray());
    object->Add("sinks", FSinks->ToJSONArray());
    return object;
}

void TSyslogServerConfig::FromJSONObject(const JsonValue& AValue) {
    const JsonObject& object = AsObjectOrRaise(AValue);
    ReadIntegerField(object, "logLevel", kDefaultLogLevel, FLogLevel);
    ReadIntegerField(object, "queueManagerThreads", kDefaultQueueManagerThreads,
                     FQueueManagerThreads);
    ReadFalseFlagField(object, "singleMsgQueue", FSingleMsgQueue);
    FListeners->Clear();
    if (const JsonValue* value = object.Find("listeners"))
        FListeners->FromJSONArray(*value);
    FSinks->Clear();
    if (const JsonValue* value = object.Find("sinks"))
        FSinks->FromJSONArray(*value);
}

std::string TSyslogServerConfig::ToJSONString() const {
    return JsonIndentedText(*ToJSONObject());
}

void TSyslogServerConfig::FromJSONString(const std::string& AText) {
    FromJSONObject(*ParseJsonOfKind(AText, JsonKind::Object));
}
