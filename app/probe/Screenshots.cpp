#include "app/probe/Screenshots.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTabWidget>
#include <QWidget>
#include <cstdio>

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

} // namespace

const QList<TScreenshot>& Screenshots() {
    static const QList<TScreenshot> screenshots = {
        MainWindowPage(QStringLiteral("main-window-server-config.png"), 0),
        MainWindowPage(QStringLiteral("main-window-listeners.png"), 1),
        MainWindowPage(QStringLiteral("main-window-sinks.png"), 2),
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
        const bool saved = shown != nullptr && shown->grab().save(path, "PNG");
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
