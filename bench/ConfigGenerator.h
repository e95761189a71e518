#pragma once

// Documents of a chosen size for the benchmarks and for bench/gen: AListeners listeners and as
// many sinks, half of them file sinks and half Elasticsearch sinks, with varied values.

#include "config/ServerConfig.h"

#include <cstdint>
#include <memory>
#include <string>

inline void FillGeneratedConfig(TSyslogServerConfig& ADocument, int32_t AListeners) {
    ADocument.SetLogLevel(5);
    ADocument.SetQueueManagerThreads(4);
    ADocument.SetSingleMsgQueue(true);
    ADocument.Listeners().Clear();
    ADocument.Sinks().Clear();
    for (int32_t i = 0; i < AListeners; ++i) {
        auto listener = std::make_unique<TListenerConfig>();
        listener->SetNIC("10." + std::to_string((i >> 16) & 0xFF) + "." +
                         std::to_string((i >> 8) & 0xFF) + "." + std::to_string(i & 0xFF));
        listener->SetUDPPort(static_cast<uint16_t>(514 + i % 1000));
        listener->SetTCPPort(static_cast<uint16_t>(1514 + i % 1000));
        listener->SetTLSPort(static_cast<uint16_t>(6514 + i % 1000));
        ADocument.Listeners().Add(std::move(listener));
    }
    for (int32_t i = 0; i < AListeners; ++i) {
        if (i % 2 == 0) {
            auto sink = std::make_unique<TFileSinkConfig>();
            sink->SetName("Files " + std::to_string(i));
            sink->SetDirectory("/var/log/syslog/site-" + std::to_string(i));
            sink->SetFileSizeKb(1024 * (1 + i % 64));
            sink->SetRetentionDays(1 + i % 90);
            ADocument.Sinks().Add(std::move(sink));
        } else {
            auto sink = std::make_unique<TElasticSearchSinkConfig>();
            sink->SetName("Search " + std::to_string(i));
            sink->SetServer("search-" + std::to_string(i % 100) + ".example.net");
            sink->SetPort(static_cast<uint16_t>(9200 + i % 10));
            sink->SetIndexField(i % 3 == 0 ? "DATE" : "HOST");
            sink->SetPutMapping(i % 4 == 1);
            sink->SetFieldsOnly(i % 8 == 3);
            ADocument.Sinks().Add(std::move(sink));
        }
    }
}
