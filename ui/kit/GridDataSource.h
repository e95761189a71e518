#pragma once

// The rows of a grid read from program data instead of a database. A derived class owns the data
// and answers two questions: how many records there are, and what one cell of a record holds. The
// grid's data controller (TGridDataController) asks them; after the data changed the data source
// says so with DataChanged, and the grid asks again.

#include <QVariant>
#include <cstdint>

class TGridDataController;

class TGridDataSource {
public:
    virtual ~TGridDataSource();
    TGridDataSource(const TGridDataSource&) = delete;
    TGridDataSource& operator=(const TGridDataSource&) = delete;

    virtual int32_t GetRecordCount() const = 0;
    // The value of the cell of record ARecordIndex in column AColumn (both counted from 0); a
    // null QVariant for an empty cell. A number is shown in plain decimal.
    virtual QVariant GetValue(int32_t ARecordIndex, int32_t AColumn) const = 0;
    // Removes one record from the data, then calls DataChanged.
    virtual void DeleteRecord(int32_t ARecordIndex) = 0;

    // Tells the attached grid that records were added, changed or removed, so that it reads the
    // record count and the values again. Does nothing while no grid is attached.
    void DataChanged();

    // The controller this data source is attached to, or null.
    TGridDataController* DataController() const noexcept { return FDataController; }

protected:
    TGridDataSource() = default;

private:
    friend class TGridDataController;
    TGridDataController* FDataController = nullptr;
};
