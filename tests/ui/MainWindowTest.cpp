// The main window driven through its controls: what it shows from the file, what Save writes,
// when Exit asks, and what a failed Save leaves behind.

#include "support/ApplicationTestMain.h"
#include "support/ConfigFolder.h"
#include "support/FileSizeLimit.h"
#include "support/MainWindowDriver.h"
#include "support/MessageBoxRecorder.h"
#include "ui/kit/NumericEdit.h"
#include "ui/kit/RadioGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// What a new document writes: the defaults, both lists empty.
const QByteArray CDefaultFile = "{\r\n"
                                "    \"logLevel\": 4,\r\n"
                                "    \"queueManagerThreads\": 1,\r\n"
                                "    \"singleMsgQueue\": false,\r\n"
                                "    \"listeners\": [\r\n"
                                "    ],\r\n"
                                "    \"sinks\": [\r\n"
                                "    ]\r\n"
                                "}";

const QString CEveryKind = QStringLiteral("mainwindow-every-kind.json");
const QString CEveryKindSaved = QStringLiteral("mainwindow-every-kind.saved.json");

// Something a user does in the window.
enum class Action {
    Nothing,
    PickLogLevel,
    TypeThreads,
    PickSingleQueue,
    PickOnePerListener,
    ToggleGetConfigFromServer,
    TypeServer,
    TypeUserName,
    TypePassword,
    ChangeThenSave,
};

void Perform(const MainWindowDriver& AWindow, Action AAction) {
    switch (AAction) {
    case Action::Nothing:
        return;
    case Action::PickLogLevel:
        AWindow.PickNextLogLevel();
        return;
    case Action::TypeThreads:
        AWindow.TypeInto(QStringLiteral("neQueueManagerThreads"), QStringLiteral("8"));
        return;
    case Action::PickSingleQueue:
        AWindow.PickRadioItem(QStringLiteral("rgMsgQueue"), 0);
        return;
    case Action::PickOnePerListener:
        AWindow.PickRadioItem(QStringLiteral("rgMsgQueue"), 1);
        return;
    case Action::ToggleGetConfigFromServer:
        AWindow.Click(QStringLiteral("ckbServer"));
        return;
    case Action::TypeServer:
        AWindow.TypeInto(QStringLiteral("ebServer"), QStringLiteral("https://10.1.1.1"));
        return;
    case Action::TypeUserName:
        AWindow.TypeInto(QStringLiteral("ebUserName"), QStringLiteral("admin"));
        return;
    case Action::TypePassword:
        AWindow.TypeInto(QStringLiteral("ebPasswd"), QStringLiteral("secret"));
        return;
    case Action::ChangeThenSave:
        AWindow.PickNextLogLevel();
        AWindow.Click(QStringLiteral("btnSave"));
        return;
    }
}

QByteArray Line(const char* AText) {
    return QByteArray(AText) + "\r\n";
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void noFileShowsTheDefaults();
    void fileShowsItsValuesAndRows();
    void unknownLogLevelIsShownUnselectedAndKept();
    void saveWritesTheWholeDocument_data();
    void saveWritesTheWholeDocument();
    void editsReachTheFile_data();
    void editsReachTheFile();
    void accessKeysSaveAndExit();
    void emptyThreadsSavedByAccessKeyShowWhatWasSaved();
    void serverFromNetworkControlsAreNeverSaved();
    void exitAsksOnlyAfterAChange_data();
    void exitAsksOnlyAfterAChange();
    void exitYesEndsWithoutSaving();
    void exitNoKeepsTheWindowAndItsChanges();
    void closeBoxNeverAsks();
    void focusedButtonIsPressedByEnter_data();
    void focusedButtonIsPressedByEnter();
    void failedSaveShowsTheErrorAndKeepsTheChanges_data();
    void failedSaveShowsTheErrorAndKeepsTheChanges();
};

void MainWindowTest::noFileShowsTheDefaults() {
    ConfigFolder folder;
    MessageBoxRecorder boxes;
    MainWindowDriver window(folder);

    QCOMPARE(window.Child<QTabWidget>(QStringLiteral("pcConfig")).currentIndex(), 0);
    QCOMPARE(window.Child<QComboBox>(QStringLiteral("cbLogLevel")).currentText(),
             QStringLiteral("Info"));
    QCOMPARE(window.Child<TNumericEdit>(QStringLiteral("neQueueManagerThreads")).text(),
             QStringLiteral("1"));
    QCOMPARE(window.Child<TRadioGroup>(QStringLiteral("rgMsgQueue")).ItemIndex(), 1);
    QVERIFY(window.GridRows(QStringLiteral("tvListeners")).isEmpty());
    QVERIFY(window.GridRows(QStringLiteral("tvSinks")).isEmpty());
    QCOMPARE(window.GridCaptions(QStringLiteral("tvListeners")),
             (QStringList{u"NIC"_s, u"UDP Port"_s, u"TCP Port"_s, u"TLS Port"_s}));
    QCOMPARE(window.GridCaptions(QStringLiteral("tvSinks")),
             (QStringList{u"Name"_s, u"Type"_s, u"Detail"_s}));
    QVERIFY(!folder.ConfigExists());

    window.Click(QStringLiteral("btnExit"));
    QVERIFY(!window.Window().isVisible());
    QVERIFY(boxes.Shown().isEmpty());
}

void MainWindowTest::fileShowsItsValuesAndRows() {
    ConfigFolder folder;
    folder.WriteConfig(FixtureBytes(CEveryKind));
    MessageBoxRecorder boxes;
    MainWindowDriver window(folder);

    QCOMPARE(window.Child<QComboBox>(QStringLiteral("cbLogLevel")).currentText(),
             QStringLiteral("Error"));
    QCOMPARE(window.Child<TNumericEdit>(QStringLiteral("neQueueManagerThreads")).text(),
             QStringLiteral("3"));
    QCOMPARE(window.Child<TRadioGroup>(QStringLiteral("rgMsgQueue")).ItemIndex(), 0);
    QCOMPARE(window.GridRows(QStringLiteral("tvListeners")),
             (QStringList{u"192.168.1.10|514|0|6514"_s, u"10.0.0.1|514|514|5140"_s}));
    QCOMPARE(
        window.GridRows(QStringLiteral("tvSinks")),
        (QStringList{u"Local files|File|/var/log/korvex"_s, u"Search|Elastic|search.example:9201"_s,
                     QStringLiteral("Archiv Zürich|File|/srv/archive")}));

    // Loading is no change.
    window.Click(QStringLiteral("btnExit"));
    QVERIFY(!window.Window().isVisible());
    QVERIFY(boxes.Shown().isEmpty());
}

void MainWindowTest::unknownLogLevelIsShownUnselectedAndKept() {
    ConfigFolder folder;
    folder.WriteConfig("{\"logLevel\": 9}");
    MessageBoxRecorder boxes;
    MainWindowDriver window(folder);
    QCOMPARE(window.Child<QComboBox>(QStringLiteral("cbLogLevel")).currentIndex(), -1);

    window.Click(QStringLiteral("btnSave"));
    QVERIFY(folder.ReadConfig().contains(Line("    \"logLevel\": 9,")));
}

void MainWindowTest::saveWritesTheWholeDocument_data() {
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("no file and no folders: the defaults") << QString() << CDefaultFile;
    QTest::newRow("every kind of entry, Elasticsearch sink in its place")
        << CEveryKind << FixtureBytes(CEveryKindSaved);
}

void MainWindowTest::saveWritesTheWholeDocument() {
    QFETCH(QString, fixture);
    QFETCH(QByteArray, expected);
    ConfigFolder folder;
    if (!fixture.isEmpty())
        folder.WriteConfig(FixtureBytes(fixture));
    MessageBoxRecorder boxes;
    MainWindowDriver window(folder);

    // Save is there also without a change, and saving twice rebuilds the lists, not adds to them.
    for (int round = 1; round <= 2; ++round) {
        window.Click(QStringLiteral("btnSave"));
        QCOMPARE(folder.ReadConfig(), expected);
        QCOMPARE(boxes.Shown().size(), round);
        const TShownMessage& shown = boxes.Shown().last();
        QCOMPARE(shown.Text, QStringLiteral("Config saved to ") + folder.ConfigPath());
        QCOMPARE(shown.Type, TMsgDlgType::Information);
        QCOMPARE(shown.Buttons, QList<TMsgDlgBtn>{TMsgDlgBtn::OK});
    }
    window.Click(QStringLiteral("btnExit"));
    QVERIFY(!window.Window().isVisible());
    QCOMPARE(boxes.Shown().size(), 2);
}

void MainWindowTest::editsReachTheFile_data() {
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("typedThreads");
    QTest::addColumn<QByteArray>("expectedLine");
    QTest::newRow("log level") << QString() << int(Action::PickLogLevel) << QString()
                               << Line("    \"logLevel\": 5,");
    QTest::newRow("threads") << QString() << int(Action::Nothing) << "12"
                             << Line("    \"queueManagerThreads\": 12,");
    QTest::newRow("threads 0 as typed")
        << QString() << int(Action::Nothing) << "0" << Line("    \"queueManagerThreads\": 0,");
    QTest::newRow("negative threads as typed")
        << QString() << int(Action::Nothing) << "-3" << Line("    \"queueManagerThreads\": -3,");
    QTest::newRow("single queue") << QString() << int(Action::PickSingleQueue) << QString()
                                  << Line("    \"singleMsgQueue\": true,");
    QTest::newRow("one per listener") << CEveryKind << int(Action::PickOnePerListener) << QString()
                                      << Line("    \"singleMsgQueue\": false,");
}

void MainWindowTest::editsReachTheFile() {
    QFETCH(QString, fixture);
    QFETCH(int, action);
    QFETCH(QString, typedThreads);
    QFETCH(QByteArray, expectedLine);
    ConfigFolder folder;
    if (!fixture.isEmpty())
        folder.WriteConfig(FixtureBytes(fixture));
    MessageBoxRecorder boxes;
    MainWindowDriver window(folder);

    Perform(window, static_cast<Action>(action));
    if (!typedThreads.isEmpty())
        window.TypeInto(QStringLiteral("neQueueManagerThreads"), typedThreads);
    window.Click(QStringLiteral("btnSave"));
    QVERIFY2(folder.ReadConfig().contains(expectedLine), folder.ReadConfig().constData());
}

// A button's access key clicks it a moment later, as a click that can be seen; hence QTRY.
void MainWindowTest::accessKeysSaveAndExit() {
    ConfigFolder folder;
    MessageBoxRecorder boxes(TMsgDlgBtn::No);
    MainWindowDriver window(folder);
    window.Window().activateWindow(); // access keys act in the active window only
    QVERIFY(QTest::qWaitForWindowActive(&window.Window()));

    window.PickNextLogLevel();
    QTest::keyClick(&window.Window(), Qt::Key_S, Qt::AltModifier);
    QTRY_COMPARE(boxes.Texts().size(), 1);
    QVERIFY(boxes.Texts().at(0).startsWith(QStringLiteral("Config saved to ")));
    QVERIFY(folder.ConfigExists());

    window.PickRadioItem(QStringLiteral("rgMsgQueue"), 0);
    QTest::keyClick(&window.Window(), Qt::Key_X, Qt::AltModifier);
    QTRY_COMPARE(boxes.Texts().size(), 2);
    QCOMPARE(boxes.Texts().at(1), QStringLiteral("Exit without saving?"));
    QVERIFY(window.Window().isVisible()); // answered No
}

// Alt+S saves while the focus stays in the edit, so the edit does not tidy its text on leaving;
// it must still show the number that was saved.
void MainWindowTest::emptyThreadsSavedByAccessKeyShowWhatWasSaved() {
    ConfigFolder folder;
    MessageBoxRecorder boxes;
    MainWindowDriver window(folder);
    window.Window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window.Window()));
    window.TypeInto(QStringLiteral("neQueueManagerThreads"), QString());
    auto& threads = window.Child<TNumericEdit>(QStringLiteral("neQueueManagerThreads"));
    QTest::keyClick(&threads, Qt::Key_S, Qt::AltModifier);
    QTRY_COMPARE(boxes.Texts().size(), 1);
    QVERIFY(threads.hasFocus());
    QVERIFY2(folder.ReadConfig().contains(Line("    \"queueManagerThreads\": 0,")),
             folder.ReadConfig().constData());
    QCOMPARE(threads.text(), QStringLiteral("0"));
}

void MainWindowTest::serverFromNetworkControlsAreNeverSaved() {
    ConfigFolder folder;
    MessageBoxRecorder boxes(TMsgDlgBtn::No);
    MainWindowDriver window(folder);
    QCOMPARE(window.Child<QLineEdit>(QStringLiteral("ebServer")).text(),
             QStringLiteral("http://127.0.0.1:80"));
    QVERIFY(!window.Child<QCheckBox>(QStringLiteral("ckbServer")).isChecked());

    for (Action action : {Action::ToggleGetConfigFromServer, Action::TypeServer,
                          Action::TypeUserName, Action::TypePassword})
        Perform(window, action);
    window.Click(QStringLiteral("btnSave"));
    QCOMPARE(folder.ReadConfig(), CDefaultFile);
}

void MainWindowTest::exitAsksOnlyAfterAChange_data() {
    QTest::addColumn<int>("action");
    QTest::addColumn<bool>("asks");
    QTest::newRow("nothing") << int(Action::Nothing) << false;
    QTest::newRow("log level picked") << int(Action::PickLogLevel) << true;
    QTest::newRow("threads typed") << int(Action::TypeThreads) << true;
    QTest::newRow("Single Msg Queue picked") << int(Action::PickSingleQueue) << true;
    QTest::newRow("One Per Listener clicked while selected")
        << int(Action::PickOnePerListener) << false;
    QTest::newRow("get config from server") << int(Action::ToggleGetConfigFromServer) << false;
    QTest::newRow("server typed") << int(Action::TypeServer) << false;
    QTest::newRow("user name typed") << int(Action::TypeUserName) << false;
    QTest::newRow("password typed") << int(Action::TypePassword) << false;
    QTest::newRow("change, then Save") << int(Action::ChangeThenSave) << false;
}

void MainWindowTest::exitAsksOnlyAfterAChange() {
    QFETCH(int, action);
    QFETCH(bool, asks);
    ConfigFolder folder;
    MessageBoxRecorder boxes(TMsgDlgBtn::No);
    MainWindowDriver window(folder);
    Perform(window, static_cast<Action>(action));
    boxes.Clear();

    window.Click(QStringLiteral("btnExit"));
    if (asks) {
        QCOMPARE(boxes.Texts(), QStringList{QStringLiteral("Exit without saving?")});
        QCOMPARE(boxes.Shown().first().Type, TMsgDlgType::Information);
        QCOMPARE(boxes.Shown().first().Buttons,
                 (QList<TMsgDlgBtn>{TMsgDlgBtn::Yes, TMsgDlgBtn::No}));
        QVERIFY(window.Window().isVisible());
    } else {
        QVERIFY(boxes.Shown().isEmpty());
        QVERIFY(!window.Window().isVisible());
    }
}

void MainWindowTest::exitYesEndsWithoutSaving() {
    ConfigFolder folder;
    folder.WriteConfig(FixtureBytes(CEveryKind));
    MessageBoxRecorder boxes(TMsgDlgBtn::Yes);
    MainWindowDriver window(folder);
    window.PickNextLogLevel();

    window.Click(QStringLiteral("btnExit"));
    QCOMPARE(boxes.Texts(), QStringList{QStringLiteral("Exit without saving?")});
    QVERIFY(!window.Window().isVisible());
    QCOMPARE(folder.ReadConfig(), FixtureBytes(CEveryKind));
}

void MainWindowTest::exitNoKeepsTheWindowAndItsChanges() {
    ConfigFolder folder;
    MessageBoxRecorder boxes(TMsgDlgBtn::No);
    MainWindowDriver window(folder);
    window.TypeInto(QStringLiteral("neQueueManagerThreads"), QStringLiteral("6"));

    window.Click(QStringLiteral("btnExit"));
    QVERIFY(window.Window().isVisible());
    QCOMPARE(window.Child<TNumericEdit>(QStringLiteral("neQueueManagerThreads")).text(),
             QStringLiteral("6"));

    window.Click(QStringLiteral("btnSave"));
    QVERIFY(folder.ReadConfig().contains(Line("    \"queueManagerThreads\": 6,")));
    boxes.Clear();
    window.Click(QStringLiteral("btnExit"));
    QVERIFY(boxes.Shown().isEmpty());
    QVERIFY(!window.Window().isVisible());
}

void MainWindowTest::closeBoxNeverAsks() {
    ConfigFolder folder;
    MessageBoxRecorder boxes(TMsgDlgBtn::No);
    MainWindowDriver window(folder);
    window.PickNextLogLevel();

    QVERIFY(window.Window().close());
    QVERIFY(!window.Window().isVisible());
    QVERIFY(boxes.Shown().isEmpty());
    QVERIFY(!folder.ConfigExists());
}

void MainWindowTest::focusedButtonIsPressedByEnter_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::newRow("Save, Return") << u"btnSave"_s << int(Qt::Key_Return);
    QTest::newRow("Save, keypad Enter") << u"btnSave"_s << int(Qt::Key_Enter);
    QTest::newRow("Exit, Return") << u"btnExit"_s << int(Qt::Key_Return);
}

// A keyboard user tabs to a button and presses Enter, as in any other window of the desktop.
void MainWindowTest::focusedButtonIsPressedByEnter() {
    QFETCH(QString, button);
    QFETCH(int, key);
    ConfigFolder folder;
    MessageBoxRecorder boxes;
    MainWindowDriver window(folder);
    window.Window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window.Window()));
    auto& pressed = window.Child<QWidget>(button);
    pressed.setFocus(Qt::TabFocusReason);
    QVERIFY(pressed.hasFocus());

    QTest::keyClick(&pressed, static_cast<Qt::Key>(key));
    if (button == u"btnSave"_s) {
        QTRY_COMPARE(boxes.Texts(), QStringList{u"Config saved to "_s + folder.ConfigPath()});
        QCOMPARE(folder.ReadConfig(), CDefaultFile);
        QVERIFY(window.Window().isVisible());
    } else {
        QTRY_VERIFY(!window.Window().isVisible());
        QVERIFY(boxes.Shown().isEmpty());
    }
}

namespace {

enum class SaveFailure {
    // A file stands where the folder of the configuration file must be created.
    FileInPlaceOfFolder,
    // The new file cannot be written in full (the process's file size limit).
    WriteFails,
};

} // namespace

void MainWindowTest::failedSaveShowsTheErrorAndKeepsTheChanges_data() {
    QTest::addColumn<int>("failure");
    QTest::newRow("a file in place of the folder") << int(SaveFailure::FileInPlaceOfFolder);
    QTest::newRow("the new file cannot be written") << int(SaveFailure::WriteFails);
}

void MainWindowTest::failedSaveShowsTheErrorAndKeepsTheChanges() {
    QFETCH(int, failure);
    ConfigFolder folder;
    const QString blocker = QString::fromStdString(folder.DataDir()) + QStringLiteral("/Velmora");
    QByteArray before;
    if (failure == int(SaveFailure::FileInPlaceOfFolder)) {
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("in the way");
        file.close();
        before = "in the way";
    } else {
        folder.WriteConfig(FixtureBytes(CEveryKind));
        before = FixtureBytes(CEveryKind);
    }
    MessageBoxRecorder boxes(TMsgDlgBtn::No);
    MainWindowDriver window(folder);
    window.TypeInto(QStringLiteral("neQueueManagerThreads"), QStringLiteral("7"));

    {
        std::optional<FileSizeLimit> limit;
        if (failure == int(SaveFailure::WriteFails))
            limit.emplace(16);
        window.Click(QStringLiteral("btnSave"));
    }
    QCOMPARE(boxes.Shown().size(), 1);
    QCOMPARE(boxes.Shown().first().Type, TMsgDlgType::Error);
    QVERIFY2(boxes.Shown().first().Text.contains(QStringLiteral("Velmora")),
             qPrintable(boxes.Shown().first().Text));
    QVERIFY(!boxes.Shown().first().Text.startsWith(QStringLiteral("Config saved")));
    QVERIFY(window.Window().isVisible());

    // What stood there before is untouched, and nothing is left beside it.
    if (failure == int(SaveFailure::FileInPlaceOfFolder)) {
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    } else {
        QCOMPARE(folder.ReadConfig(), before);
        QCOMPARE(QDir(folder.SvcFolder())
                     .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{QStringLiteral("svcConfig.json")});
    }

    // Still changed: Exit asks.
    boxes.Clear();
    window.Click(QStringLiteral("btnExit"));
    QCOMPARE(boxes.Texts(), QStringList{QStringLiteral("Exit without saving?")});
    QVERIFY(window.Window().isVisible());

    // Once the obstacle is gone, Save writes the window's values.
    if (failure == int(SaveFailure::FileInPlaceOfFolder))
        QVERIFY(QFile::remove(blocker));
    boxes.Clear();
    window.Click(QStringLiteral("btnSave"));
    QCOMPARE(boxes.Texts(), QStringList{QStringLiteral("Config saved to ") + folder.ConfigPath()});
    QVERIFY(folder.ReadConfig().contains(Line("    \"queueManagerThreads\": 7,")));
}

KORVEX_QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
