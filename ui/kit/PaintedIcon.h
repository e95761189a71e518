#pragma once

// An icon drawn by code instead of loaded from image files: sharp at every size and screen
// scale, and nothing to decode at start-up. The drawing function paints on a 16 x 16 design grid,
// which the icon scales to the size asked for; the disabled look is derived by the style as for
// any other icon.

#include <QIcon>
#include <functional>

class QPainter;

using TIconDrawing = std::function<void(QPainter& APainter)>;

QIcon PaintedIcon(TIconDrawing ADrawing);
