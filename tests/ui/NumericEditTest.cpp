#include "ui/kit/NumericEdit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

class NumericEditTest : public QObject {
    Q_OBJECT

private slots:
    void typingKeepsOnlyWholeNumbers_data();
    void typingKeepsOnlyWholeNumbers();
    void leavingClampsOnlyWhenBoundsApply_data();
    void leavingClampsOnlyWhenBoundsApply();
    void valueSetByTheProgramIsShownUnchanged();
    void focusLostToAnotherWindowOrPopupKeepsTheText_data();
    void focusLostToAnotherWindowOrPopupKeepsTheText();
};

void NumericEditTest::typingKeepsOnlyWholeNumbers_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("value");
    QTest::newRow("digits") << "1234"
                            << "1234" << 1234;
    QTest::newRow("letters dropped") << "12ab3"
                                     << "123" << 123;
    QTest::newRow("negative") << "-42"
                              << "-42" << -42;
    QTest::newRow("minus only first") << "4-2"
                                      << "42" << 42;
    QTest::newRow("no fraction") << "3.5"
                                 << "35" << 35;
    QTest::newRow("no grouping") << "1,000"
                                 << "1000" << 1000;
    QTest::newRow("stops at 32 bits") << "99999999999"
                                      << "999999999" << 999999999;
    QTest::newRow("empty counts as 0") << ""
                                       << "" << 0;
    QTest::newRow("lone minus counts as 0") << "-"
                                            << "-" << 0;
}

void NumericEditTest::typingKeepsOnlyWholeNumbers() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, value);
    TNumericEdit edit;
    edit.clear();
    QTest::keyClicks(&edit, typed);
    QCOMPARE(edit.text(), shown);
    QCOMPARE(edit.Value(), value);
}

void NumericEditTest::leavingClampsOnlyWhenBoundsApply_data() {
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shownAfterLeaving");
    QTest::newRow("port below range") << 1 << 65535 << "0"
                                      << "1";
    QTest::newRow("port above range") << 1 << 65535 << "70000"
                                      << "65535";
    QTest::newRow("port in range") << 1 << 65535 << "514"
                                   << "514";
    QTest::newRow("empty port is the lower bound") << 1 << 65535 << ""
                                                   << "1";
    QTest::newRow("equal bounds: no range") << 1 << 1 << "-5"
                                            << "-5";
    QTest::newRow("equal bounds: zero") << 1 << 1 << "0"
                                        << "0";
    QTest::newRow("no bounds: empty is 0") << 0 << 0 << ""
                                           << "0";
    QTest::newRow("no bounds: negative kept") << 0 << 0 << "-7"
                                              << "-7";
}

void NumericEditTest::leavingClampsOnlyWhenBoundsApply() {
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(QString, typed);
    QFETCH(QString, shownAfterLeaving);

    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* edit = new TNumericEdit(&window);
    auto* other = new QLineEdit(&window);
    layout->addWidget(edit);
    layout->addWidget(other);
    edit->SetMinimum(minimum);
    edit->SetMaximum(maximum);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    edit->setFocus();
    edit->clear();
    QTest::keyClicks(edit, typed);
    QTest::keyClick(edit, Qt::Key_Tab);
    QVERIFY(other->hasFocus());
    QCOMPARE(edit->text(), shownAfterLeaving);
    QCOMPARE(edit->Value(), shownAfterLeaving.toInt());
}

void NumericEditTest::valueSetByTheProgramIsShownUnchanged() {
    TNumericEdit edit;
    edit.SetMinimum(1);
    edit.SetMaximum(65535);
    edit.SetValue(0);
    QCOMPARE(edit.text(), QStringLiteral("0"));
    QCOMPARE(edit.Value(), 0);
    edit.SetValue(-2147483647 - 1);
    QCOMPARE(edit.text(), QStringLiteral("-2147483648"));
}

void NumericEditTest::focusLostToAnotherWindowOrPopupKeepsTheText_data() {
    QTest::addColumn<int>("reason");
    QTest::newRow("another window activated") << int(Qt::ActiveWindowFocusReason);
    QTest::newRow("popup menu opened") << int(Qt::PopupFocusReason);
}

// A message box over the dialog or the edit's context menu takes the focus only for a while:
// the number is not yet final, so it is left as typed.
void NumericEditTest::focusLostToAnotherWindowOrPopupKeepsTheText() {
    QFETCH(int, reason);
    TNumericEdit edit;
    edit.SetMinimum(1);
    edit.SetMaximum(65535);
    edit.clear();
    QTest::keyClicks(&edit, QStringLiteral("70000"));
    QFocusEvent focusOut(QEvent::FocusOut, static_cast<Qt::FocusReason>(reason));
    QApplication::sendEvent(&edit, &focusOut);
    QCOMPARE(edit.text(), QStringLiteral("70000"));
    edit.NormalizeText();
    QCOMPARE(edit.text(), QStringLiteral("65535"));
}

QTEST_MAIN(NumericEditTest)
#include "NumericEditTest.moc"
