#include "support/ControlPlacement.h"

#include <QGroupBox>
#include <QLabel>
#include <QTest>

void VerifyControlPlacement(const QGroupBox& AGroup, const QWidget* AControl,
                            const QRect& AGeometry, const QString& ACaption) {
    QVERIFY(AControl != nullptr);
    QVERIFY(AGroup.isAncestorOf(AControl));
    QCOMPARE(AControl->mapTo(&AGroup, QPoint()), AGeometry.topLeft());
    if (const auto* label = qobject_cast<const QLabel*>(AControl)) {
        QCOMPARE(label->text(), ACaption);
        QVERIFY(label->width() >= label->sizeHint().width()); // the caption is not cut off
    } else {
        QCOMPARE(AControl->size(), AGeometry.size());
    }
}
