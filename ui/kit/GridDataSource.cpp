#include "ui/kit/GridDataSource.h"

#include "ui/kit/GridDataController.h"

TGridDataSource::~TGridDataSource() = default;

void TGridDataSource::DataChanged() {
    if (FDataController != nullptr)
        FDataController->DataSourceChanged();
}
