// The main window's look: positions and sizes at 96 dpi, captions and items, window flags, font,
// icons and the order in which Tab visits the controls.

#include "support/ApplicationTestMain.h"
#include "support/ConfigFolder.h"
#include "support/MainWindowDriver.h"
#include "ui/kit/RadioGroup.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

class MainWindowLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void controlsSitWhereTheyBelong_data();
    void controlsSitWhereTheyBelong();
    void labelsAreSizedToTheirText_data();
    void labelsAreSizedToTheirText();
    void captionsAndItems();
    void gridsFillTheirPages();
    void windowIsFixedSizeWithCloseBoxOnlyAndCentred();
    void fontIsCalibriMetric15Pixels();
    void tabVisitsTheServerSettingsInOrder();

private:
    std::unique_ptr<ConfigFolder> FFolder;
    std::unique_ptr<MainWindowDriver> FWindow;
};

void MainWindowLayoutTest::initTestCase() {
    FFolder = std::make_unique<ConfigFolder>();
    FWindow = std::make_unique<MainWindowDriver>(*FFolder);
}

void MainWindowLayoutTest::cleanupTestCase() {
    FWindow.reset();
    FFolder.reset();
}

void MainWindowLayoutTest::controlsSitWhereTheyBelong_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    // Window frame.
    QTest::newRow("RzPanel1") << "RzPanel1" << QRect(0, 0, 787, 385);
    QTest::newRow("pcConfig") << "pcConfig" << QRect(0, 0, 787, 385);
    QTest::newRow("RzPanel2") << "RzPanel2" << QRect(0, 385, 787, 41);
    QTest::newRow("RzPanel3") << "RzPanel3" << QRect(625, 0, 162, 41);
    QTest::newRow("btnSave") << "btnSave" << QRect(0, 8, 75, 25);
    QTest::newRow("btnExit") << "btnExit" << QRect(80, 8, 75, 25);
    // Server Config page.
    QTest::newRow("cbLogLevel") << "cbLogLevel" << QRect(20, 32, 209, 26);
    QTest::newRow("neQueueManagerThreads") << "neQueueManagerThreads" << QRect(339, 32, 65, 26);
    QTest::newRow("rgMsgQueue") << "rgMsgQueue" << QRect(432, 8, 297, 50);
    QTest::newRow("ckbServer") << "ckbServer" << QRect(20, 80, 161, 20);
    QTest::newRow("ebServer") << "ebServer" << QRect(20, 112, 508, 26);
    QTest::newRow("ebUserName") << "ebUserName" << QRect(20, 192, 197, 26);
    QTest::newRow("ebPasswd") << "ebPasswd" << QRect(248, 192, 280, 26);
}

void MainWindowLayoutTest::controlsSitWhereTheyBelong() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QCOMPARE(FWindow->Child<QWidget>(name).geometry(), geometry);
}

void MainWindowLayoutTest::labelsAreSizedToTheirText_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<QString>("text");
    QTest::newRow("RzLabel1") << "RzLabel1" << QPoint(20, 8) << "Log Level";
    QTest::newRow("RzLabel2") << "RzLabel2" << QPoint(253, 8) << "Queue Manager Threads";
    QTest::newRow("lbUserName") << "lbUserName" << QPoint(20, 168) << "User Name";
    QTest::newRow("lbPassword") << "lbPassword" << QPoint(248, 168) << "Password";
}

void MainWindowLayoutTest::labelsAreSizedToTheirText() {
    QFETCH(QString, name);
    QFETCH(QPoint, position);
    QFETCH(QString, text);
    const auto& label = FWindow->Child<QLabel>(name);
    QCOMPARE(label.pos(), position);
    QCOMPARE(label.text(), text);
    QCOMPARE(label.size(), label.sizeHint());
}

void MainWindowLayoutTest::captionsAndItems() {
    const TfmConfigMain& window = FWindow->Window();
    QCOMPARE(window.windowTitle(), QStringLiteral("Korvex Syslog Server Config"));

    const auto& pages = FWindow->Child<QTabWidget>(QStringLiteral("pcConfig"));
    QCOMPARE(pages.count(), 3);
    const QStringList pageNames{u"tsServerConfig"_s, u"tsListeners"_s, u"tsSinks"_s};
    const QStringList pageCaptions{u"Server Config"_s, u"Listeners"_s, u"Sinks"_s};
    for (int i = 0; i < pages.count(); ++i) {
        QCOMPARE(pages.widget(i)->objectName(), pageNames.at(i));
        QCOMPARE(pages.tabText(i), pageCaptions.at(i));
        QVERIFY(!pages.tabIcon(i).isNull());
    }
    QCOMPARE(pages.tabBar()->tabRect(0).height(), 24);

    const auto& levels = FWindow->Child<QComboBox>(QStringLiteral("cbLogLevel"));
    QStringList items;
    for (int i = 0; i < levels.count(); ++i)
        items.append(levels.itemText(i));
    QCOMPARE(items,
             (QStringList{u"None"_s, u"Fatal"_s, u"Error"_s, u"Warning"_s, u"Info"_s, u"Debug"_s}));
    QVERIFY(!levels.isEditable());

    const auto& queue = FWindow->Child<TRadioGroup>(QStringLiteral("rgMsgQueue"));
    QCOMPARE(queue.title(), QStringLiteral("Message Queue"));
    QCOMPARE(queue.Items(), (QStringList{u"Single Msg Queue"_s, u"One Per Listener"_s}));
    QCOMPARE(queue.Columns(), 2);
    // Two columns: the items side by side.
    QCOMPARE(queue.ItemButton(0)->y(), queue.ItemButton(1)->y());
    QVERIFY(queue.ItemButton(0)->x() < queue.ItemButton(1)->x());

    QCOMPARE(FWindow->Child<QAbstractButton>(QStringLiteral("ckbServer")).text(),
             QStringLiteral("Get Config From Server"));
    const auto& server = FWindow->Child<QLineEdit>(QStringLiteral("ebServer"));
    QCOMPARE(server.text(), QStringLiteral("http://127.0.0.1:80"));
    QCOMPARE(server.toolTip(), QStringLiteral("Defaults to https on port 443"));
    QVERIFY(FWindow->Child<QLineEdit>(QStringLiteral("ebUserName")).text().isEmpty());
    const auto& password = FWindow->Child<QLineEdit>(QStringLiteral("ebPasswd"));
    QCOMPARE(password.echoMode(), QLineEdit::Password);
    QCOMPARE(password.style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, &password),
             int('*'));

    const auto& save = FWindow->Child<QAbstractButton>(QStringLiteral("btnSave"));
    const auto& exit = FWindow->Child<QAbstractButton>(QStringLiteral("btnExit"));
    QCOMPARE(save.text(), QStringLiteral("&Save"));
    QCOMPARE(exit.text(), QStringLiteral("E&xit"));
    QVERIFY(!save.icon().isNull());
    QVERIFY(!exit.icon().isNull());
    QCOMPARE(save.iconSize(), QSize(16, 16));
}

void MainWindowLayoutTest::gridsFillTheirPages() {
    auto& pages = FWindow->Child<QTabWidget>(QStringLiteral("pcConfig"));
    const struct {
        const char* Page;
        const char* Grid;
        const char* View;
        QList<int> Widths;
    } grids[] = {
        {"tsListeners", "gListeners", "tvListeners", {164, 106, 119, 113}},
        {"tsSinks", "gSinks", "tvSinks", {138, 148, 442}},
    };
    for (const auto& grid : grids) {
        auto& page = FWindow->Child<QWidget>(QString::fromLatin1(grid.Page));
        pages.setCurrentWidget(&page);
        // The page is as wide as the window definition says; its height follows the style's
        // frame below the tabs.
        QCOMPARE(page.width(), 783);
        QCOMPARE(FWindow->Child<QWidget>(QString::fromLatin1(grid.Grid)).geometry(), page.rect());
        const auto& view = FWindow->Child<QTableView>(QString::fromLatin1(grid.View));
        QCOMPARE(view.size(), page.size());
        for (int column = 0; column < grid.Widths.size(); ++column)
            QCOMPARE(view.columnWidth(column), grid.Widths.at(column));
        QCOMPARE(view.selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(view.editTriggers(), QAbstractItemView::NoEditTriggers);
    }
    pages.setCurrentIndex(0);
}

void MainWindowLayoutTest::windowIsFixedSizeWithCloseBoxOnlyAndCentred() {
    const TfmConfigMain& window = FWindow->Window();
    QCOMPARE(window.size(), QSize(787, 426));
    QCOMPARE(window.minimumSize(), QSize(787, 426));
    QCOMPARE(window.maximumSize(), QSize(787, 426));
    const Qt::WindowFlags flags = window.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    const QPoint offCentre =
        window.frameGeometry().center() - window.screen()->availableGeometry().center();
    QVERIFY2(offCentre.manhattanLength() <= 1,
             qPrintable(QStringLiteral("%1,%2").arg(offCentre.x()).arg(offCentre.y())));
}

void MainWindowLayoutTest::fontIsCalibriMetric15Pixels() {
    for (const char* name : {"cbLogLevel", "RzLabel1", "ebServer", "tvListeners", "btnSave"}) {
        const QWidget& control = FWindow->Child<QWidget>(QString::fromLatin1(name));
        QCOMPARE(control.font().pixelSize(), 15);
        const QString family = QFontInfo(control.font()).family();
        QVERIFY2(family == QLatin1String("Calibri") || family == QLatin1String("Carlito"),
                 qPrintable(family));
    }
}

void MainWindowLayoutTest::tabVisitsTheServerSettingsInOrder() {
    TfmConfigMain& window = FWindow->Window();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto& levels = FWindow->Child<QComboBox>(QStringLiteral("cbLogLevel"));
    levels.setFocus(Qt::TabFocusReason);
    QVERIFY(levels.hasFocus());

    const auto& queue = FWindow->Child<TRadioGroup>(QStringLiteral("rgMsgQueue"));
    const QList<const QWidget*> expected{
        &FWindow->Child<QWidget>(QStringLiteral("ckbServer")),
        queue.ItemButton(queue.ItemIndex()),
        &FWindow->Child<QWidget>(QStringLiteral("neQueueManagerThreads")),
        &FWindow->Child<QWidget>(QStringLiteral("ebServer")),
        &FWindow->Child<QWidget>(QStringLiteral("ebUserName")),
        &FWindow->Child<QWidget>(QStringLiteral("ebPasswd")),
        &FWindow->Child<QWidget>(QStringLiteral("btnSave")),
        &FWindow->Child<QWidget>(QStringLiteral("btnExit")),
    };
    for (const QWidget* next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), next->objectName());
    }
}

KORVEX_QTEST_MAIN(MainWindowLayoutTest)
#include "MainWindowLayoutTest.moc"
