// Time from start to the main window shown: the program's own start-up (the probe build, run as a
// child process until its window has been exposed and painted) with no configuration file, a
// typical file and a file with 100,000 listeners, against a bare Qt program that shows one empty
// QMainWindow. A second reference shows a QMainWindow holding one label: the least any window
// with text costs, since an empty window never starts the font system. Each iteration starts a
// fresh process, so the figures include loading the program and Qt. Without a display the
// offscreen platform is used.
//
//   bench_ui_StartupBench [benchmark options]
//   bench_ui_StartupBench --bare-window [--label]     (the reference program itself)

#include "config/ServerConfig.h"

#include <QApplication>
#include <QByteArray>
#include <QLabel>
#include <QMainWindow>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

// --- The reference: one empty QMainWindow ------------------------------------------------------

class ExposeReporter final : public QObject {
protected:
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override {
        auto* window = qobject_cast<QWindow*>(AWatched);
        if (AEvent->type() == QEvent::Expose && window != nullptr && window->isExposed() &&
            !FDone) {
            FDone = true;
            QTimer::singleShot(0, this, [] {
                std::printf("window shown: bare\n");
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(AWatched, AEvent);
    }

private:
    bool FDone = false;
};

int RunBareWindow(int AArgc, char** AArgv, bool AWithLabel) {
    QApplication application(AArgc, AArgv);
    ExposeReporter reporter;
    application.installEventFilter(&reporter);
    QMainWindow window;
    if (AWithLabel)
        window.setCentralWidget(
            new QLabel(QStringLiteral("Korvex Syslog Server Config"))); // owned by the window
    window.show();
    return QApplication::exec();
}

// --- Configuration files -----------------------------------------------------------------------

std::unique_ptr<TListenerConfig> Listener(int AIndex) {
    auto listener = std::make_unique<TListenerConfig>();
    listener->SetNIC("10." + std::to_string(AIndex / 65536 % 256) + "." +
                     std::to_string(AIndex / 256 % 256) + "." + std::to_string(AIndex % 256));
    listener->SetUDPPort(static_cast<uint16_t>(514 + AIndex % 1000));
    listener->SetTCPPort(static_cast<uint16_t>(1514 + AIndex % 1000));
    listener->SetTLSPort(static_cast<uint16_t>(6514 + AIndex % 1000));
    return listener;
}

// A data folder whose configuration file holds AListeners listeners and three sinks, written by
// the model as Save writes it; no file at all when AListeners is negative.
class DataFolder {
public:
    explicit DataFolder(int AListeners) {
        if (!FDir.isValid())
            throw std::runtime_error("cannot create a temporary folder");
        if (AListeners < 0)
            return;
        TSyslogServerConfig document(Path() + "/Velmora/SyslogServer/Svc/svcConfig.json");
        for (int i = 0; i < AListeners; ++i)
            document.Listeners().Add(Listener(i));
        for (int i = 0; i < 2; ++i) {
            auto sink = std::make_unique<TFileSinkConfig>();
            sink->SetName("Files " + std::to_string(i));
            sink->SetDirectory("/var/log/korvex/" + std::to_string(i));
            document.Sinks().Add(std::move(sink));
        }
        auto elastic = std::make_unique<TElasticSearchSinkConfig>();
        elastic->SetName("Search");
        elastic->SetServer("search.example.net");
        document.Sinks().Add(std::move(elastic));
        document.Save();
    }

    std::string Path() const { return FDir.path().toStdString(); }

private:
    QTemporaryDir FDir;
};

// --- Timing ------------------------------------------------------------------------------------

std::string SelfPath;

// Starts AProgram and returns the seconds until it reports its window shown; then lets it end.
double TimeUntilShown(const QString& AProgram, const QStringList& AArguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!environment.contains(QStringLiteral("DISPLAY")) &&
        !environment.contains(QStringLiteral("WAYLAND_DISPLAY")))
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::SeparateChannels);

    const auto start = std::chrono::steady_clock::now();
    process.start(AProgram, AArguments);
    QByteArray output;
    while (!output.contains("window shown")) {
        if (!process.waitForReadyRead(120000))
            throw std::runtime_error("the program ended without showing its window: " +
                                     process.readAllStandardError().toStdString());
        output += process.readAllStandardOutput();
    }
    const auto shown = std::chrono::steady_clock::now();
    process.waitForFinished(120000);
    return std::chrono::duration<double>(shown - start).count();
}

void RunTimed(benchmark::State& AState, const QString& AProgram, const QStringList& AArguments) {
    for (auto _ : AState) {
        try {
            AState.SetIterationTime(TimeUntilShown(AProgram, AArguments));
        } catch (const std::exception& error) {
            AState.SkipWithError(error.what());
            return;
        }
    }
}

void BM_BareQMainWindow(benchmark::State& AState) {
    RunTimed(AState, QString::fromStdString(SelfPath), {QStringLiteral("--bare-window")});
}

void BM_QMainWindowWithLabel(benchmark::State& AState) {
    RunTimed(AState, QString::fromStdString(SelfPath),
             {QStringLiteral("--bare-window"), QStringLiteral("--label")});
}

void BM_EditorWindow(benchmark::State& AState) {
    const DataFolder folder(static_cast<int>(AState.range(0)));
    RunTimed(AState, QStringLiteral(KORVEX_PROBE_PROGRAM),
             {QString::fromStdString(folder.Path()), QStringLiteral("--quit-when-shown")});
}

} // namespace

BENCHMARK(BM_BareQMainWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_QMainWindowWithLabel)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
// -1: no file; 4: a typical file (4 listeners, 3 sinks); 100000 listeners.
BENCHMARK(BM_EditorWindow)
    ->ArgName("listeners")
    ->Arg(-1)
    ->Arg(4)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
BENCHMARK(BM_EditorWindow)
    ->ArgName("listeners")
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--bare-window") == 0)
        return RunBareWindow(argc, argv, argc == 3 && std::strcmp(argv[2], "--label") == 0);
    SelfPath = std::filesystem::absolute(argv[0]).string();
    const QCoreApplication application(argc, argv); // for QProcess
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
