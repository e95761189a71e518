#include "ui/kit/MessageBox.h"

#include "support/MessageBoxRecorder.h"

#include <QApplication>
#include <QLabel>
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
    void textIsShownAsWrittenNotAsMarkup_data();
    void textIsShownAsWrittenNotAsMarkup();
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

void MessageBoxTest::textIsShownAsWrittenNotAsMarkup_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("tag in a sink name") << "Are you sure you want to delete <b>Main</b>?";
    QTest::newRow("entity in a path") << "Config saved to /srv/a&lt;b/svcConfig.json";
}

// Names and paths in a message come from the user or the file: they are shown character for
// character, never read as markup.
void MessageBoxTest::textIsShownAsWrittenNotAsMarkup() {
    QFETCH(QString, text);
    QString shownText;
    Qt::TextFormat shownFormat = Qt::AutoText;
    QTimer::singleShot(0, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box != nullptr);
        const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        QVERIFY(label != nullptr);
        shownText = label->text();
        shownFormat = label->textFormat();
        QTest::keyClick(box, Qt::Key_Escape);
    });
    MessageDlg(nullptr, text, TMsgDlgType::Confirmation, {TMsgDlgBtn::Yes, TMsgDlgBtn::No});
    QCOMPARE(shownText, text);
    QCOMPARE(shownFormat, Qt::PlainText);
}

QTEST_MAIN(MessageBoxTest)
#include "MessageBoxTest.moc"
