#include "ui/MainWindowIcons.h"

#include "ui/kit/PaintedIcon.h"

#include <QPainter>
#include <QPainterPath>

// Each drawing uses the 16 x 16 grid of PaintedIcon.

QIcon ServerConfigIcon() {
    // Two stacked server units with their status lights.
    return PaintedIcon([](QPainter& APainter) {
        APainter.setPen(QPen(QColor(0x33, 0x41, 0x50), 1.0));
        for (const qreal top : {1.5, 8.5}) {
            APainter.setBrush(QColor(0x6b, 0x7f, 0x94));
            APainter.drawRoundedRect(QRectF(1.5, top, 13.0, 6.0), 1.5, 1.5);
            APainter.setBrush(QColor(0x4c, 0xd1, 0x37));
            APainter.drawEllipse(QPointF(4.5, top + 3.0), 1.2, 1.2);
            APainter.drawLine(QPointF(8.0, top + 3.0), QPointF(12.5, top + 3.0));
        }
    });
}

QIcon ListenersIcon() {
    // An antenna sending out its waves: the ports the service listens on.
    return PaintedIcon([](QPainter& APainter) {
        const QColor green(0x22, 0x8b, 0x52);
        APainter.setPen(QPen(green, 1.6, Qt::SolidLine, Qt::RoundCap));
        APainter.setBrush(Qt::NoBrush);
        for (const qreal radius : {3.5, 6.5})
            APainter.drawArc(QRectF(8.0 - radius, 7.0 - radius, 2 * radius, 2 * radius), 35 * 16,
                             110 * 16);
        APainter.drawLine(QPointF(8.0, 7.0), QPointF(8.0, 14.5));
        APainter.drawLine(QPointF(5.0, 14.5), QPointF(11.0, 14.5));
        APainter.setBrush(green);
        APainter.drawEllipse(QPointF(8.0, 7.0), 1.5, 1.5);
    });
}

QIcon SinksIcon() {
    // A store where the messages end up.
    return PaintedIcon([](QPainter& APainter) {
        const QColor fill(0xe0, 0x94, 0x2e);
        const QPen outline(QColor(0x8a, 0x55, 0x12), 1.0);
        QPainterPath body;
        body.moveTo(2.0, 4.0);
        body.lineTo(2.0, 12.5);
        body.arcTo(QRectF(2.0, 10.5, 12.0, 4.0), 180, 180);
        body.lineTo(14.0, 4.0);
        body.closeSubpath();
        APainter.setPen(outline);
        APainter.setBrush(fill);
        APainter.drawPath(body);
        APainter.setBrush(fill.lighter(125));
        APainter.drawEllipse(QRectF(2.0, 2.0, 12.0, 4.0));
        APainter.setBrush(Qt::NoBrush);
        APainter.drawArc(QRectF(2.0, 6.3, 12.0, 4.0), 180 * 16, 180 * 16);
    });
}

QIcon SaveIcon() {
    // A diskette.
    return PaintedIcon([](QPainter& APainter) {
        APainter.setPen(QPen(QColor(0x1f, 0x3f, 0x73), 1.0));
        APainter.setBrush(QColor(0x3a, 0x6e, 0xc2));
        APainter.drawRoundedRect(QRectF(1.5, 1.5, 13.0, 13.0), 1.5, 1.5);
        APainter.setPen(Qt::NoPen);
        APainter.setBrush(QColor(0xdd, 0xe5, 0xf0));
        APainter.drawRect(QRectF(4.0, 2.0, 7.5, 4.5));
        APainter.setBrush(QColor(0x3a, 0x6e, 0xc2));
        APainter.drawRect(QRectF(9.0, 2.8, 1.6, 3.0));
        APainter.setBrush(Qt::white);
        APainter.drawRect(QRectF(3.5, 8.5, 9.0, 6.0));
        APainter.setPen(QPen(QColor(0xa0, 0xaa, 0xb8), 0.8));
        APainter.drawLine(QPointF(5.0, 10.5), QPointF(11.0, 10.5));
        APainter.drawLine(QPointF(5.0, 12.5), QPointF(11.0, 12.5));
    });
}

QIcon ExitIcon() {
    // A door with an arrow leaving through it.
    return PaintedIcon([](QPainter& APainter) {
        APainter.setPen(QPen(QColor(0x55, 0x55, 0x55), 1.0));
        APainter.setBrush(QColor(0xf2, 0xf2, 0xf2));
        APainter.drawRect(QRectF(1.5, 1.5, 8.0, 13.0));
        APainter.setBrush(QColor(0xb0, 0x7a, 0x45));
        QPainterPath door;
        door.moveTo(1.5, 1.5);
        door.lineTo(6.5, 3.0);
        door.lineTo(6.5, 15.5);
        door.lineTo(1.5, 14.5);
        door.closeSubpath();
        APainter.drawPath(door);
        const QColor red(0xc6, 0x28, 0x28);
        APainter.setPen(QPen(red, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        APainter.drawLine(QPointF(8.0, 8.0), QPointF(14.0, 8.0));
        APainter.drawLine(QPointF(11.5, 5.5), QPointF(14.0, 8.0));
        APainter.drawLine(QPointF(11.5, 10.5), QPointF(14.0, 8.0));
    });
}
