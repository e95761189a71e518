#include "ui/BaseModalForm.h"

#include "ui/kit/ModalDialog.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// A concrete dialog with two fields whose validation the test decides and counts.
class TTestModalForm final : public TfmBaseModalForm {
public:
    explicit TTestModalForm(QWidget* AOwner = nullptr) : TfmBaseModalForm(AOwner) {
        FFirst = new QLineEdit(gbModal());
        FFirst->setObjectName(QStringLiteral("ebFirst"));
        FFirst->setGeometry(8, 24, 100, 26);
        FSecond = new QLineEdit(gbModal());
        FSecond->setObjectName(QStringLiteral("ebSecond"));
        FSecond->setGeometry(120, 24, 100, 26);
        setWindowTitle(QStringLiteral("Test"));
        SetClientSize(300, 120);
        PlaceButtonsAfter(FSecond);
    }

    QLineEdit* First() const { return FFirst; }
    QLineEdit* Second() const { return FSecond; }
    int LanguageID() const { return FLanguageID; }

    bool Accept = true;
    int Validations = 0;

protected:
    bool ValidateInput() override {
        ++Validations;
        return Accept;
    }

private:
    QLineEdit* FFirst;
    QLineEdit* FSecond;
};

QPushButton* Button(const QWidget& AForm, const char* AName) {
    return AForm.findChild<QPushButton*>(QString::fromLatin1(AName));
}

} // namespace

class BaseModalFormTest : public QObject {
    Q_OBJECT

private slots:
    void enterFromAnyFieldIsOk_data();
    void enterFromAnyFieldIsOk();
    void refusedOkKeepsTheDialogOpenAsTyped();
    void cancelEndsWithoutValidation_data();
    void cancelEndsWithoutValidation();
    void accessKeyOfOk();
    void fieldsComeBeforeTheButtonsInTabOrder();
    void keysOfAnotherWindowAreNotTheDialogs();
    void frameIsFixedWithCloseBoxOnly();
    void realModalLoopReturnsTheResult();
    void driverThatLeavesTheDialogOpenGetsCancel();
    void centredOverTheMainWindowWithoutOwner();

private:
    static void Show(TTestModalForm& AForm);
};

void BaseModalFormTest::Show(TTestModalForm& AForm) {
    AForm.show();
    QVERIFY(QTest::qWaitForWindowActive(&AForm));
}

void BaseModalFormTest::enterFromAnyFieldIsOk_data() {
    QTest::addColumn<QString>("focused");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Enter in the first field")
        << "ebFirst" << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("Shift+Enter") << "ebSecond" << int(Qt::Key_Return) << int(Qt::ShiftModifier);
    QTest::newRow("Ctrl+Enter") << "ebSecond" << int(Qt::Key_Return) << int(Qt::ControlModifier);
    QTest::newRow("keypad Enter") << "ebFirst" << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    QTest::newRow("Enter on OK") << "btnOK" << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("Enter on Cancel is still OK")
        << "btnCancel" << int(Qt::Key_Return) << int(Qt::NoModifier);
}

void BaseModalFormTest::enterFromAnyFieldIsOk() {
    QFETCH(QString, focused);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    TTestModalForm form;
    Show(form);
    auto* target = form.findChild<QWidget*>(focused);
    QVERIFY(target != nullptr);
    target->setFocus();
    QTest::keyClick(target, static_cast<Qt::Key>(key),
                    static_cast<Qt::KeyboardModifiers>(modifiers));
    QCOMPARE(form.Validations, 1);
    QCOMPARE(form.result(), mrOk);
    QVERIFY(!form.isVisible());
    QCOMPARE(form.LanguageID(), 0);
}

void BaseModalFormTest::refusedOkKeepsTheDialogOpenAsTyped() {
    TTestModalForm form;
    form.Accept = false;
    Show(form);
    form.First()->setFocus();
    QTest::keyClicks(form.First(), QStringLiteral("typed"));
    QTest::keyClick(form.First(), Qt::Key_Return);
    QCOMPARE(form.Validations, 1);
    QVERIFY(form.First()->hasFocus());
    QTest::mouseClick(Button(form, "btnOK"), Qt::LeftButton);
    QCOMPARE(form.Validations, 2);
    QVERIFY(form.isVisible());
    QCOMPARE(form.result(), mrNone);
    QCOMPARE(form.First()->text(), QStringLiteral("typed"));

    form.Accept = true;
    QTest::mouseClick(Button(form, "btnOK"), Qt::LeftButton);
    QCOMPARE(form.Validations, 3);
    QCOMPARE(form.result(), mrOk);
    QVERIFY(!form.isVisible());
}

void BaseModalFormTest::cancelEndsWithoutValidation_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Escape") << "Escape";
    QTest::newRow("Shift+Escape") << "Shift+Escape";
    QTest::newRow("Cancel clicked") << "click";
    QTest::newRow("Alt+C") << "Alt+C";
    QTest::newRow("close box") << "close";
}

void BaseModalFormTest::cancelEndsWithoutValidation() {
    QFETCH(QString, how);
    TTestModalForm form;
    Show(form);
    form.Second()->setFocus();
    if (how == QLatin1String("Escape"))
        QTest::keyClick(form.Second(), Qt::Key_Escape);
    else if (how == QLatin1String("Shift+Escape"))
        QTest::keyClick(form.Second(), Qt::Key_Escape, Qt::ShiftModifier);
    else if (how == QLatin1String("click"))
        QTest::mouseClick(Button(form, "btnCancel"), Qt::LeftButton);
    else if (how == QLatin1String("Alt+C"))
        QTest::keyClick(&form, Qt::Key_C, Qt::AltModifier);
    else
        QVERIFY(form.close());
    // An access key presses its button with a short visible delay.
    QTRY_COMPARE(form.result(), mrCancel);
    QCOMPARE(form.Validations, 0);
    QVERIFY(!form.isVisible());
}

void BaseModalFormTest::accessKeyOfOk() {
    TTestModalForm form;
    Show(form);
    form.First()->setFocus();
    QTest::keyClick(&form, Qt::Key_O, Qt::AltModifier);
    QTRY_COMPARE(form.result(), mrOk);
    QCOMPARE(form.Validations, 1);
}

void BaseModalFormTest::fieldsComeBeforeTheButtonsInTabOrder() {
    TTestModalForm form;
    Show(form);
    QCOMPARE(QApplication::focusWidget(), form.First());
    const QStringList expected{QStringLiteral("ebSecond"), QStringLiteral("btnOK"),
                               QStringLiteral("btnCancel"), QStringLiteral("ebFirst")};
    for (const QString& name : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), name);
    }
}

void BaseModalFormTest::keysOfAnotherWindowAreNotTheDialogs() {
    TTestModalForm form;
    Show(form);
    QLineEdit other;
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    QTest::keyClick(&other, Qt::Key_Return);
    QTest::keyClick(&other, Qt::Key_Escape);
    QVERIFY(form.isVisible());
    QCOMPARE(form.Validations, 0);
    QCOMPARE(form.result(), mrNone);
}

void BaseModalFormTest::frameIsFixedWithCloseBoxOnly() {
    TTestModalForm form;
    Show(form);
    QCOMPARE(form.size(), QSize(300, 120));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    const Qt::WindowFlags flags = form.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(form.isModal());

    // The button strip: 27 px at the bottom, OK and Cancel in a 230 px panel at its right end.
    const auto* strip = form.findChild<QWidget*>(QStringLiteral("pnBottom"));
    const auto* buttons = form.findChild<QWidget*>(QStringLiteral("pnOKCancel"));
    QCOMPARE(strip->geometry(), QRect(0, 93, 300, 27));
    QCOMPARE(buttons->geometry(), QRect(70, 0, 230, 27));
    QCOMPARE(Button(form, "btnOK")->geometry().topLeft(), QPoint(6, 2));
    QCOMPARE(Button(form, "btnOK")->width(), 107);
    QCOMPARE(Button(form, "btnCancel")->geometry().topLeft(), QPoint(119, 2));
    QCOMPARE(Button(form, "btnCancel")->width(), 107);
    QVERIFY(!Button(form, "btnOK")->isDefault() && !Button(form, "btnOK")->autoDefault());
    QVERIFY(!Button(form, "btnCancel")->isDefault() && !Button(form, "btnCancel")->autoDefault());
    QCOMPARE(form.findChild<QGroupBox*>(QStringLiteral("gbModal"))->geometry(),
             QRect(0, 0, 300, 93));
}

void BaseModalFormTest::realModalLoopReturnsTheResult() {
    TTestModalForm form;
    bool seen = false;
    QTimer::singleShot(0, this, [&] {
        seen = QApplication::activeModalWidget() == &form;
        QTest::keyClick(form.First(), Qt::Key_Escape);
    });
    QCOMPARE(ShowModal(form), mrCancel);
    QVERIFY(seen);
}

void BaseModalFormTest::driverThatLeavesTheDialogOpenGetsCancel() {
    const TModalDialogDriver previous = SetModalDialogDriver([](QDialog& ADialog) {
        QVERIFY(ADialog.isVisible());
        QVERIFY(ADialog.isModal());
    });
    TTestModalForm form;
    const int result = ShowModal(form);
    SetModalDialogDriver(previous);
    QCOMPARE(result, mrCancel);
    QCOMPARE(form.Validations, 0);
    QVERIFY(!form.isVisible());
}

void BaseModalFormTest::centredOverTheMainWindowWithoutOwner() {
    QMainWindow main;
    main.setGeometry(200, 150, 800, 500);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    TTestModalForm form;
    Show(form);
    // Within the width of a window frame, which is known only once the window is shown.
    const QPoint offset = form.geometry().center() - main.geometry().center();
    QVERIFY2(offset.manhattanLength() <= 8,
             qPrintable(QStringLiteral("off centre by %1,%2").arg(offset.x()).arg(offset.y())));
}

QTEST_MAIN(BaseModalFormTest)
#include "BaseModalFormTest.moc"
