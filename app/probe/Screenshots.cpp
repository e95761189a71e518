#include "app/probe/Screenshots.h"

#include "config/ServerConfig.h"
#include "ui/FileSinkConfigEdit.h"
#include "ui/ListenerConfigEdit.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QTabWidget>
#include <QWidget>
#include <cstdio>
#include <functional>

namespace {

// A picture of the main window showing the page APage of its page control.
TScreenshot MainWindowPage(const QString& AFileName, int APage) {
    return {AFileName,
            [APage](QWidget& AMainWindow) {
                auto* pages = AMainWindow.findChild<QTabWidget*>(QStringLiteral("pcConfig"));
                if (pages != nullptr)
                    pages->setCurrentIndex(APage);
                return &AMainWindow;
            },
            {}};
}

// A picture of an editor dialog as the main window's commands open it: ACreate makes it, on a
// record of the document (or none); it is released when the picture is taken.
TScreenshot EditorDialog(const QString& AFileName, std::function<QWidget*()> ACreate) {
    return {AFileName,
            [ACreate](QWidget& /*AMainWindow*/) {
                QWidget* dialog = ACreate();
                dialog->show();
                return dialog;
            },
            [](QWidget* AShown) { delete AShown; }};
}

QWidget* ListenerEditor() {
    const TListenerConfigList& listeners = SyslogServerConfig->Listeners();
    return new TfmListenerConfigEdit(nullptr, listeners.Count() > 0 ? &listeners.ListenerConfig(0)
                                                                    : nullptr);
}

QWidget* FileSinkEditor() {
    const TSinkConfigList& sinks = SyslogServerConfig->Sinks();
    for (int32_t i = 0; i < sinks.Count(); ++i)
        if (const auto* sink = dynamic_cast<const TFileSinkConfig*>(&sinks.SinkConfig(i)))
            return new TfmFileSinkConfigEdit(nullptr, sink);
    return new TfmFileSinkConfigEdit(nullptr, nullptr);
}

// A picture of the main window with a grid's popup menu open over its first row; for the sink
// menu, with the submenu of its first item open as well.
TScreenshot PopupMenu(const QString& AFileName, int APage, const char* AView, const char* AMenu,
                      bool AOpenSubmenu) {
    return {AFileName,
            [=](QWidget& AMainWindow) {
                auto* pages = AMainWindow.findChild<QTabWidget*>(QStringLiteral("pcConfig"));
                auto* view = AMainWindow.findChild<QAbstractItemView*>(QString::fromLatin1(AView));
                auto* menu = AMainWindow.findChild<QMenu*>(QString::fromLatin1(AMenu));
                if (pages == nullptr || view == nullptr || menu == nullptr)
                    return static_cast<QWidget*>(nullptr);
                pages->setCurrentIndex(APage);
                QApplication::sendPostedEvents();
                const QModelIndex first = view->model()->index(0, 0);
                if (first.isValid())
                    view->setCurrentIndex(first);
                const QPoint where = first.isValid() ? view->visualRect(first).center()
                                                     : view->viewport()->rect().center();
                menu->popup(view->viewport()->mapToGlobal(where));
                if (AOpenSubmenu && !menu->actions().isEmpty()) {
                    QAction* opener = menu->actions().first();
                    menu->setActiveAction(opener);
                    if (QMenu* submenu = opener->menu())
                        submenu->popup(menu->mapToGlobal(menu->actionGeometry(opener).topRight()));
                }
                return &AMainWindow;
            },
            [AMenu](QWidget* AShown) {
                if (AShown == nullptr)
                    return;
                if (auto* menu = AShown->findChild<QMenu*>(QString::fromLatin1(AMenu)))
                    menu->close();
            }};
}

// True when AOwner is AWidget's parent, grandparent and so on, windows in between included.
bool Owns(const QWidget& AOwner, const QWidget* AWidget) {
    for (const QWidget* parent = AWidget->parentWidget(); parent != nullptr;
         parent = parent->parentWidget())
        if (parent == &AOwner)
            return true;
    return false;
}

// APicture of AShown with the popup menus open over it painted in, where they stand.
QPixmap WithOpenPopups(const QWidget& AShown, QPixmap APicture) {
    QPainter painter(&APicture);
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* menu = qobject_cast<QMenu*>(widget);
        if (menu == nullptr || !menu->isVisible() || !Owns(AShown, menu))
            continue;
        painter.drawPixmap(menu->pos() - AShown.mapToGlobal(QPoint()), menu->grab());
    }
    return APicture;
}

} // namespace

const QList<TScreenshot>& Screenshots() {
    static const QList<TScreenshot> screenshots = {
        MainWindowPage(QStringLiteral("main-window-server-config.png"), 0),
        MainWindowPage(QStringLiteral("main-window-listeners.png"), 1),
        MainWindowPage(QStringLiteral("main-window-sinks.png"), 2),
        PopupMenu(QStringLiteral("listener-popup-menu.png"), 1, "tvListeners", "ppmListeners",
                  false),
        PopupMenu(QStringLiteral("sink-popup-menu.png"), 2, "tvSinks", "ppmSinks", true),
        EditorDialog(QStringLiteral("listener-editor.png"), ListenerEditor),
        EditorDialog(QStringLiteral("file-sink-editor.png"), FileSinkEditor),
    };
    return screenshots;
}

bool TakeScreenshots(QWidget& AMainWindow, const QString& AFolder) {
    if (!QDir().mkpath(AFolder)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(AFolder));
        return false;
    }
    for (const TScreenshot& screenshot : Screenshots()) {
        QWidget* shown = screenshot.Prepare(AMainWindow);
        // Let pending layout and paint requests settle before rendering.
        QApplication::sendPostedEvents();
        const QString path = QDir(AFolder).filePath(screenshot.FileName);
        const bool saved =
            shown != nullptr && WithOpenPopups(*shown, shown->grab()).save(path, "PNG");
        if (screenshot.Finish)
            screenshot.Finish(shown);
        if (!saved) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return false;
        }
        std::printf("screenshot: %s\n", qPrintable(path));
    }
    return true;
}
