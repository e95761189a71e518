#include "ui/GridDataSources.h"

#include "platform/Format.h"

#include <QString>

namespace {

QVariant TextValue(const std::string& AText) {
    return QString::fromStdString(AText);
}

} // namespace

// --- TListenerGridDataSource ----------------------------------------------------------------

TListenerGridDataSource::TListenerGridDataSource(const TListenerConfigList& AList)
    : FList(std::make_unique<TListenerConfigList>(AList)) {}

TListenerGridDataSource::~TListenerGridDataSource() = default;

int32_t TListenerGridDataSource::GetRecordCount() const {
    return FList->Count();
}

QVariant TListenerGridDataSource::GetValue(int32_t ARecordIndex, int32_t AColumn) const {
    const TListenerConfig& listener = FList->ListenerConfig(ARecordIndex);
    switch (static_cast<TListenerColumn>(AColumn)) {
    case TListenerColumn::colListenersNIC:
        return TextValue(listener.NIC());
    case TListenerColumn::colListenersUDPPort:
        return QVariant::fromValue<uint>(listener.UDPPort());
    case TListenerColumn::colListenersTCPPort:
        return QVariant::fromValue<uint>(listener.TCPPort());
    case TListenerColumn::colListenersTLSPort:
        return QVariant::fromValue<uint>(listener.TLSPort());
    }
    return {};
}

void TListenerGridDataSource::DeleteRecord(int32_t ARecordIndex) {
    FList->Delete(ARecordIndex);
    DataChanged();
}

QList<TGridColumn> TListenerGridDataSource::Columns() {
    return {
        {QStringLiteral("NIC"), 164},
        {QStringLiteral("UDP Port"), 106},
        {QStringLiteral("TCP Port"), 119},
        {QStringLiteral("TLS Port"), 113},
    };
}

// --- TSinkGridDataSource --------------------------------------------------------------------

TSinkGridDataSource::TSinkGridDataSource(const TSinkConfigList& AList)
    : FList(std::make_unique<TSinkConfigList>(AList)) {}

TSinkGridDataSource::~TSinkGridDataSource() = default;

int32_t TSinkGridDataSource::GetRecordCount() const {
    return FList->Count();
}

QVariant TSinkGridDataSource::GetValue(int32_t ARecordIndex, int32_t AColumn) const {
    const TBaseSinkConfig& sink = FList->SinkConfig(ARecordIndex);
    const auto* fileSink = dynamic_cast<const TFileSinkConfig*>(&sink);
    const auto* elasticSink = dynamic_cast<const TElasticSearchSinkConfig*>(&sink);
    if (fileSink == nullptr && elasticSink == nullptr)
        return {};
    switch (static_cast<TSinkColumn>(AColumn)) {
    case TSinkColumn::colSinkName:
        return TextValue(sink.Name());
    case TSinkColumn::colSinkType:
        return fileSink != nullptr ? QStringLiteral("File") : QStringLiteral("Elastic");
    case TSinkColumn::colSinkDetail:
        if (fileSink != nullptr)
            return TextValue(fileSink->Directory());
        return TextValue(Format("%s:%d", {elasticSink->Server(), elasticSink->Port()}));
    }
    return {};
}

void TSinkGridDataSource::DeleteRecord(int32_t ARecordIndex) {
    FList->Delete(ARecordIndex);
    DataChanged();
}

QList<TGridColumn> TSinkGridDataSource::Columns() {
    return {
        {QStringLiteral("Name"), 138},
        {QStringLiteral("Type"), 148},
        {QStringLiteral("Detail"), 442},
    };
}
