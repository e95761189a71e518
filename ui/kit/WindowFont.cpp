#include "ui/kit/WindowFont.h"

#include <QStringList>

QFont WindowFont(QFont AFont) {
    AFont.setFamilies({QStringLiteral("Carlito"), QStringLiteral("Calibri")});
    AFont.setPixelSize(15);
    return AFont;
}
