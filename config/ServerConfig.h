#pragma once

// The collector's configuration: listener and sink records, their owning lists, and the
// document that reads and writes svcConfig.json.

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

class JsonValue;
class JsonObject;
class JsonArray;

// One listener: the network interface's address and a UDP, a TCP and a TLS port.
class TListenerConfig {
public:
    TListenerConfig();
    TListenerConfig(const TListenerConfig& AListenerConfig);
    TListenerConfig& operator=(const TListenerConfig&) = delete;

    const std::string& NIC() const noexcept { return FNIC; }
    void SetNIC(const std::string& AValue) { FNIC = AValue; }
    uint16_t UDPPort() const noexcept { return FUDPPort; }
    void SetUDPPort(uint16_t AValue) noexcept { FUDPPort = AValue; }
    uint16_t TCPPort() const noexcept { return FTCPPort; }
    void SetTCPPort(uint16_t AValue) noexcept { FTCPPort = AValue; }
    uint16_t TLSPort() const noexcept { return FTLSPort; }
    void SetTLSPort(uint16_t AValue) noexcept { FTLSPort = AValue; }

    std::string AsJSONString() const;
    void SetAsJSONString(const std::string& AValue);

    std::unique_ptr<JsonObject> ToJSONObject() const;
    void FromJSONObject(const JsonValue& AValue);

    static std::unique_ptr<TListenerConfig> GetFromJSONString(const std::string& AJSONString);

private:
    std::string FNIC;
    uint16_t FUDPPort;
    uint16_t FTCPPort;
    uint16_t FTLSPort;
};

// Abstract base of the sink records.
class TBaseSinkConfig {
public:
    virtual ~TBaseSinkConfig() = default;
    TBaseSinkConfig& operator=(const TBaseSinkConfig&) = delete;

    const std::string& Name() const noexcept { return FName; }
    void SetName(const std::string& AValue) { FName = AValue; }

    std::string AsJSONString() const;
    void SetAsJSONString(const std::string& AValue);

    virtual std::unique_ptr<JsonObject> ToJSONObject() const = 0;
    virtual void FromJSONObject(const JsonValue& AValue) = 0;

protected:
    TBaseSinkConfig() = default;
    TBaseSinkConfig(const TBaseSinkConfig&) = default;

    std::string FName;
};

// Log files in a folder, with a size limit and a retention period (sink type "fs").
class TFileSinkConfig final : public TBaseSinkConfig {
public:
    TFileSinkConfig();
    TFileSinkConfig(const TFileSinkConfig& AFileSinkConfig);

    const std::string& Directory() const noexcept { return FDirectory; }
    void SetDirectory(const std::string& AValue) { FDirectory = AValue; }
    int32_t FileSizeKb() const noexcept { return FFileSizeKb; }
    void SetFileSizeKb(int32_t AValue) noexcept { FFileSizeKb = AValue; }
    int32_t RetentionDays() const noexcept { return FRetentionDays; }
    void SetRetentionDays(int32_t AValue) noexcept { FRetentionDays = AValue; }

    std::unique_ptr<JsonObject> ToJSONObject() const override;
    void FromJSONObject(const JsonValue& AValue) override;

private:
    std::string FDirectory;
    int32_t FFileSizeKb;
    int32_t FRetentionDays;
};

// An Elasticsearch server (sink type "es"); read from the file, kept and written back.
class TElasticSearchSinkConfig final : public TBaseSinkConfig {
public:
    TElasticSearchSinkConfig();
    TElasticSearchSinkConfig(const TElasticSearchSinkConfig& AConfig);

    const std::string& Server() const noexcept { return FServer; }
    void SetServer(const std::string& AValue) { FServer = AValue; }
    uint16_t Port() const noexcept { return FPort; }
    void SetPort(uint16_t AValue) noexcept { FPort = AValue; }
    const std::string& IndexField() const noexcept { return FIndexField; }
    void SetIndexField(const std::string& AValue) { FIndexField = AValue; }
    bool PutMapping() const noexcept { return FPutMapping; }
    void SetPutMapping(bool AValue) noexcept { FPutMapping = AValue; }
    bool FieldsOnly() const noexcept { return FFieldsOnly; }
    void SetFieldsOnly(bool AValue) noexcept { FFieldsOnly = AValue; }

    std::unique_ptr<JsonObject> ToJSONObject() const override;
    void FromJSONObject(const JsonValue& AValue) override;

private:
    std::string FServer;
    uint16_t FPort;
    std::string FIndexField;
    bool FPutMapping;
    bool FFieldsOnly;
};

// An ordered list that owns its listeners.
class TListenerConfigList {
public:
    TListenerConfigList() = default;
    // Deep copy; a null source gives an empty list.
    explicit TListenerConfigList(const TListenerConfigList* AListenerConfigList);
    TListenerConfigList(const TListenerConfigList& AListenerConfigList);
    TListenerConfigList& operator=(const TListenerConfigList&) = delete;

    int32_t Count() const noexcept;
    TListenerConfig& ListenerConfig(int32_t AIndex) const;
    void SetListenerConfig(int32_t AIndex, std::unique_ptr<TListenerConfig> AValue);
    void Add(std::unique_ptr<TListenerConfig> AValue);
    void Delete(int32_t AIndex);
    void Clear() noexcept;

    std::unique_ptr<JsonArray> ToJSONArray() const;
    void FromJSONArray(const JsonValue& AValue);
    std::string AsJSONArrayString() const;
    void SetAsJSONArrayString(const std::string& AValue);

    static std::unique_ptr<TListenerConfigList> GetFromJSONArrayString(const std::string& AJSONString);

private:
    std::vector<std::unique_ptr<TListenerConfig>> FList;
};

// An ordered list that owns its sinks, file and Elasticsearch sinks mixed.
class TSinkConfigList {
public:
    TSinkConfigList() = default;
    TSinkConfigList(const TSinkConfigList& ASinkConfigList);
    TSinkConfigList& operator=(const TSinkConfigList&) = delete;

    int32_t Count() const noexcept;
    TBaseSinkConfig& SinkConfig(int32_t AIndex) const;
    void SetSinkConfig(int32_t AIndex, std::unique_ptr<TBaseSinkConfig> AValue);
    void Add(std::unique_ptr<TBaseSinkConfig> AValue);
    void Delete(int32_t AIndex);
    void Clear() noexcept;

    std::unique_ptr<JsonArray> ToJSONArray() const;
    void FromJSONArray(const JsonValue& AValue);
    std::string AsJSONArrayString() const;
    void SetAsJSONArrayString(const std::string& AValue);

private:
    std::vector<std::unique_ptr<TBaseSinkConfig>> FList;
};

// The configuration document: the service's three settings and its listener and sink lists.
class TSyslogServerConfig {
public:
    explicit TSyslogServerConfig(const std::string& AConfigFile);
    ~TSyslogServerConfig();
    TSyslogServerConfig(const TSyslogServerConfig&) = delete;
    TSyslogServerConfig& operator=(const TSyslogServerConfig&) = delete;

    int32_t LogLevel() const noexcept { return FLogLevel; }
    void SetLogLevel(int32_t AValue) noexcept { FLogLevel = AValue; }
    int32_t QueueManagerThreads() const noexcept { return FQueueManagerThreads; }
    void SetQueueManagerThreads(int32_t AValue) noexcept { FQueueManagerThreads = AValue; }
    bool SingleMsgQueue() const noexcept { return FSingleMsgQueue; }
    void SetSingleMsgQueue(bool AValue) noexcept { FSingleMsgQueue = AValue; }
    TListenerConfigList& Listeners() const noexcept { return *FListeners; }
    TSinkConfigList& Sinks() const noexcept { return *FSinks; }

    void Load();
    void Save() const;
    void LoadFromStream(std::istream& AStream);
    void SaveToStream(std::ostream& AStream) const;

    std::unique_ptr<JsonObject> ToJSONObject() const;
    void FromJSONObject(const JsonValue& AValue);

private:
    std::string ToJSONString() const;
    void FromJSONString(const std::string& AText);

    int32_t FLogLevel;
    int32_t FQueueManagerThreads;
    bool FSingleMsgQueue;
    // Declared sinks first so that they are created first and, by hand, freed first.
    std::unique_ptr<TSinkConfigList> FSinks;
    std::unique_ptr<TListenerConfigList> FListeners;
};

// Full path of the configuration file; every document constructor replaces it.
extern std::string ConfigFile;
// The one document of the process, created by the main window.
extern std::unique_ptr<TSyslogServerConfig> SyslogServerConfig;
