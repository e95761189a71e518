#include "config/JsonFields.h"
#include "config/ServerConfig.h"
#include "platform/JsonWriter.h"

namespace {

constexpr uint16_t kDefaultPort = 514;
constexpr uint16_t kDefaultTLSPort = 5140;

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
    object->Reserve(4);
    object->AddString("nic", FNIC);
    object->AddNumber("udpPort", FUDPPort);
    object->AddNumber("tcpPort", FTCPPort);
    object->AddNumber("tlsPort", FTLSPort);
    return object;
}

void TListenerConfig::FromJSONObject(const JsonValue& AValue) {
    const JsonObject& object = AsObjectOrRaise(AValue);
    ReadTextField(object, "nic", FNIC);
    ReadListenerPortField(object, "udpPort", kDefaultPort, FUDPPort);
    ReadListenerPortField(object, "tcpPort", kDefaultPort, FTCPPort);
    ReadListenerPortField(object, "tlsPort", kDefaultTLSPort, FTLSPort);
}

std::unique_ptr<TListenerConfig> TListenerConfig::GetFromJSONString(const std::string& AJSONString) {
    auto record = std::make_unique<TListenerConfig>();
    record->SetAsJSONString(AJSONString);
    return record;
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
    CheckListIndex(FList, AIndex);
    return *FList[static_cast<size_t>(AIndex)];
}

void TListenerConfigList::SetListenerConfig(int32_t AIndex, std::unique_ptr<TListenerConfig> AValue) {
    CheckListIndex(FList, AIndex);
    CheckListRecord(AValue);
    FList[static_cast<size_t>(AIndex)] = std::move(AValue);
}

void TListenerConfigList::Add(std::unique_ptr<TListenerConfig> AValue) {
    CheckListRecord(AValue);
    FList.push_back(std::move(AValue));
}

void TListenerConfigList::Delete(int32_t AIndex) {
    CheckListIndex(FList, AIndex);
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
