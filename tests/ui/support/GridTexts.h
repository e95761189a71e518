#pragma once

// What a grid shows, as text a test can compare.

#include <QStringList>

class QAbstractItemModel;

// The texts of the model's cells, row by row, columns separated by "|".
QStringList RowTexts(const QAbstractItemModel& AModel);
