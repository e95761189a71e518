#include "support/DialogKeys.h"

#include <QApplication>
#include <QStringList>
#include <QTest>
#include <QWidget>

void TypeOver(QWidget* AEdit, const QString& AText) {
    AEdit->setFocus();
    QTest::keyClick(AEdit, Qt::Key_A, Qt::ControlModifier);
    if (AText.isEmpty())
        QTest::keyClick(AEdit, Qt::Key_Delete);
    else
        QTest::keyClicks(AEdit, AText);
}

QStringList TabSequence(int ACount) {
    QStringList names;
    for (int i = 0; i < ACount; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        names.append(QApplication::focusWidget()->objectName());
    }
    return names;
}
