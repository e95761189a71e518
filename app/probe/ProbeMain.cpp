// The probe: the program's own start-up (RunConfigEditor) with the data folder taken from its
// argument instead of the machine-wide one, for tests, benchmarks and screenshots. It writes every
// message box to standard output and answers it with its first button, and reports each window
// once it has been shown and painted:
//
//   korvex-syslog-config-probe DATADIR [--quit-when-shown] [--screenshots FOLDER]
//
// --quit-when-shown ends the program once the main window is up; --screenshots renders the
// pictures of Screenshots() into FOLDER and then ends it.

#include "app/ConfigApplication.h"
#include "app/Startup.h"
#include "app/probe/Screenshots.h"
#include "ui/kit/MessageBox.h"

#include <QEvent>
#include <QSet>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

struct TProbeOptions {
    std::string DataDir;
    bool QuitWhenShown = false;
    std::optional<QString> ScreenshotFolder;
};

const char* KindName(TMsgDlgType AType) {
    switch (AType) {
    case TMsgDlgType::Warning:
        return "Warning";
    case TMsgDlgType::Error:
        return "Error";
    case TMsgDlgType::Information:
        return "Information";
    case TMsgDlgType::Confirmation:
        return "Confirmation";
    }
    return "?";
}

// Reports the first exposure of each top-level window, after it has been painted, and then does
// what the options ask.
class TShownWindowReporter final : public QObject {
public:
    explicit TShownWindowReporter(const TProbeOptions& AOptions) : FOptions(AOptions) {}

protected:
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override {
        if (AEvent->type() == QEvent::Expose) {
            auto* window = qobject_cast<QWindow*>(AWatched);
            if (window != nullptr && window->isExposed() && !FReported.contains(window)) {
                FReported.insert(window);
                // Queued, so that the window has painted itself when the report is written.
                QTimer::singleShot(0, this, [this, window] { Report(window); });
            }
        }
        return QObject::eventFilter(AWatched, AEvent);
    }

private:
    void Report(QWindow* AWindow) {
        QWidget* widget = nullptr;
        for (QWidget* topLevel : QApplication::topLevelWidgets())
            if (topLevel->windowHandle() == AWindow)
                widget = topLevel;
        if (widget == nullptr)
            return;
        std::printf("window shown: %s\n", qPrintable(widget->objectName()));
        std::fflush(stdout);
        if (widget->objectName() != QLatin1String("fmConfigMain"))
            return;
        if (FOptions.ScreenshotFolder && !TakeScreenshots(*widget, *FOptions.ScreenshotFolder))
            QCoreApplication::exit(EXIT_FAILURE);
        else if (FOptions.ScreenshotFolder || FOptions.QuitWhenShown)
            QCoreApplication::quit();
    }

    const TProbeOptions& FOptions;
    QSet<QWindow*> FReported;
};

std::optional<TProbeOptions> ParseOptions(const QStringList& AArguments) {
    TProbeOptions options;
    bool haveDataDir = false;
    for (qsizetype i = 1; i < AArguments.size(); ++i) {
        const QString& argument = AArguments.at(i);
        if (argument == QLatin1String("--quit-when-shown"))
            options.QuitWhenShown = true;
        else if (argument == QLatin1String("--screenshots") && i + 1 < AArguments.size())
            options.ScreenshotFolder = AArguments.at(++i);
        else if (!argument.startsWith(QLatin1String("--")) && !haveDataDir) {
            options.DataDir = argument.toStdString();
            haveDataDir = true;
        } else
            return std::nullopt;
    }
    if (!haveDataDir)
        return std::nullopt;
    return options;
}

} // namespace

int main(int argc, char* argv[]) {
    TConfigApplication application(argc, argv);
    const std::optional<TProbeOptions> options = ParseOptions(QCoreApplication::arguments());
    if (!options) {
        std::fputs("usage: korvex-syslog-config-probe DATADIR [--quit-when-shown] "
                   "[--screenshots FOLDER]\n",
                   stderr);
        return 2;
    }

    SetMessageDlgAnswerer(
        [](const QString& AText, TMsgDlgType AType, const QList<TMsgDlgBtn>& AButtons) {
            std::printf("message box: %s: %s\n", KindName(AType), AText.toUtf8().constData());
            std::fflush(stdout);
            return AButtons.first();
        });
    TShownWindowReporter reporter(*options);
    application.installEventFilter(&reporter);

    return RunConfigEditor(options->DataDir);
}
