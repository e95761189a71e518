#pragma once

// The data controller of a grid view: a table model that shows the rows of an attached
// TGridDataSource in the columns the view declares. It owns the data source while it is attached,
// brackets changes of the data in full updates, and knows which record is focused in its view.

#include "ui/kit/GridDataSource.h"

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <cstdint>
#include <memory>

class QAbstractItemView;

// One column of a grid: its header caption and its width in pixels.
struct TGridColumn {
    QString Caption;
    int Width = 0;
};

class TGridDataController final : public QAbstractTableModel {
    Q_OBJECT

public:
    // Becomes the model of AView and a child of it.
    explicit TGridDataController(QAbstractItemView& AView);
    ~TGridDataController() override;

    void SetColumns(const QList<TGridColumn>& AColumns);
    const QList<TGridColumn>& Columns() const noexcept { return FColumns; }

    // The attached data source, or null.
    TGridDataSource* CustomDataSource() const noexcept { return FCustomDataSource.get(); }
    // Attaches ADataSource, taking ownership; a data source attached before is released.
    void SetCustomDataSource(std::unique_ptr<TGridDataSource> ADataSource);
    // Detaches the data source and hands it back; the grid is left without rows.
    std::unique_ptr<TGridDataSource> DetachCustomDataSource();

    // Changes of the data are made between BeginFullUpdate and EndFullUpdate (TGridFullUpdate
    // pairs them); the grid reads everything again at the outermost end. The focused record stays
    // focused, or the last one when it is gone.
    void BeginFullUpdate();
    void EndFullUpdate();
    bool InFullUpdate() const noexcept { return FFullUpdateDepth > 0; }

    // The index of the focused record in the data source, or -1 when no record is focused.
    int32_t FocusedRecordIndex() const;
    // Focuses and selects record AIndex; a negative or too large index leaves no record focused.
    void SetFocusedRecordIndex(int32_t AIndex);

    int rowCount(const QModelIndex& AParent = QModelIndex()) const override;
    int columnCount(const QModelIndex& AParent = QModelIndex()) const override;
    QVariant data(const QModelIndex& AIndex, int ARole = Qt::DisplayRole) const override;
    QVariant headerData(int ASection, Qt::Orientation AOrientation,
                        int ARole = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& AIndex) const override;

private:
    friend class TGridDataSource;
    void DataSourceChanged();

    QAbstractItemView& FView;
    QList<TGridColumn> FColumns;
    std::unique_ptr<TGridDataSource> FCustomDataSource;
    int FFullUpdateDepth = 0;
    int32_t FFocusedBeforeUpdate = -1;
};

// Brackets a change of a grid's data: BeginFullUpdate now, EndFullUpdate when it goes out of
// scope, also when the change fails.
class TGridFullUpdate {
public:
    explicit TGridFullUpdate(TGridDataController& AController) : FController(AController) {
        FController.BeginFullUpdate();
    }
    ~TGridFullUpdate() { FController.EndFullUpdate(); }
    TGridFullUpdate(const TGridFullUpdate&) = delete;
    TGridFullUpdate& operator=(const TGridFullUpdate&) = delete;

private:
    TGridDataController& FController;
};
