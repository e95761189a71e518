#include "config/ServerConfig.h"

#include "platform/Errors.h"
#include "platform/FileIO.h"
#include "platform/Format.h"
#include "platform/IntegerText.h"
#include "platform/JsonReader.h"
#include "platform/JsonValue.h"
#include "platform/JsonWriter.h"
#include "platform/TextEncoding.h"

#include <istream>
#include <iterator>
#include <ostream>

std::string ConfigFile;
std::unique_ptr<TSyslogServerConfig> SyslogServerConfig;

namespace {

constexpr uint16_t kDefaultPort = 514;
constexpr uint16_t kDefaultTLSPort = 5140;
constexpr int32_t kDefaultFileSizeKb = 1024;
constexpr int32_t kDefaultRetentionDays = 7;
constexpr uint16_t kDefaultElasticPort = 9200;
constexpr int32_t kDefaultLogLevel = 4;
constexpr int32_t kDefaultQueueManagerThreads = 1;

const JsonObject& AsObjectOrRaise(const JsonValue& AValue) {
    const JsonObject* object = AValue.AsObject();
    if (object == nullptr)
        throw EInvalidCast();
    return *object;
}

const JsonArray& AsArrayOrRaise(const JsonValue& AValue) {
    const JsonArray* array = AValue.AsArray();
    if (array == nullptr)
        throw EInvalidCast();
    return *array;
}

std::unique_ptr<JsonValue> ParseJsonOfKind(const std::string& AText, JsonKind AKind) {
    std::unique_ptr<JsonValue> value = ParseJson(AText);
    if (value->Kind() != AKind)
        throw EInvalidCast();
    return value;
}

bool EqualsIgnoringCase(std::string_view AText, std::string_view AWord) noexcept {
    if (AText.size() != AWord.size())
        return false;
    for (size_t i = 0; i < AText.size(); ++i) {
        char c = AText[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != AWord[i])
            return false;
    }
    return true;
}

// The field readers: each leaves its field alone when the key is absent.

void ReadText(const JsonObject& AObject, std::string_view AKey, std::string& AField) {
    if (const JsonValue* value = AObject.Find(AKey))
        AField = value->PlainText();
}

void ReadInteger(const JsonObject& AObject, std::string_view AKey, int32_t ADefault,
                 int32_t& AField) {
    if (const JsonValue* value = AObject.Find(AKey))
        AField = StrToIntDef(value->PlainText(), ADefault);
}

// A 16-bit field takes the low 16 bits of the integer: 70000 gives 4464, -1 gives 65535.
uint16_t Low16Bits(int32_t AValue) noexcept {
    return static_cast<uint16_t>(static_cast<uint32_t>(AValue) & 0xFFFFu);
}

void ReadPort(const JsonObject& AObject, std::string_view AKey, uint16_t ADefault,
              uint16_t& AField) {
    if (const JsonValue* value = AObject.Find(AKey))
        AField = Low16Bits(StrToIntDef(value->PlainText(), ADefault));
}

// The listener ports are read from their JSON text, so a port written as a string or with a
// fraction or an exponent gives the default.
void ReadListenerPort(const JsonObject& AObject, std::string_view AKey, uint16_t ADefault,
                      uint16_t& AField) {
    if (const JsonValue* value = AObject.Find(AKey))
        AField = Low16Bits(StrToIntDef(value->JsonText(), ADefault));
}

void ReadTrueFlag(const JsonObject& AObject, std::string_view AKey, bool& AField) {
    if (const JsonValue* value = AObject.Find(AKey))
        AField = EqualsIgnoringCase(value->PlainText(), "true");
}

template <typename List>
void CheckIndex(const List& AList, int32_t AIndex) {
    if (AIndex < 0 || AIndex >= static_cast<int32_t>(AList.size()))
        throw EArgumentOutOfRangeException();
}

template <typename Record>
void CheckRecord(const std::unique_ptr<Record>& AValue) {
    if (!AValue)
        throw EArgumentException("Argument must not be null");
}

} // namespace

// --- TListenerConfig ---------------------------------------------------------------------------

TListenerConfig::TListenerConfig()
    : FNIC("127.0.0.1"), FUDPPort(kDefaultPort), FTCPPort(kDefaultPort),
      FTLSPort(kDefaultTLSPort) {}

TListenerConfig::TListenerConfig(const TListenerConfig& AListenerConfig)
    : FNIC(AListenerConfig.FNIC), FUDPPort(AListenerConfig.FUDPPort),
      FTCPPort(AListenerConfig.FTCPPort), FTLSPort(AListenerConfig.FTLSPort) {}

std::string TListenerConfig::AsJSONString() const { return JsonCompactText(*ToJSONObject()); }

void TListenerConfig::SetAsJSONString(const std::string& AValue) {
    FromJSONObject(*ParseJsonOfKind(AValue, JsonKind::Object));
}

std::unique_ptr<JsonObject> TListenerConfig::ToJSONObject() const {
    auto object = std::make_unique<JsonObject>();
    object->AddString("nic", FNIC);
    object->AddNumber("udpPort", FUDPPort);
    object->AddNumber("tcpPort", FTCPPort);
    object->AddNumber("tlsPort", FTLSPort);
    return object;
}

void TListenerConfig::FromJSONObject(const JsonValue& AValue) {
    const JsonObject& object = AsObjectOrRaise(AValue);
    ReadText(object, "nic", FNIC);
    ReadListenerPort(object, "udpPort", kDefaultPort, FUDPPort);
    ReadListenerPort(object, "tcpPort", kDefaultPort, FTCPPort);
    ReadListenerPort(object, "tlsPort", kDefaultTLSPort, FTLSPort);
}

std::unique_ptr<TListenerConfig> TListenerConfig::GetFromJSONString(const std::string& AJSONString) {
    auto record = std::make_unique<TListenerConfig>();
    record->SetAsJSONString(AJSONString);
    return record;
}

// --- TBaseSinkConfig ---------------------------------------------------------------------------

std::string TBaseSinkConfig::AsJSONString() const { return JsonCompactText(*ToJSONObject()); }

void TBaseSinkConfig::SetAsJSONString(const std::string& AValue) {
    FromJSONObject(*ParseJsonOfKind(AValue, JsonKind::Object));
}

// --- TFileSinkConfig ---------------------------------------------------------------------------

TFileSinkConfig::TFileSinkConfig()
    : FFileSizeKb(kDefaultFileSizeKb), FRetentionDays(kDefaultRetentionDays) {}

TFileSinkConfig::TFileSinkConfig(const TFileSinkConfig& AFileSinkConfig)
    : TBaseSinkConfig(AFileSinkConfig), FDirectory(AFileSinkConfig.FDirectory),
      FFileSizeKb(AFileSinkConfig.FFileSizeKb), FRetentionDays(AFileSinkConfig.FRetentionDays) {}

std::unique_ptr<JsonObject> TFileSinkConfig::ToJSONObject() const {
    auto object = std::make_unique<JsonObject>();
    object->AddString("sinkType", "fs");
    object->AddString("name", FName);
    object->AddString("directory", FDirectory);
    object->AddNumber("fileSizeKb", FFileSizeKb);
    object->AddNumber("retentionDays", FRetentionDays);
    return object;
}

void TFileSinkConfig::FromJSONObject(const JsonValue& AValue) {
    const JsonObject& object = AsObjectOrRaise(AValue);
    ReadText(object, "name", FName);
    ReadText(object, "directory", FDirectory);
    ReadInteger(object, "fileSizeKb", kDefaultFileSizeKb, FFileSizeKb);
    ReadInteger(object, "retentionDays", kDefaultRetentionDays, FRetentionDays);
}

// --- TElasticSearchSinkConfig ------------------------------------------------------------------

TElasticSearchSinkConfig::TElasticSearchSinkConfig()
    : FServer("127.0.0.1"), FPort(kDefaultElasticPort), FIndexField("DATE"), FPutMapping(false),
      FFieldsOnly(false) {}

TElasticSearchSinkConfig::TElasticSearchSinkConfig(const TElasticSearchSinkConfig& AConfig)
    : TBaseSinkConfig(AConfig), FServer(AConfig.FServer), FPort(AConfig.FPort),
      FIndexField(AConfig.FIndexField), FPutMapping(AConfig.FPutMapping),
      FFieldsOnly(AConfig.FFieldsOnly) {}

std::unique_ptr<JsonObject> TElasticSearchSinkConfig::ToJSONObject() const {
    auto object = std::make_unique<JsonObject>();
    object->AddString("sinkType", "es");
    object->AddString("name", FName);
    object->AddString("server", FServer);
    object->AddNumber("port", FPort);
    object->AddString("indexField", FIndexField);
    object->AddBoolean("putMapping", FPutMapping);
    object->AddBoolean("fieldsOnly", FFieldsOnly);
    return object;
}

void TElasticSearchSinkConfig::FromJSONObject(const JsonValue& AValue) {
    const JsonObject& object = AsObjectOrRaise(AValue);
    ReadText(object, "name", FName);
    ReadText(object, "server", FServer);
    ReadPort(object, "port", kDefaultElasticPort, FPort);
    ReadText(object, "indexField", FIndexField);
    ReadTrueFlag(object, "putMapping", FPutMapping);
    ReadTrueFlag(object, "fieldsOnly", FFieldsOnly);
}

// --- TListenerConfigList -----------------------------------------------------------------------

TListenerConfigList::TListenerConfigList(const TListenerConfigList* AListenerConfigList) {
    if (AListenerConfigList == nullptr)
        return;
    FList.reserve(AListenerConfigList->FList.size());
    for (const auto& record : AListenerConfigList->FList)
        FList.push_back(std::make_unique<TListenerConfig>(*record));
}

TListenerConfigList::TListenerConfigList(const TListenerConfigList& AListenerConfigList)
    : TListenerConfigList(&AListenerConfigList) {}

int32_t TListenerConfigList::Count() const noexcept { return static_cast<int32_t>(FList.size()); }

TListenerConfig& TListenerConfigList::ListenerConfig(int32_t AIndex) const {
    CheckIndex(FList, AIndex);
    return *FList[static_cast<size_t>(AIndex)];
}

void TListenerConfigList::SetListenerConfig(int32_t AIndex, std::unique_ptr<TListenerConfig> AValue) {
    CheckIndex(FList, AIndex);
    CheckRecord(AValue);
    FList[static_cast<size_t>(AIndex)] = std::move(AValue);
}

void TListenerConfigList::Add(std::unique_ptr<TListenerConfig> AValue) {
    CheckRecord(AValue);
    FList.push_back(std::move(AValue));
}

void TListenerConfigList::Delete(int32_t AIndex) {
    CheckIndex(FList, AIndex);
    FList.erase(FList.begin() + AIndex);
}

void TListenerConfigList::Clear() noexcept { FList.clear(); }

std::unique_ptr<JsonArray> TListenerConfigList::ToJSONArray() const {
    std::vector<std::unique_ptr<JsonValue>> items;
    items.reserve(FList.size());
    for (const auto& record : FList)
        items.push_back(record->ToJSONObject());
    return std::make_unique<JsonArray>(std::move(items));
}

void TListenerConfigList::FromJSONArray(const JsonValue& AValue) {
    const JsonArray& array = AsArrayOrRaise(AValue);
    Clear();
    FList.reserve(array.Count());
    for (const auto& item : array.Items()) {
        auto record = std::make_unique<TListenerConfig>();
        record->FromJSONObject(AsObjectOrRaise(*item));
        FList.push_back(std::move(record));
    }
}

std::string TListenerConfigList::AsJSONArrayString() const { return JsonCompactText(*ToJSONArray()); }

void TListenerConfigList::SetAsJSONArrayString(const std::string& AValue) {
    FromJSONArray(*ParseJsonOfKind(AValue, JsonKind::Array));
}

std::unique_ptr<TListenerConfigList>
TListenerConfigList::GetFromJSONArrayString(const std::string& AJSONString) {
    auto list = std::make_unique<TListenerConfigList>();
    list->SetAsJSONArrayString(AJSONString);
    return list;
}

// --- TSinkConfigList ---------------------------------------------------------------------------

TSinkConfigList::TSinkConfigList(const TSinkConfigList& ASinkConfigList) {
    FList.reserve(ASinkConfigList.FList.size());
    for (const auto& record : ASinkConfigList.FList) {
        if (const auto* fileSink = dynamic_cast<const TFileSinkConfig*>(record.get()))
            FList.push_back(std::make_unique<TFileSinkConfig>(*fileSink));
        else if (const auto* esSink = dynamic_cast<const TElasticSearchSinkConfig*>(record.get()))
            FList.push_back(std::make_unique<TElasticSearchSinkConfig>(*esSink));
        else
            throw EInvalidCast();
    }
}

int32_t TSinkConfigList::Count() const noexcept { return static_cast<int32_t>(FList.size()); }

TBaseSinkConfig& TSinkConfigList::SinkConfig(int32_t AIndex) const {
    CheckIndex(FList, AIndex);
    return *FList[static_cast<size_t>(AIndex)];
}

void TSinkConfigList::SetSinkConfig(int32_t AIndex, std::unique_ptr<TBaseSinkConfig> AValue) {
    CheckIndex(FList, AIndex);
    CheckRecord(AValue);
    FList[static_cast<size_t>(AIndex)] = std::move(AValue);
}

void TSinkConfigList::Add(std::unique_ptr<TBaseSinkConfig> AValue) {
    CheckRecord(AValue);
    FList.push_back(std::move(AValue));
}

void TSinkConfigList::Delete(int32_t AIndex) {
    CheckIndex(FList, AIndex);
    FList.erase(FList.begin() + AIndex);
}

void TSinkConfigList::Clear() noexcept { FList.clear(); }

std::unique_ptr<JsonArray> TSinkConfigList::ToJSONArray() const {
    std::vector<std::unique_ptr<JsonValue>> items;
    items.reserve(FList.size());
    for (const auto& record : FList)
        items.push_back(record->ToJSONObject());
    return std::make_unique<JsonArray>(std::move(items));
}

void TSinkConfigList::FromJSONArray(const JsonValue& AValue) {
    const JsonArray& array = AsArrayOrRaise(AValue);
    Clear();
    FList.reserve(array.Count());
    for (const auto& item : array.Items()) {
        const JsonObject& object = AsObjectOrRaise(*item);
        const JsonValue* sinkType = object.Find("sinkType");
        if (sinkType == nullptr)
            throw Exception("No Sink Type");
        const std::string kind = sinkType->PlainText();
        std::unique_ptr<TBaseSinkConfig> record;
        if (kind == "fs")
            record = std::make_unique<TFileSinkConfig>();
        else if (kind == "es")
            record = std::make_unique<TElasticSearchSinkConfig>();
        else
            throw Exception(Format("Invalid Sink Type %s", {kind}));
        record->FromJSONObject(object);
        FList.push_back(std::move(record));
    }
}

std::string TSinkConfigList::AsJSONArrayString() const { return JsonCompactText(*ToJSONArray()); }

void TSinkConfigList::SetAsJSONArrayString(const std::string& AValue) {
    FromJSONArray(*ParseJsonOfKind(AValue, JsonKind::Array));
}

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
    AStream.seekp(0);
    AStream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    AStream.flush();
    if (!AStream)
        throw EFileError("Stream write error");
}

std::unique_ptr<JsonObject> TSyslogServerConfig::ToJSONObject() const {
    auto object = std::make_unique<JsonObject>();
    object->AddNumber("logLevel", FLogLevel);
    object->AddNumber("queueManagerThreads", FQueueManagerThreads);
    object->AddBoolean("singleMsgQueue", FSingleMsgQueue);
    object->Add("listeners", FListeners->ToJSONArray());
    object->Add("sinks", FSinks->ToJSONArray());
    return object;
}

void TSyslogServerConfig::FromJSONObject(const JsonValue& AValue) {
    const JsonObject& object = AsObjectOrRaise(AValue);
    ReadInteger(object, "logLevel", kDefaultLogLevel, FLogLevel);
    ReadInteger(object, "queueManagerThreads", kDefaultQueueManagerThreads, FQueueManagerThreads);
    if (const JsonValue* value = object.Find("singleMsgQueue"))
        FSingleMsgQueue = !EqualsIgnoringCase(value->PlainText(), "false");
    FListeners->Clear();
    if (const JsonValue* value = object.Find("listeners"))
        FListeners->FromJSONArray(*value);
    FSinks->Clear();
    if (const JsonValue* value = object.Find("sinks"))
        FSinks->FromJSONArray(*value);
}

std::string TSyslogServerConfig::ToJSONString() const { return JsonIndentedText(*ToJSONObject()); }

void TSyslogServerConfig::FromJSONString(const std::string& AText) {
    FromJSONObject(*ParseJsonOfKind(AText, JsonKind::Object));
}
