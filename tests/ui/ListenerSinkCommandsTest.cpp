// The listener and sink commands of the main window, driven as a user drives them: the grids'
// popup menus opened with the mouse or the keyboard, the editor dialogs worked with key presses,
// the message boxes answered. Whether the window counts as changed is seen through Exit, which
// asks only then.

#include "platform/Errors.h"
#include "support/ApplicationTestMain.h"
#include "support/ConfigFolder.h"
#include "support/DialogKeys.h"
#include "support/DialogScript.h"
#include "support/MainWindowDriver.h"
#include "support/MessageBoxRecorder.h"
#include "support/SettingsSandbox.h"
#include "ui/BaseModalForm.h"
#include "ui/kit/FolderChooser.h"
#include "ui/kit/GridTableView.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <memory>

namespace {

const QString CListeners = QStringLiteral("tvListeners");
const QString CSinks = QStringLiteral("tvSinks");

// How a popup menu is opened.
enum class Opening { RightClick, MenuKey, ShiftF10 };

// The values typed into a listener dialog; an empty text leaves that field as it is.
struct ListenerInput {
    QString NIC;
    QString UDP;
    QString TCP;
    QString TLS;
};

struct FileSinkInput {
    QString Name;
    QString Folder; // chosen with the folder button
    QString Size;
    QString Retention;
};

void TypeIfGiven(QDialog& ADialog, const char* AEdit, const QString& AText) {
    if (AText.isNull())
        return;
    auto* edit = ADialog.findChild<QLineEdit*>(QString::fromLatin1(AEdit));
    QVERIFY2(edit != nullptr, AEdit);
    TypeOver(edit, AText);
}

// A dialog step: types the listener's values and confirms with Enter.
DialogScript::TStep EnterListener(ListenerInput AInput) {
    return [AInput](QDialog& ADialog) {
        QCOMPARE(QString::fromLatin1(ADialog.metaObject()->className()),
                 QStringLiteral("TfmListenerConfigEdit"));
        TypeIfGiven(ADialog, "ebIPAddress", AInput.NIC);
        TypeIfGiven(ADialog, "neUDPPort", AInput.UDP);
        TypeIfGiven(ADialog, "neTCPPort", AInput.TCP);
        TypeIfGiven(ADialog, "neTLSPort", AInput.TLS);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    };
}

DialogScript::TStep EnterFileSink(FileSinkInput AInput) {
    return [AInput](QDialog& ADialog) {
        QCOMPARE(QString::fromLatin1(ADialog.metaObject()->className()),
                 QStringLiteral("TfmFileSinkConfigEdit"));
        TypeIfGiven(ADialog, "ebName", AInput.Name);
        if (!AInput.Folder.isNull()) {
            const TFolderChooserAnswerer previous =
                SetFolderChooserAnswerer([&AInput](const QString&, const QString&) {
                    return std::optional<QString>(AInput.Folder);
                });
            auto* directory = ADialog.findChild<QLineEdit*>(QStringLiteral("ebDirectory"));
            directory->setFocus();
            QTest::keyClick(directory, Qt::Key_F4);
            SetFolderChooserAnswerer(previous);
        }
        TypeIfGiven(ADialog, "neFileSize", AInput.Size);
        TypeIfGiven(ADialog, "neFileRetention", AInput.Retention);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    };
}

// A dialog step that records what the dialog shows, field by field, then cancels it with AKey
// (Escape), the Cancel button (Qt::Key_unknown) or the close box (0).
DialogScript::TStep ReadThenCancel(QStringList& AShown, int AHow = Qt::Key_Escape) {
    return [&AShown, AHow](QDialog& ADialog) {
        for (QLineEdit* edit : ADialog.findChildren<QLineEdit*>())
            if (!edit->objectName().isEmpty())
                AShown.append(edit->objectName() + QLatin1Char('=') + edit->text());
        if (AHow == Qt::Key_Escape)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        else if (AHow == Qt::Key_unknown)
            QTest::mouseClick(ADialog.findChild<QWidget*>(QStringLiteral("btnCancel")),
                              Qt::LeftButton);
        else
            ADialog.close();
    };
}

int OpenEditorDialogs() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<TfmBaseModalForm*>(widget) != nullptr)
            ++count;
    return count;
}

} // namespace

class ListenerSinkCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void popupMenusHoldTheCommands();
    void popupMenusOpenByMouseAndKeyboard_data();
    void popupMenusOpenByMouseAndKeyboard();
    void newListenerIsAddedAsTheLastRow();
    void newListenerCancelledAddsNothing_data();
    void newListenerCancelledAddsNothing();
    void editListenerChangesItsRowOnlyOnOk();
    void editOrDeleteWithNoRowSelected_data();
    void editOrDeleteWithNoRowSelected();
    void deleteListenerAsksWithItsAddress();
    void newFileSinkFromTheSubmenuWithTheKeyboard();
    void editFileSinkShowsItAndReplacesItsRow();
    void editOnAnElasticsearchSinkDoesNothing();
    void deleteSinkOfEitherKindAsksWithItsName();
    void duplicatesAreAccepted();
    void failureInADialogChangesNothingAndReleasesIt();
    void wholeScenarioFromAnEmptyFolder();

private:
    MainWindowDriver& Window() { return *FWindow; }
    TGridTableView& View(const QString& AName) { return Window().Child<TGridTableView>(AName); }
    QMenu& Menu(const QString& AName) { return Window().Child<QMenu>(AName); }
    void Open(const ConfigFolder& AFolder);
    void ShowTabOf(const QString& AViewName);
    void FocusRow(const QString& AViewName, int ARow);
    // Opens the view's popup menu; with ARow >= 0 a right click lands on that row.
    QMenu& OpenMenu(const QString& AViewName, Opening AHow = Opening::RightClick, int ARow = -1);
    // Runs the menu item AActionName (a path such as "ppmiNewSink/ppmiNewFileSink" for the
    // submenu) with mouse clicks, the menu opened by a right click on ARow.
    void Run(const QString& AViewName, const QString& AActionPath, int ARow = -1);
    // True when Exit asks "Exit without saving?" (answered No, so the window stays).
    bool WindowIsChanged();

    std::unique_ptr<SettingsSandbox> FSandbox;
    std::unique_ptr<ConfigFolder> FFolder;
    std::unique_ptr<MainWindowDriver> FWindow;
};

void ListenerSinkCommandsTest::init() {
    FSandbox = std::make_unique<SettingsSandbox>();
    QVERIFY(FSandbox->IsValid());
    FFolder = std::make_unique<ConfigFolder>();
}

void ListenerSinkCommandsTest::cleanup() {
    FWindow.reset();
    FFolder.reset();
    FSandbox.reset();
    QCOMPARE(OpenEditorDialogs(), 0);
}

void ListenerSinkCommandsTest::Open(const ConfigFolder& AFolder) {
    FWindow = std::make_unique<MainWindowDriver>(AFolder);
    QVERIFY(QTest::qWaitForWindowActive(&FWindow->Window()));
}

void ListenerSinkCommandsTest::ShowTabOf(const QString& AViewName) {
    auto& pages = Window().Child<QTabWidget>(QStringLiteral("pcConfig"));
    const int page = AViewName == CListeners ? 1 : 2;
    if (pages.currentIndex() != page)
        QTest::mouseClick(pages.tabBar(), Qt::LeftButton, {},
                          pages.tabBar()->tabRect(page).center());
    QCOMPARE(pages.currentIndex(), page);
}

void ListenerSinkCommandsTest::FocusRow(const QString& AViewName, int ARow) {
    ShowTabOf(AViewName);
    TGridTableView& view = View(AViewName);
    const QRect row = view.visualRect(view.model()->index(ARow, 0));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, row.center());
    QCOMPARE(view.DataController().FocusedRecordIndex(), ARow);
}

QMenu& ListenerSinkCommandsTest::OpenMenu(const QString& AViewName, Opening AHow, int ARow) {
    ShowTabOf(AViewName);
    TGridTableView& view = View(AViewName);
    QMenu& menu =
        Menu(AViewName == CListeners ? QStringLiteral("ppmListeners") : QStringLiteral("ppmSinks"));
    switch (AHow) {
    case Opening::RightClick: {
        // As the platform delivers it: the press, then its request for the context menu.
        const QPoint where =
            ARow >= 0 ? view.visualRect(view.model()->index(ARow, 0)).center()
                      : QPoint(view.viewport()->width() - 5, view.viewport()->height() - 5);
        QTest::mousePress(view.viewport(), Qt::RightButton, {}, where);
        QContextMenuEvent request(QContextMenuEvent::Mouse, where,
                                  view.viewport()->mapToGlobal(where));
        QApplication::sendEvent(view.viewport(), &request);
        QTest::mouseRelease(view.viewport(), Qt::RightButton, {}, where);
        break;
    }
    case Opening::MenuKey:
        view.setFocus();
        QTest::keyClick(&view, Qt::Key_Menu);
        break;
    case Opening::ShiftF10:
        view.setFocus();
        QTest::keyClick(&view, Qt::Key_F10, Qt::ShiftModifier);
        break;
    }
    return menu;
}

void ListenerSinkCommandsTest::Run(const QString& AViewName, const QString& AActionPath, int ARow) {
    QMenu* menu = &OpenMenu(AViewName, Opening::RightClick, ARow);
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    const QStringList path = AActionPath.split(QLatin1Char('/'));
    for (int step = 0; step < path.size(); ++step) {
        QAction* action = nullptr;
        for (QAction* candidate : menu->actions())
            if (candidate->objectName() == path.at(step) ||
                (candidate->menu() != nullptr && candidate->menu()->objectName() == path.at(step)))
                action = candidate;
        QVERIFY2(action != nullptr, qPrintable(path.at(step)));
        QVERIFY(action->isEnabled() && action->isVisible());
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        if (action->menu() != nullptr) {
            menu = action->menu();
            QTRY_VERIFY(menu->isVisible());
        }
    }
    QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
}

bool ListenerSinkCommandsTest::WindowIsChanged() {
    MessageBoxRecorder boxes(TMsgDlgBtn::No);
    Window().Click(QStringLiteral("btnExit"));
    const bool asked = boxes.Texts() == QStringList{QStringLiteral("Exit without saving?")};
    if (!asked) {
        // Exit closed it: open it again for the rest of the test.
        Window().Window().show();
        if (!QTest::qWaitForWindowActive(&Window().Window()))
            qWarning("The main window did not become active again");
    }
    return asked;
}

void ListenerSinkCommandsTest::popupMenusHoldTheCommands() {
    Open(*FFolder);
    auto captions = [](const QMenu& AMenu) {
        QStringList texts;
        for (const QAction* action : AMenu.actions())
            texts.append(
                action->objectName() + QLatin1Char(':') +
                QString(action->text()).remove(QLatin1Char('&')) +
                (action->isEnabled() && action->isVisible() ? QString() : QStringLiteral("(off)")));
        return texts;
    };
    QCOMPARE(
        captions(Menu(QStringLiteral("ppmListeners"))),
        (QStringList{QStringLiteral("ppmiNewListener:New"), QStringLiteral("ppmiEditListener:Edit"),
                     QStringLiteral("ppmiDeleteListener:Delete")}));
    QMenu& sinks = Menu(QStringLiteral("ppmSinks"));
    QCOMPARE(sinks.actions().size(), 3);
    QMenu* newSink = sinks.actions().at(0)->menu();
    QVERIFY(newSink != nullptr);
    QCOMPARE(newSink->objectName(), QStringLiteral("ppmiNewSink"));
    QCOMPARE(QString(newSink->title()).remove(QLatin1Char('&')), QStringLiteral("New"));
    QCOMPARE(captions(*newSink), QStringList{QStringLiteral("ppmiNewFileSink:File Sink")});
    QCOMPARE(captions(sinks).mid(1), (QStringList{QStringLiteral("ppmiEditSink:Edit"),
                                                  QStringLiteral("ppmiDeleteSink:Delete")}));
}

void ListenerSinkCommandsTest::popupMenusOpenByMouseAndKeyboard_data() {
    QTest::addColumn<QString>("view");
    QTest::addColumn<int>("how");
    for (const QString& view : {CListeners, CSinks}) {
        QTest::addRow("%s right click", qPrintable(view)) << view << int(Opening::RightClick);
        QTest::addRow("%s menu key", qPrintable(view)) << view << int(Opening::MenuKey);
        QTest::addRow("%s Shift+F10", qPrintable(view)) << view << int(Opening::ShiftF10);
    }
}

void ListenerSinkCommandsTest::popupMenusOpenByMouseAndKeyboard() {
    QFETCH(QString, view);
    QFETCH(int, how);
    Open(*FFolder);
    QMenu& menu = OpenMenu(view, static_cast<Opening>(how));
    QTRY_COMPARE(QApplication::activePopupWidget(), &menu);
    QTest::keyClick(&menu, Qt::Key_Escape);
    QTRY_VERIFY(!menu.isVisible());
    QVERIFY(!WindowIsChanged());
}

void ListenerSinkCommandsTest::newListenerIsAddedAsTheLastRow() {
    FFolder->WriteConfig(FixtureBytes(QStringLiteral("mainwindow-every-kind.json")));
    Open(*FFolder);
    const QStringList before = Window().GridRows(CListeners);
    QVERIFY(!before.isEmpty());

    DialogScript dialogs;
    dialogs.Then(EnterListener({QStringLiteral(" 10.0.0.5 "), QStringLiteral("1514"),
                                QStringLiteral("1601"), QStringLiteral("6514")}));
    // From the keyboard: the menu key, then the access key of "New".
    QMenu& menu = OpenMenu(CListeners, Opening::MenuKey);
    QTRY_COMPARE(QApplication::activePopupWidget(), &menu);
    QTest::keyClick(&menu, Qt::Key_N);
    QTRY_COMPARE(dialogs.Shown(), QStringList{QStringLiteral("TfmListenerConfigEdit")});

    QCOMPARE(Window().GridRows(CListeners),
             before + QStringList{QStringLiteral("10.0.0.5|1514|1601|6514")});
    QCOMPARE(FFolder->ReadConfig(), FixtureBytes(QStringLiteral("mainwindow-every-kind.json")));
    QVERIFY(WindowIsChanged());
}

void ListenerSinkCommandsTest::newListenerCancelledAddsNothing_data() {
    QTest::addColumn<int>("how");
    QTest::newRow("Escape") << int(Qt::Key_Escape);
    QTest::newRow("Cancel") << int(Qt::Key_unknown);
    QTest::newRow("close box") << 0;
}

void ListenerSinkCommandsTest::newListenerCancelledAddsNothing() {
    QFETCH(int, how);
    Open(*FFolder);
    QStringList shown;
    DialogScript dialogs;
    dialogs.Then(ReadThenCancel(shown, how));
    Run(CListeners, QStringLiteral("ppmiNewListener"));
    QCOMPARE(dialogs.Shown().size(), 1);
    QVERIFY(shown.contains(QStringLiteral("neTLSPort=5140"))); // a new listener's defaults
    QVERIFY(Window().GridRows(CListeners).isEmpty());
    QVERIFY(!WindowIsChanged());
}

void ListenerSinkCommandsTest::editListenerChangesItsRowOnlyOnOk() {
    FFolder->WriteConfig(FixtureBytes(QStringLiteral("mainwindow-every-kind.json")));
    Open(*FFolder);
    const QStringList before = Window().GridRows(CListeners);
    QVERIFY(before.size() >= 2);

    QStringList shown;
    DialogScript dialogs;
    dialogs.Then(ReadThenCancel(shown));
    Run(CListeners, QStringLiteral("ppmiEditListener"), 1);
    QCOMPARE(Window().GridRows(CListeners), before);
    QVERIFY(!WindowIsChanged());
    // The dialog showed the record of the row clicked.
    const QStringList cells = before.at(1).split(QLatin1Char('|'));
    QVERIFY(shown.contains(QStringLiteral("ebIPAddress=") + cells.at(0)));
    QVERIFY(shown.contains(QStringLiteral("neTLSPort=") + cells.at(3)));

    dialogs.Then(EnterListener({QStringLiteral("10.9.9.9"), {}, QStringLiteral("7000"), {}}));
    Run(CListeners, QStringLiteral("ppmiEditListener"), 1);
    QStringList after = before;
    after[1] =
        QStringList{QStringLiteral("10.9.9.9"), cells.at(1), QStringLiteral("7000"), cells.at(3)}
            .join(QLatin1Char('|'));
    QCOMPARE(Window().GridRows(CListeners), after);
    QCOMPARE(View(CListeners).DataController().FocusedRecordIndex(), 1);
    QVERIFY(WindowIsChanged());
}

void ListenerSinkCommandsTest::editOrDeleteWithNoRowSelected_data() {
    QTest::addColumn<QString>("view");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("message");
    QTest::newRow("edit listener") << CListeners << "ppmiEditListener"
                                   << "You must select a Listener.";
    QTest::newRow("delete listener") << CListeners << "ppmiDeleteListener"
                                     << "You must select a Listener.";
    QTest::newRow("edit sink") << CSinks << "ppmiEditSink"
                               << "You must select a Sink.";
    QTest::newRow("delete sink") << CSinks << "ppmiDeleteSink"
                                 << "You must select a Sink.";
}

void ListenerSinkCommandsTest::editOrDeleteWithNoRowSelected() {
    QFETCH(QString, view);
    QFETCH(QString, action);
    QFETCH(QString, message);
    Open(*FFolder);
    DialogScript dialogs;
    MessageBoxRecorder boxes;
    Run(view, action);
    QCOMPARE(boxes.Texts(), QStringList{message});
    QCOMPARE(boxes.Shown().at(0).Type, TMsgDlgType::Error);
    QCOMPARE(boxes.Shown().at(0).Buttons, QList<TMsgDlgBtn>{TMsgDlgBtn::OK});
    QVERIFY(dialogs.Shown().isEmpty());
    QVERIFY(!WindowIsChanged());
}

void ListenerSinkCommandsTest::deleteListenerAsksWithItsAddress() {
    Open(*FFolder);
    DialogScript dialogs;
    for (const char* nic : {"10.0.0.4", "10.0.0.5", "10.0.0.6"})
        dialogs.Then(EnterListener({QString::fromLatin1(nic), {}, {}, QStringLiteral("6514")}));
    for (int i = 0; i < 3; ++i)
        Run(CListeners, QStringLiteral("ppmiNewListener"));
    const QStringList three = Window().GridRows(CListeners);
    QCOMPARE(three.size(), 3);
    {
        MessageBoxRecorder saved;
        Window().Click(QStringLiteral("btnSave"));
    }
    QVERIFY(!WindowIsChanged());

    MessageBoxRecorder boxes(TMsgDlgBtn::No);
    Run(CListeners, QStringLiteral("ppmiDeleteListener"), 1);
    QCOMPARE(boxes.Texts(), QStringList{QStringLiteral("Delete listener on 10.0.0.5?")});
    QCOMPARE(boxes.Shown().at(0).Type, TMsgDlgType::Confirmation);
    QCOMPARE(boxes.Shown().at(0).Buttons, (QList<TMsgDlgBtn>{TMsgDlgBtn::Yes, TMsgDlgBtn::No}));
    QCOMPARE(Window().GridRows(CListeners), three);
    QVERIFY(!WindowIsChanged());

    boxes.QueueAnswer(TMsgDlgBtn::Yes);
    Run(CListeners, QStringLiteral("ppmiDeleteListener"), 1);
    QCOMPARE(Window().GridRows(CListeners), (QStringList{three.at(0), three.at(2)}));
    QVERIFY(WindowIsChanged());
}

void ListenerSinkCommandsTest::newFileSinkFromTheSubmenuWithTheKeyboard() {
    Open(*FFolder);
    DialogScript dialogs;
    dialogs.Then(EnterFileSink({QStringLiteral("main"), QStringLiteral("/var/log/korvex"),
                                QStringLiteral("2048"), QStringLiteral("30")}));
    QMenu& menu = OpenMenu(CSinks, Opening::ShiftF10);
    QTRY_COMPARE(QApplication::activePopupWidget(), &menu);
    QTest::keyClick(&menu, Qt::Key_N); // opens "New"
    QMenu& newSink = Menu(QStringLiteral("ppmiNewSink"));
    QTRY_COMPARE(QApplication::activePopupWidget(), &newSink);
    QTest::keyClick(&newSink, Qt::Key_F);
    QTRY_COMPARE(dialogs.Shown(), QStringList{QStringLiteral("TfmFileSinkConfigEdit")});
    QCOMPARE(Window().GridRows(CSinks), QStringList{QStringLiteral("main|File|/var/log/korvex")});
    QVERIFY(WindowIsChanged());
}

void ListenerSinkCommandsTest::editFileSinkShowsItAndReplacesItsRow() {
    FFolder->WriteConfig(FixtureBytes(QStringLiteral("mainwindow-every-kind.json")));
    Open(*FFolder);
    const QStringList before = Window().GridRows(CSinks);
    const int fileRow = before.indexOf(QRegularExpression(QStringLiteral("^[^|]*\\|File\\|.*$")));
    QVERIFY(fileRow >= 0);
    const QStringList cells = before.at(fileRow).split(QLatin1Char('|'));

    QStringList shown;
    DialogScript dialogs;
    dialogs.Then(ReadThenCancel(shown));
    Run(CSinks, QStringLiteral("ppmiEditSink"), fileRow);
    QVERIFY(shown.contains(QStringLiteral("ebName=") + cells.at(0)));
    QVERIFY(shown.contains(QStringLiteral("ebDirectory=") + cells.at(2)));
    QCOMPARE(Window().GridRows(CSinks), before);
    QVERIFY(!WindowIsChanged());

    dialogs.Then(EnterFileSink(
        {QStringLiteral("renamed"), QStringLiteral("/srv/moved"), {}, QStringLiteral("60")}));
    Run(CSinks, QStringLiteral("ppmiEditSink"), fileRow);
    QStringList after = before;
    after[fileRow] = QStringLiteral("renamed|File|/srv/moved");
    QCOMPARE(Window().GridRows(CSinks), after);
    QVERIFY(WindowIsChanged());
}

void ListenerSinkCommandsTest::editOnAnElasticsearchSinkDoesNothing() {
    FFolder->WriteConfig(FixtureBytes(QStringLiteral("mainwindow-every-kind.json")));
    Open(*FFolder);
    const QStringList before = Window().GridRows(CSinks);
    const int elasticRow =
        before.indexOf(QRegularExpression(QStringLiteral("^[^|]*\\|Elastic\\|.*$")));
    QVERIFY(elasticRow >= 0);
    DialogScript dialogs;
    MessageBoxRecorder boxes;
    Run(CSinks, QStringLiteral("ppmiEditSink"), elasticRow);
    QVERIFY(dialogs.Shown().isEmpty());
    QVERIFY(boxes.Shown().isEmpty());
    QCOMPARE(Window().GridRows(CSinks), before);
    QVERIFY(!WindowIsChanged());
}

void ListenerSinkCommandsTest::deleteSinkOfEitherKindAsksWithItsName() {
    FFolder->WriteConfig(FixtureBytes(QStringLiteral("mainwindow-every-kind.json")));
    Open(*FFolder);
    QStringList rows = Window().GridRows(CSinks);
    for (const QString& kind : {QStringLiteral("Elastic"), QStringLiteral("File")}) {
        const int row =
            rows.indexOf(QRegularExpression(QStringLiteral("^[^|]*\\|%1\\|.*$").arg(kind)));
        QVERIFY(row >= 0);
        const QString name = rows.at(row).section(QLatin1Char('|'), 0, 0);
        MessageBoxRecorder boxes(TMsgDlgBtn::Yes);
        Run(CSinks, QStringLiteral("ppmiDeleteSink"), row);
        QCOMPARE(boxes.Texts(), QStringList{QStringLiteral("Delete sink %1?").arg(name)});
        rows.removeAt(row);
        QCOMPARE(Window().GridRows(CSinks), rows);
    }
    QVERIFY(WindowIsChanged());
}

void ListenerSinkCommandsTest::duplicatesAreAccepted() {
    Open(*FFolder);
    DialogScript dialogs;
    dialogs.Then(EnterListener({QStringLiteral("10.0.0.5"), {}, {}, {}}))
        .Then(EnterListener({{}, {}, {}, {}}))
        .Then(EnterFileSink({QStringLiteral("same"), QStringLiteral("/srv/a"), {}, {}}))
        .Then(EnterFileSink({QStringLiteral("same"), {}, {}, {}}));
    Run(CListeners, QStringLiteral("ppmiNewListener"));
    Run(CListeners, QStringLiteral("ppmiNewListener"));
    Run(CSinks, QStringLiteral("ppmiNewSink/ppmiNewFileSink"));
    Run(CSinks, QStringLiteral("ppmiNewSink/ppmiNewFileSink"));
    QCOMPARE(dialogs.StepsLeft(), 0);
    QCOMPARE(Window().GridRows(CListeners), (QStringList{QStringLiteral("10.0.0.5|514|514|5140"),
                                                         QStringLiteral("10.0.0.5|514|514|5140")}));
    QCOMPARE(Window().GridRows(CSinks),
             (QStringList{QStringLiteral("same|File|/srv/a"), QStringLiteral("same|File|/srv/a")}));
}

void ListenerSinkCommandsTest::failureInADialogChangesNothingAndReleasesIt() {
    FFolder->WriteConfig(FixtureBytes(QStringLiteral("mainwindow-every-kind.json")));
    Open(*FFolder);
    const QStringList listeners = Window().GridRows(CListeners);
    DialogScript dialogs;
    dialogs.Then([](QDialog&) { throw EFileError("The disk went away"); });
    MessageBoxRecorder boxes;
    Run(CListeners, QStringLiteral("ppmiEditListener"), 0);
    QCOMPARE(boxes.Texts(), QStringList{QStringLiteral("The disk went away")});
    QCOMPARE(boxes.Shown().at(0).Type, TMsgDlgType::Error);
    QCOMPARE(OpenEditorDialogs(), 0);
    QCOMPARE(Window().GridRows(CListeners), listeners);
    QVERIFY(Window().Window().isVisible());
    QVERIFY(!WindowIsChanged());
}

// From an empty folder: two listeners and two file sinks added, one of each edited and one of
// each deleted, then saved. The file must hold exactly the survivors, as edited.
void ListenerSinkCommandsTest::wholeScenarioFromAnEmptyFolder() {
    Open(*FFolder);
    DialogScript dialogs;
    dialogs
        .Then(EnterListener({QStringLiteral(" 10.0.0.5 "), QStringLiteral("1514"),
                             QStringLiteral("1601"), QStringLiteral("6514")}))
        .Then(EnterListener({QStringLiteral("10.0.0.6"), {}, {}, QStringLiteral("6515")}))
        .Then(EnterFileSink({QStringLiteral("main"), QStringLiteral("/var/log/korvex"),
                             QStringLiteral("2048"), QStringLiteral("30")}))
        .Then(EnterFileSink({QStringLiteral("archive"), QStringLiteral("/srv/archive"),
                             QStringLiteral("4096"), QStringLiteral("90")}))
        .Then(EnterListener({{}, QStringLiteral("514"), {}, {}}))
        .Then(EnterFileSink({{}, {}, {}, QStringLiteral("60")}));
    Run(CListeners, QStringLiteral("ppmiNewListener"));
    Run(CListeners, QStringLiteral("ppmiNewListener"));
    Run(CSinks, QStringLiteral("ppmiNewSink/ppmiNewFileSink"));
    Run(CSinks, QStringLiteral("ppmiNewSink/ppmiNewFileSink"));
    Run(CListeners, QStringLiteral("ppmiEditListener"), 0);
    Run(CSinks, QStringLiteral("ppmiEditSink"), 1);
    {
        MessageBoxRecorder boxes(TMsgDlgBtn::Yes);
        Run(CListeners, QStringLiteral("ppmiDeleteListener"), 1);
        Run(CSinks, QStringLiteral("ppmiDeleteSink"), 0);
        QCOMPARE(boxes.Texts(), (QStringList{QStringLiteral("Delete listener on 10.0.0.6?"),
                                             QStringLiteral("Delete sink main?")}));
    }
    QCOMPARE(dialogs.StepsLeft(), 0);
    QCOMPARE(dialogs.Unexpected(), 0);
    QVERIFY(!FFolder->ConfigExists());

    MessageBoxRecorder boxes;
    Window().Click(QStringLiteral("btnSave"));
    QCOMPARE(boxes.Texts(),
             QStringList{QStringLiteral("Config saved to ") + FFolder->ConfigPath()});
    QCOMPARE(FFolder->ReadConfig(), FixtureBytes(QStringLiteral("commands-scenario.saved.json")));
    QVERIFY(!WindowIsChanged());
}

KORVEX_QTEST_MAIN(ListenerSinkCommandsTest)
#include "ListenerSinkCommandsTest.moc"
