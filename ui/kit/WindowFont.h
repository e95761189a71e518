#pragma once

// The font of the program's windows and all their controls: Calibri 15 px (a pixel size, which a
// window definition cannot hold). Carlito has the metrics of Calibri, so the layouts hold with
// either; it comes first because looking up a missing Calibri first costs start-up time where
// Carlito is the one installed.

#include <QFont>

// AFont with the family and size of the windows.
QFont WindowFont(QFont AFont);
