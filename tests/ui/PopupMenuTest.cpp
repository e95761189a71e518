#include "ui/kit/PopupMenu.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

// A grid with three rows and its popup menu, shown and active.
class PopupMenuTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void rightClickFocusesTheRowAndOpensTheMenuThere();
    void rightClickOnTheColumnHeadersOpensTheMenuAtTheMouse();
    void keyboardOpensTheMenuAtTheFocusedRow_data();
    void keyboardOpensTheMenuAtTheFocusedRow();
    void otherKeysDoNotOpenIt_data();
    void otherKeysDoNotOpenIt();
    void aSecondRequestWhileOpenShowsOneMenu();
    void menuItemIsChosenWithTheKeyboard();

private:
    std::unique_ptr<QTableView> FView;
    std::unique_ptr<QStandardItemModel> FModel;
    std::unique_ptr<QMenu> FMenu;
    QAction* FEdit = nullptr;
};

void PopupMenuTest::init() {
    FModel = std::make_unique<QStandardItemModel>(3, 2);
    for (int row = 0; row < 3; ++row)
        FModel->setItem(row, 0, new QStandardItem(QStringLiteral("row %1").arg(row)));
    FView = std::make_unique<QTableView>();
    FView->setModel(FModel.get());
    FView->setSelectionBehavior(QAbstractItemView::SelectRows);
    FView->resize(300, 200);
    FMenu = std::make_unique<QMenu>();
    FMenu->addAction(QStringLiteral("&New"));
    FEdit = FMenu->addAction(QStringLiteral("&Edit"));
    AttachPopupMenu(*FView, *FMenu);
    FView->show();
    QVERIFY(QTest::qWaitForWindowActive(FView.get()));
    FView->setFocus();
}

void PopupMenuTest::cleanup() {
    FMenu->hide();
    FView.reset();
    FMenu.reset();
    FModel.reset();
}

void PopupMenuTest::rightClickFocusesTheRowAndOpensTheMenuThere() {
    // A right click as the platform delivers it: the press, then its context-menu request.
    const QRect row2 = FView->visualRect(FModel->index(2, 0));
    QTest::mousePress(FView->viewport(), Qt::RightButton, {}, row2.center());
    QCOMPARE(FView->currentIndex().row(), 2);
    QContextMenuEvent request(QContextMenuEvent::Mouse, row2.center(),
                              FView->viewport()->mapToGlobal(row2.center()));
    QApplication::sendEvent(FView->viewport(), &request);
    QTRY_VERIFY(FMenu->isVisible());
    QCOMPARE(FMenu->pos(), FView->viewport()->mapToGlobal(row2.center()));
}

void PopupMenuTest::rightClickOnTheColumnHeadersOpensTheMenuAtTheMouse() {
    // The header does not handle the request itself; it reaches the view, and the menu opens
    // where the mouse is, not at the focused row further down.
    FView->setCurrentIndex(FModel->index(2, 0));
    QHeaderView* header = FView->horizontalHeader();
    const QPoint where(header->sectionViewportPosition(1) + 10, header->height() / 2);
    const QPoint global = header->viewport()->mapToGlobal(where);
    QContextMenuEvent request(QContextMenuEvent::Mouse, where, global);
    QApplication::sendEvent(header->viewport(), &request);
    QTRY_VERIFY(FMenu->isVisible());
    QCOMPARE(FMenu->pos(), global);
}

void PopupMenuTest::keyboardOpensTheMenuAtTheFocusedRow_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("platformRequest");
    QTest::newRow("context-menu key") << int(Qt::Key_Menu) << int(Qt::NoModifier) << false;
    QTest::newRow("Shift+F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier) << false;
    QTest::newRow("the platform's keyboard request") << 0 << 0 << true;
}

void PopupMenuTest::keyboardOpensTheMenuAtTheFocusedRow() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, platformRequest);
    FView->setCurrentIndex(FModel->index(1, 0));
    if (platformRequest) {
        QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(5, 5),
                                  FView->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(FView.get(), &request);
    } else {
        QTest::keyClick(FView.get(), static_cast<Qt::Key>(key),
                        static_cast<Qt::KeyboardModifiers>(modifiers));
    }
    QTRY_VERIFY(FMenu->isVisible());
    const QRect row1 = FView->visualRect(FModel->index(1, 0));
    QCOMPARE(FMenu->pos(), FView->viewport()->mapToGlobal(QPoint(row1.left(), row1.bottom())));
}

void PopupMenuTest::otherKeysDoNotOpenIt_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("F10") << int(Qt::Key_F10) << int(Qt::NoModifier);
    QTest::newRow("Ctrl+F10") << int(Qt::Key_F10) << int(Qt::ControlModifier);
    QTest::newRow("Shift+Menu") << int(Qt::Key_Menu) << int(Qt::ShiftModifier);
}

void PopupMenuTest::otherKeysDoNotOpenIt() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QTest::keyClick(FView.get(), static_cast<Qt::Key>(key),
                    static_cast<Qt::KeyboardModifiers>(modifiers));
    QCoreApplication::processEvents();
    QVERIFY(!FMenu->isVisible());
}

void PopupMenuTest::aSecondRequestWhileOpenShowsOneMenu() {
    QTest::keyClick(FView.get(), Qt::Key_Menu);
    QTRY_VERIFY(FMenu->isVisible());
    const QPoint first = FMenu->pos();
    QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(100, 100),
                              FView->mapToGlobal(QPoint(100, 100)));
    QApplication::sendEvent(FView.get(), &request);
    QCOMPARE(FMenu->pos(), first);
    QCOMPARE(QApplication::activePopupWidget(), FMenu.get());
}

void PopupMenuTest::menuItemIsChosenWithTheKeyboard() {
    bool edited = false;
    connect(FEdit, &QAction::triggered, this, [&] { edited = true; });
    QTest::keyClick(FView.get(), Qt::Key_F10, Qt::ShiftModifier);
    QTRY_VERIFY(FMenu->isVisible());
    QTest::keyClick(FMenu.get(), Qt::Key_E);
    QTRY_VERIFY(edited);
    QVERIFY(!FMenu->isVisible());
}

QTEST_MAIN(PopupMenuTest)
#include "PopupMenuTest.moc"
