#include "ui/kit/GridDataController.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <algorithm>

namespace {

bool IsNumber(const QVariant& AValue) {
    switch (AValue.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

} // namespace

TGridDataController::TGridDataController(QAbstractItemView& AView)
    : QAbstractTableModel(&AView), FView(AView) {
    FView.setModel(this);
}

TGridDataController::~TGridDataController() {
    if (FCustomDataSource)
        FCustomDataSource->FDataController = nullptr;
}

void TGridDataController::SetColumns(const QList<TGridColumn>& AColumns) {
    const TGridFullUpdate update(*this);
    FColumns = AColumns;
}

void TGridDataController::SetCustomDataSource(std::unique_ptr<TGridDataSource> ADataSource) {
    const TGridFullUpdate update(*this);
    // The old one is released when this function returns, after the grid has let go of it.
    std::unique_ptr<TGridDataSource> previous = DetachCustomDataSource();
    FCustomDataSource = std::move(ADataSource);
    if (FCustomDataSource)
        FCustomDataSource->FDataController = this;
}

std::unique_ptr<TGridDataSource> TGridDataController::DetachCustomDataSource() {
    if (!FCustomDataSource)
        return nullptr;
    const TGridFullUpdate update(*this);
    FCustomDataSource->FDataController = nullptr;
    return std::move(FCustomDataSource);
}

void TGridDataController::BeginFullUpdate() {
    if (FFullUpdateDepth++ == 0) {
        FFocusedBeforeUpdate = FocusedRecordIndex();
        beginResetModel();
    }
}

void TGridDataController::EndFullUpdate() {
    if (FFullUpdateDepth == 0 || --FFullUpdateDepth > 0)
        return;
    endResetModel();
    if (FFocusedBeforeUpdate >= 0 && rowCount() > 0)
        SetFocusedRecordIndex(std::min(FFocusedBeforeUpdate, rowCount() - 1));
}

int32_t TGridDataController::FocusedRecordIndex() const {
    const QModelIndex current = FView.currentIndex();
    return current.isValid() && current.model() == this ? current.row() : -1;
}

void TGridDataController::SetFocusedRecordIndex(int32_t AIndex) {
    QItemSelectionModel* selection = FView.selectionModel();
    if (selection == nullptr)
        return;
    if (AIndex < 0 || AIndex >= rowCount() || columnCount() == 0) {
        selection->clear();
        return;
    }
    selection->setCurrentIndex(index(AIndex, 0),
                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void TGridDataController::DataSourceChanged() {
    // Inside a full update the outermost end reads everything again anyway.
    if (InFullUpdate())
        return;
    const TGridFullUpdate update(*this);
}

int TGridDataController::rowCount(const QModelIndex& AParent) const {
    if (AParent.isValid() || !FCustomDataSource)
        return 0;
    return std::max<int32_t>(FCustomDataSource->GetRecordCount(), 0);
}

int TGridDataController::columnCount(const QModelIndex& AParent) const {
    return AParent.isValid() ? 0 : static_cast<int>(FColumns.size());
}

QVariant TGridDataController::data(const QModelIndex& AIndex, int ARole) const {
    if (!AIndex.isValid() || !FCustomDataSource)
        return {};
    if (ARole != Qt::DisplayRole && ARole != Qt::TextAlignmentRole)
        return {};
    // A row the data no longer has (it shrank and has not yet said so) shows empty until the
    // grid reads the data again.
    if (AIndex.row() >= FCustomDataSource->GetRecordCount())
        return {};
    const QVariant value = FCustomDataSource->GetValue(AIndex.row(), AIndex.column());
    if (ARole == Qt::TextAlignmentRole)
        return IsNumber(value) ? QVariant(int(Qt::AlignRight | Qt::AlignVCenter)) : QVariant();
    // Plain decimal: the item delegate would group the digits by the locale.
    if (IsNumber(value))
        return value.toString();
    return value;
}

QVariant TGridDataController::headerData(int ASection, Qt::Orientation AOrientation,
                                         int ARole) const {
    if (AOrientation == Qt::Horizontal && ARole == Qt::DisplayRole && ASection >= 0 &&
        ASection < FColumns.size())
        return FColumns.at(ASection).Caption;
    return QAbstractTableModel::headerData(ASection, AOrientation, ARole);
}

Qt::ItemFlags TGridDataController::flags(const QModelIndex& AIndex) const {
    // Read-only: selectable, never editable.
    return AIndex.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}
