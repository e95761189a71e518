#pragma once

// The data sources of the main window's two grids. Each owns its own deep copy of a list of the
// configuration document; the grid commands change that copy, and Save copies it back into the
// document. A record is identified by its index in the list.

#include "config/ServerConfig.h"
#include "ui/kit/GridDataController.h"
#include "ui/kit/GridDataSource.h"

#include <QList>
#include <cstdint>
#include <memory>

// The columns of the listener grid, in their order.
enum class TListenerColumn : int32_t {
    colListenersNIC,
    colListenersUDPPort,
    colListenersTCPPort,
    colListenersTLSPort,
};

// The columns of the sink grid, in their order.
enum class TSinkColumn : int32_t {
    colSinkName,
    colSinkType,
    colSinkDetail,
};

class TListenerGridDataSource final : public TGridDataSource {
public:
    // Copies every record of AList, in order.
    explicit TListenerGridDataSource(const TListenerConfigList& AList);
    ~TListenerGridDataSource() override;

    TListenerConfigList& List() const noexcept { return *FList; }

    int32_t GetRecordCount() const override;
    QVariant GetValue(int32_t ARecordIndex, int32_t AColumn) const override;
    void DeleteRecord(int32_t ARecordIndex) override;

    // Captions and widths of the columns, in the order of TListenerColumn.
    static QList<TGridColumn> Columns();

private:
    const std::unique_ptr<TListenerConfigList> FList;
};

class TSinkGridDataSource final : public TGridDataSource {
public:
    // Copies every sink of AList, in order, each as its own kind.
    explicit TSinkGridDataSource(const TSinkConfigList& AList);
    ~TSinkGridDataSource() override;

    TSinkConfigList& List() const noexcept { return *FList; }

    int32_t GetRecordCount() const override;
    QVariant GetValue(int32_t ARecordIndex, int32_t AColumn) const override;
    void DeleteRecord(int32_t ARecordIndex) override;

    // Captions and widths of the columns, in the order of TSinkColumn.
    static QList<TGridColumn> Columns();

private:
    const std::unique_ptr<TSinkConfigList> FList;
};
