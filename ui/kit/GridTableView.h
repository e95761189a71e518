#pragma once

// A read-only table view of a grid: rows come from a TGridDataSource through the view's own data
// controller. The whole row is selected, one row at a time; cells cannot be edited and rows cannot
// be inserted or deleted in the view itself. Usable as a promoted QTableView in .ui files.

#include "ui/kit/GridDataController.h"

#include <QList>
#include <QTableView>

class TGridTableView : public QTableView {
    Q_OBJECT

public:
    explicit TGridTableView(QWidget* AParent = nullptr);

    TGridDataController& DataController() const noexcept { return *FDataController; }

    // Declares the columns: captions and widths, in the order of the data source's columns.
    void SetColumns(const QList<TGridColumn>& AColumns);

    // Between BeginUpdate and EndUpdate (TGridViewUpdate pairs them) the view does not repaint.
    void BeginUpdate();
    void EndUpdate();

protected:
    void changeEvent(QEvent* AEvent) override;
    void currentChanged(const QModelIndex& ACurrent, const QModelIndex& APrevious) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& AIndex,
                                                         const QEvent* AEvent) const override;

private:
    void FitRowHeightToFont();

    TGridDataController* FDataController; // a child of this view
    int FUpdateDepth = 0;
};

// BeginUpdate of a view now, EndUpdate when it goes out of scope, also on failure.
class TGridViewUpdate {
public:
    explicit TGridViewUpdate(TGridTableView& AView) : FView(AView) { FView.BeginUpdate(); }
    ~TGridViewUpdate() { FView.EndUpdate(); }
    TGridViewUpdate(const TGridViewUpdate&) = delete;
    TGridViewUpdate& operator=(const TGridViewUpdate&) = delete;

private:
    TGridTableView& FView;
};
