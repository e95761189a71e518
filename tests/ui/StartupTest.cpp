// Start-up and the application's error handling. The program's own start-up runs as a child
// process (the probe build, which takes the data folder as its argument and reports its message
// boxes and windows on standard output); the application object's handling of an exception that
// escapes an event runs in this process.

#include "platform/Errors.h"
#include "support/ApplicationTestMain.h"
#include "support/ConfigFolder.h"
#include "support/MessageBoxRecorder.h"
#include "ui/ServiceConfigMain.h"
#include "ui/kit/ErrorHandling.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

namespace {

struct ProgramRun {
    int ExitCode = -1;
    QString Output;
    QString Errors;
};

// Runs the program's start-up over AFolder until its window is up or it ends.
ProgramRun RunProgram(const ConfigFolder& AFolder) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                       QString::fromStdString(AFolder.DataDir()) + QStringLiteral("/xdg-config"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KORVEX_PROBE_PROGRAM),
                  {QString::fromStdString(AFolder.DataDir()), QStringLiteral("--quit-when-shown")});
    ProgramRun run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        run.Errors = QStringLiteral("the program did not end by itself");
        return run;
    }
    run.ExitCode = process.exitCode();
    run.Output = QString::fromUtf8(process.readAllStandardOutput());
    run.Errors = QString::fromUtf8(process.readAllStandardError());
    return run;
}

class ThrowingObject final : public QObject {
protected:
    bool event(QEvent* AEvent) override {
        if (AEvent->type() == QEvent::User)
            throw EFileError("Cannot write /nowhere: disk gone");
        return QObject::event(AEvent);
    }
};

class ThrowingHandler final : public QObject {
public:
    void Raise() { throw EConvertError("'x' is not a valid integer value"); }
};

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void brokenFileEndsTheProgramWithItsMessage_data();
    void brokenFileEndsTheProgramWithItsMessage();
    void readableFileOrNoneShowsTheWindow_data();
    void readableFileOrNoneShowsTheWindow();
    void pathThatCannotBeExaminedIsAnErrorNotTheDefaults();
    void exceptionEscapingAnEventIsShownAndTheProgramGoesOn();
    void exceptionEscapingAHandlerIsShown();
};

void StartupTest::brokenFileEndsTheProgramWithItsMessage_data() {
    QTest::addColumn<QByteArray>("file");
    // Empty: the parser's own text, which names the file.
    QTest::addColumn<QString>("message");
    QTest::newRow("not JSON") << QByteArray("{\"logLevel\": ") << QString();
    QTest::newRow("top level not an object") << QByteArray("[1, 2]") << "Invalid class typecast";
    QTest::newRow("listeners not an array")
        << QByteArray("{\"listeners\": {}}") << "Invalid class typecast";
    QTest::newRow("sink without a type")
        << QByteArray("{\"sinks\": [{\"name\": \"a\"}]}") << "No Sink Type";
    QTest::newRow("sink of an unknown type")
        << QByteArray("{\"sinks\": [{\"sinkType\": \"db\"}]}") << "Invalid Sink Type db";
}

void StartupTest::brokenFileEndsTheProgramWithItsMessage() {
    QFETCH(QByteArray, file);
    QFETCH(QString, message);
    ConfigFolder folder;
    folder.WriteConfig(file);

    const ProgramRun run = RunProgram(folder);
    QVERIFY2(run.ExitCode > 0, qPrintable(run.Errors));
    QVERIFY2(!run.Output.contains(QStringLiteral("window shown")), qPrintable(run.Output));
    const QStringList boxes = run.Output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(boxes.size(), 1);
    QVERIFY(boxes.first().startsWith(QStringLiteral("message box: Error: ")));
    const QString shown = boxes.first().mid(QStringLiteral("message box: Error: ").size());
    if (message.isEmpty())
        QVERIFY2(shown.contains(folder.ConfigPath()), qPrintable(shown));
    else
        QCOMPARE(shown, message);
    // The same text on standard error.
    QVERIFY2(run.Errors.contains(shown), qPrintable(run.Errors));
}

void StartupTest::readableFileOrNoneShowsTheWindow_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("folderInPlaceOfFile");
    QTest::newRow("no file") << QByteArray() << false;
    QTest::newRow("a folder where the file would be") << QByteArray() << true;
    QTest::newRow("a readable file")
        << FixtureBytes(QStringLiteral("mainwindow-every-kind.json")) << false;
}

void StartupTest::readableFileOrNoneShowsTheWindow() {
    QFETCH(QByteArray, file);
    QFETCH(bool, folderInPlaceOfFile);
    ConfigFolder folder;
    if (!file.isEmpty())
        folder.WriteConfig(file);
    if (folderInPlaceOfFile)
        QVERIFY(QDir().mkpath(folder.ConfigPath()));

    const ProgramRun run = RunProgram(folder);
    QCOMPARE(run.ExitCode, 0);
    QCOMPARE(run.Output, QStringLiteral("window shown: fmConfigMain\n"));
}

void StartupTest::pathThatCannotBeExaminedIsAnErrorNotTheDefaults() {
    // A link to itself cannot be followed, whoever runs the test.
    ConfigFolder folder;
    QVERIFY(QDir().mkpath(folder.SvcFolder()));
    QVERIFY(QFile::link(folder.ConfigPath(), folder.ConfigPath()));
    MessageBoxRecorder boxes;
    try {
        TfmConfigMain window(nullptr, folder.DataDir());
        QFAIL("the window opened over a configuration it could not examine");
    } catch (const EFileError& error) {
        QVERIFY2(QString::fromUtf8(error.what())
                     .startsWith(QStringLiteral("Cannot access ") + folder.ConfigPath()),
                 error.what());
    }
    QVERIFY(boxes.Shown().isEmpty());
}

void StartupTest::exceptionEscapingAnEventIsShownAndTheProgramGoesOn() {
    MessageBoxRecorder boxes;
    ThrowingObject receiver;
    QEvent event(QEvent::User);
    QVERIFY(!QCoreApplication::sendEvent(&receiver, &event));
    QCOMPARE(boxes.Texts(), QStringList{QStringLiteral("Cannot write /nowhere: disk gone")});
    QCOMPARE(boxes.Shown().first().Type, TMsgDlgType::Error);
    QCOMPARE(boxes.Shown().first().Buttons, QList<TMsgDlgBtn>{TMsgDlgBtn::OK});

    // Events go on being delivered.
    QEvent other(QEvent::DynamicPropertyChange);
    QCoreApplication::sendEvent(&receiver, &other);
    QCOMPARE(boxes.Shown().size(), 1);
}

void StartupTest::exceptionEscapingAHandlerIsShown() {
    MessageBoxRecorder boxes;
    QObject sender;
    ThrowingHandler handler;
    connect(&sender, &QObject::objectNameChanged, &handler,
            EventHandler(&handler, &ThrowingHandler::Raise));
    sender.setObjectName(QStringLiteral("changed"));
    QCOMPARE(boxes.Texts(), QStringList{QStringLiteral("'x' is not a valid integer value")});
}

KORVEX_QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
