#include "ui/kit/Glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace {

// Draws one picture into a 16 x 16 design grid at the usual sizes.
QIcon DrawIcon(const std::function<void(QPainter&)>& ADraw) {
    QIcon icon;
    for (const int size : {16, 24, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 16.0, size / 16.0);
        ADraw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

QIcon CheckMarkIcon() {
    return DrawIcon([](QPainter& APainter) {
        QPainterPath tick;
        tick.moveTo(2.5, 8.5);
        tick.lineTo(6.5, 12.5);
        tick.lineTo(13.5, 3.5);
        APainter.setPen(
            QPen(QColor(0x1e, 0x7b, 0x1e), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        APainter.drawPath(tick);
        APainter.setPen(
            QPen(QColor(0x3c, 0xc8, 0x3c), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        APainter.drawPath(tick);
    });
}

QIcon CrossIcon() {
    return DrawIcon([](QPainter& APainter) {
        QPainterPath cross;
        cross.moveTo(3.5, 3.5);
        cross.lineTo(12.5, 12.5);
        cross.moveTo(12.5, 3.5);
        cross.lineTo(3.5, 12.5);
        APainter.setPen(QPen(QColor(0xa8, 0x14, 0x14), 3.2, Qt::SolidLine, Qt::RoundCap));
        APainter.drawPath(cross);
        APainter.setPen(QPen(QColor(0xe8, 0x3c, 0x3c), 1.6, Qt::SolidLine, Qt::RoundCap));
        APainter.drawPath(cross);
    });
}

QIcon FolderIcon() {
    return DrawIcon([](QPainter& APainter) {
        const QColor edge(0x9a, 0x6a, 0x10);
        APainter.setPen(QPen(edge, 1.0));
        // The tab, then the body in front of it.
        QPainterPath tab;
        tab.moveTo(1.5, 4.5);
        tab.lineTo(1.5, 2.5);
        tab.lineTo(6.0, 2.5);
        tab.lineTo(7.5, 4.0);
        tab.lineTo(14.5, 4.0);
        tab.lineTo(14.5, 6.0);
        APainter.setBrush(QColor(0xe0, 0xb0, 0x40));
        APainter.drawPath(tab);
        APainter.setBrush(QColor(0xf6, 0xd0, 0x60));
        APainter.drawRoundedRect(QRectF(1.5, 5.5, 13.0, 8.5), 1.0, 1.0);
    });
}
