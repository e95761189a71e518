#include "ui/kit/GridTableView.h"

#include <QEvent>
#include <QHeaderView>

TGridTableView::TGridTableView(QWidget* AParent)
    : QTableView(AParent), FDataController(new TGridDataController(*this)) {
    setEditTriggers(NoEditTriggers);
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setSortingEnabled(false);
    setWordWrap(false);
    // Tab leaves the grid like any other control; the arrow keys move between rows.
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    // Every row as high as the font needs, without measuring each row: large lists stay fast.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    FitRowHeightToFont();
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void TGridTableView::SetColumns(const QList<TGridColumn>& AColumns) {
    FDataController->SetColumns(AColumns);
    for (int column = 0; column < AColumns.size(); ++column)
        setColumnWidth(column, AColumns.at(column).Width);
}

void TGridTableView::BeginUpdate() {
    if (FUpdateDepth++ == 0)
        setUpdatesEnabled(false);
}

void TGridTableView::EndUpdate() {
    if (FUpdateDepth == 0 || --FUpdateDepth > 0)
        return;
    setUpdatesEnabled(true);
}

void TGridTableView::changeEvent(QEvent* AEvent) {
    QTableView::changeEvent(AEvent);
    if (AEvent->type() == QEvent::FontChange)
        FitRowHeightToFont();
}

void TGridTableView::currentChanged(const QModelIndex& ACurrent, const QModelIndex& APrevious) {
    QTableView::currentChanged(ACurrent, APrevious);
    // The focused record is always the highlighted one, also when the view focuses its first row
    // by itself on receiving the keyboard focus.
    if (ACurrent.isValid() && !selectionModel()->isRowSelected(ACurrent.row(), ACurrent.parent()))
        selectionModel()->select(ACurrent,
                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

QItemSelectionModel::SelectionFlags TGridTableView::selectionCommand(const QModelIndex& AIndex,
                                                                     const QEvent* AEvent) const {
    const QItemSelectionModel::SelectionFlags command =
        QTableView::selectionCommand(AIndex, AEvent);
    // Ctrl+click and Ctrl+Space would deselect the focused row and leave the commands acting on a
    // row that is not highlighted: the focused row stays selected instead.
    if (command.testAnyFlags(QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
    return command;
}

void TGridTableView::FitRowHeightToFont() {
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
}
