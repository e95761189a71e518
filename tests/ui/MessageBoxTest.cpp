#include "ui/kit/MessageBox.h"

#include "support/MessageBoxRecorder.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class MessageBoxTest : public QObject {
    Q_OBJECT

private slots:
    void recorderAnswersInTurn();
    void realBoxReturnsTheButtonPressed_data();
    void realBoxReturnsTheButtonPressed();
};

void MessageBoxTest::recorderAnswersInTurn() {
    MessageBoxRecorder recorder(TMsgDlgBtn::No);
    recorder.QueueAnswer(TMsgDlgBtn::Yes);
    QCOMPARE(MessageDlg(nullptr, QStringLiteral("first"), TMsgDlgType::Confirmation,
                        {TMsgDlgBtn::Yes, TMsgDlgBtn::No}),
             TMsgDlgBtn::Yes);
    QCOMPARE(MessageDlg(nullptr, QStringLiteral("second"), TMsgDlgType::Confirmation,
                        {TMsgDlgBtn::Yes, TMsgDlgBtn::No}),
             TMsgDlgBtn::No);
    QCOMPARE(recorder.Texts(), (QStringList{QStringLiteral("first"), QStringLiteral("second")}));
    QCOMPARE(recorder.Shown().at(0).Type, TMsgDlgType::Confirmation);
}

void MessageBoxTest::realBoxReturnsTheButtonPressed_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expected");
    QTest::newRow("Enter presses the first button") << int(Qt::Key_Return) << int(TMsgDlgBtn::Yes);
    QTest::newRow("Escape is No") << int(Qt::Key_Escape) << int(TMsgDlgBtn::No);
}

void MessageBoxTest::realBoxReturnsTheButtonPressed() {
    QFETCH(int, key);
    QFETCH(int, expected);
    QString shownText;
    QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
    // The real box is modal: answer it from the event loop once it is up.
    QTimer::singleShot(0, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box != nullptr);
        shownText = box->text();
        shownIcon = box->icon();
        QTest::keyClick(box, static_cast<Qt::Key>(key));
    });
    const TMsgDlgBtn pressed =
        MessageDlg(nullptr, QStringLiteral("Exit without saving?"), TMsgDlgType::Information,
                   {TMsgDlgBtn::Yes, TMsgDlgBtn::No});
    QCOMPARE(int(pressed), expected);
    QCOMPARE(shownText, QStringLiteral("Exit without saving?"));
    QCOMPARE(shownIcon, QMessageBox::Information);
}

QTEST_MAIN(MessageBoxTest)
#include "MessageBoxTest.moc"
