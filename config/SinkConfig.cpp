#include "config/JsonFields.h"
#include "config/ServerConfig.h"
#include "platform/Format.h"
#include "platform/JsonWriter.h"

namespace {

constexpr int32_t kDefaultFileSizeKb = 1024;
constexpr int32_t kDefaultRetentionDays = 7;
constexpr uint16_t kDefaultElasticPort = 9200;

} // namespace

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
    object->Reserve(5);
    object->AddString("sinkType", "fs");
    object->AddString("name", FName);
    object->AddString("directory", FDirectory);
    object->AddNumber("fileSizeKb", FFileSizeKb);
    object->AddNumber("retentionDays", FRetentionDays);
    return object;
}

void TFileSinkConfig::FromJSONObject(const JsonValue& AValue) {
    const JsonObject& object = AsObjectOrRaise(AValue);
    ReadTextField(object, "name", FName);
    ReadTextField(object, "directory", FDirectory);
    ReadIntegerField(object, "fileSizeKb", kDefaultFileSizeKb, FFileSizeKb);
    ReadIntegerField(object, "retentionDays", kDefaultRetentionDays, FRetentionDays);
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
    object->Reserve(7);
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
    ReadTextField(object, "name", FName);
    ReadTextField(object, "server", FServer);
    ReadPortField(object, "port", kDefaultElasticPort, FPort);
    ReadTextField(object, "indexField", FIndexField);
    ReadTrueFlagField(object, "putMapping", FPutMapping);
    ReadTrueFlagField(object, "fieldsOnly", FFieldsOnly);
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
    CheckListIndex(FList, AIndex);
    return *FList[static_cast<size_t>(AIndex)];
}

void TSinkConfigList::SetSinkConfig(int32_t AIndex, std::unique_ptr<TBaseSinkConfig> AValue) {
    CheckListIndex(FList, AIndex);
    CheckListRecord(AValue);
    FList[static_cast<size_t>(AIndex)] = std::move(AValue);
}

void TSinkConfigList::Add(std::unique_ptr<TBaseSinkConfig> AValue) {
    CheckListRecord(AValue);
    FList.push_back(std::move(AValue));
}

void TSinkConfigList::Delete(int32_t AIndex) {
    CheckListIndex(FList, AIndex);
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
