#pragma once

// Checks of where a control stands in a dialog's group box and what it shows.

#include <QRect>
#include <QString>

class QGroupBox;
class QWidget;

// AControl lies inside AGroup at AGeometry's top-left corner. A label shows ACaption and is wide
// enough for it (its size is its own); any other control has AGeometry's size. Records a test
// failure otherwise.
void VerifyControlPlacement(const QGroupBox& AGroup, const QWidget* AControl,
                            const QRect& AGeometry, const QString& ACaption);
