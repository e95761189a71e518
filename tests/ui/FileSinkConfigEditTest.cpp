#include "ui/FileSinkConfigEdit.h"

#include "config/ServerConfig.h"
#include "support/ControlPlacement.h"
#include "support/DialogKeys.h"
#include "support/MessageBoxRecorder.h"
#include "support/SettingsSandbox.h"
#include "ui/kit/ButtonEdit.h"
#include "ui/kit/FolderChooser.h"
#include "ui/kit/NumericEdit.h"
#include "util/Utilities.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>

namespace {

const std::string FormKey = "FileConfigEdit";

std::string Remembered(const char* AValueName) {
    return TUtilities::GetFormKey(FormKey, AValueName);
}

void RememberFileSink(const char* ADir, const char* ASize, const char* ARetention) {
    TUtilities::SetFormKey(FormKey, "Dir", ADir);
    TUtilities::SetFormKey(FormKey, "Size", ASize);
    TUtilities::SetFormKey(FormKey, "Retention", ARetention);
}

// Answers the folder chooser during a test and records how it was asked.
class FolderChooserAnswer {
public:
    explicit FolderChooserAnswer(std::optional<QString> AAnswer) {
        FPrevious = SetFolderChooserAnswerer(
            [this, AAnswer](const QString& APrompt, const QString& AStart) {
                Prompts.append(APrompt);
                Starts.append(AStart);
                return AAnswer;
            });
    }
    ~FolderChooserAnswer() { SetFolderChooserAnswerer(std::move(FPrevious)); }
    FolderChooserAnswer(const FolderChooserAnswer&) = delete;
    FolderChooserAnswer& operator=(const FolderChooserAnswer&) = delete;

    QStringList Prompts;
    QStringList Starts;

private:
    TFolderChooserAnswerer FPrevious;
};

// The dialog, shown and active, with typed access to its controls.
class FileSinkDialog {
public:
    explicit FileSinkDialog(const TFileSinkConfig* AConfig = nullptr)
        : Form(std::make_unique<TfmFileSinkConfigEdit>(nullptr, AConfig)) {
        Form->show();
        Active = QTest::qWaitForWindowActive(Form.get());
    }
    QLineEdit* Name() const { return Find<QLineEdit>("ebName"); }
    TButtonEdit* Directory() const { return Find<TButtonEdit>("ebDirectory"); }
    TNumericEdit* FileSize() const { return Find<TNumericEdit>("neFileSize"); }
    TNumericEdit* Retention() const { return Find<TNumericEdit>("neFileRetention"); }
    QStringList Shown() const {
        return {Name()->text(), Directory()->text(), FileSize()->text(), Retention()->text()};
    }
    // Picks AFolder with the folder button, as a user would.
    void ChooseFolder(const QString& AFolder) const {
        FolderChooserAnswer answer(AFolder);
        QTest::mouseClick(Directory()->Button(), Qt::LeftButton);
    }

    template <typename T> T* Find(const char* AName) const {
        return Form->findChild<T*>(QString::fromLatin1(AName));
    }

    std::unique_ptr<TfmFileSinkConfigEdit> Form;
    bool Active = false;
};

QStringList Texts(std::initializer_list<QString> ATexts) {
    return QStringList(ATexts);
}

TFileSinkConfig MakeSink(const char* AName, const char* ADirectory, int32_t ASize,
                         int32_t ARetention) {
    TFileSinkConfig sink;
    sink.SetName(AName);
    sink.SetDirectory(ADirectory);
    sink.SetFileSizeKb(ASize);
    sink.SetRetentionDays(ARetention);
    return sink;
}

} // namespace

class FileSinkConfigEditTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void layoutAndCaptions_data();
    void layoutAndCaptions();
    void tabOrderRunsThroughTheFieldsThenTheButtons();
    void firstUseStartsFromDefaults();
    void directoryCannotBeTyped();
    void refusalsComeOneAtATimeInOrder_data();
    void refusalsComeOneAtATimeInOrder();
    void nameThenDirectoryAreAskedForInTurn();
    void okOnANewSinkRemembersAllButTheName();
    void editShowsTheRecordAndOkRemembersIt();
    void cancelChangesNothing_data();
    void cancelChangesNothing();
    void rememberedNumberTexts();
    void folderChooserStartsAtTheShownFolder_data();
    void folderChooserStartsAtTheShownFolder();
    void cancelledFolderChooserChangesNothing();
    void folderButtonWorksFromTheKeyboard();
    void staleDirectoryIsAcceptedOnOk();

private:
    std::unique_ptr<SettingsSandbox> FSandbox;
};

void FileSinkConfigEditTest::init() {
    FSandbox = std::make_unique<SettingsSandbox>();
    QVERIFY(FSandbox->IsValid());
}

void FileSinkConfigEditTest::cleanup() {
    FSandbox.reset();
}

void FileSinkConfigEditTest::layoutAndCaptions_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry"); // within gbModal; a label's size is its own
    QTest::addColumn<QString>("caption");
    QTest::newRow("RzLabel2") << "RzLabel2" << QRect(8, 24, 0, 0) << "Name";
    QTest::newRow("ebName") << "ebName" << QRect(8, 48, 161, 26) << "";
    QTest::newRow("RzLabel1") << "RzLabel1" << QRect(192, 24, 0, 0) << "Directory";
    QTest::newRow("ebDirectory") << "ebDirectory" << QRect(192, 48, 393, 26) << "";
    QTest::newRow("RzLabel3") << "RzLabel3" << QRect(8, 88, 0, 0) << "Max File Size (Kb)";
    QTest::newRow("neFileSize") << "neFileSize" << QRect(8, 112, 109, 26) << "";
    QTest::newRow("RzLabel4") << "RzLabel4" << QRect(192, 88, 0, 0) << "File Retention (Days)";
    QTest::newRow("neFileRetention") << "neFileRetention" << QRect(192, 112, 109, 26) << "";
}

void FileSinkConfigEditTest::layoutAndCaptions() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    FileSinkDialog dialog;
    QCOMPARE(dialog.Form->windowTitle(), QStringLiteral("File Sink Config Edit"));
    QCOMPARE(dialog.Form->size(), QSize(590, 183));
    auto* group = dialog.Find<QGroupBox>("gbModal");
    QCOMPARE(group->title(), QStringLiteral("Config Detail"));
    QCOMPARE(group->size(), QSize(590, 156));

    VerifyControlPlacement(*group, dialog.Find<QWidget>(name.toLatin1().constData()), geometry,
                           caption);
}

void FileSinkConfigEditTest::tabOrderRunsThroughTheFieldsThenTheButtons() {
    FileSinkDialog dialog;
    QVERIFY(dialog.Active);
    QVERIFY(dialog.Name()->hasFocus());
    QCOMPARE(TabSequence(6), Texts({QStringLiteral("ebDirectory"), QStringLiteral("neFileSize"),
                                    QStringLiteral("neFileRetention"), QStringLiteral("btnOK"),
                                    QStringLiteral("btnCancel"), QStringLiteral("ebName")}));
}

void FileSinkConfigEditTest::firstUseStartsFromDefaults() {
    FileSinkDialog dialog;
    QCOMPARE(dialog.Shown(),
             Texts({QString(), QString(), QStringLiteral("1024"), QStringLiteral("7")}));
}

void FileSinkConfigEditTest::directoryCannotBeTyped() {
    RememberFileSink("/var/log/collector", "1024", "7");
    FileSinkDialog dialog;
    QVERIFY(dialog.Active);
    QVERIFY(dialog.Directory()->isReadOnly());
    TypeOver(dialog.Directory(), QStringLiteral("/tmp"));
    QTest::keyClick(dialog.Directory(), Qt::Key_Backspace);
    QCOMPARE(dialog.Directory()->text(), QStringLiteral("/var/log/collector"));
    QVERIFY(dialog.Directory()->Button()->isVisible());
    QVERIFY(dialog.Directory()->Button()->isEnabled());
    QCOMPARE(dialog.Directory()->Button()->width(), TButtonEdit::ButtonWidth);
    QVERIFY(dialog.Directory()->Button()->geometry().right() < dialog.Directory()->width());
}

void FileSinkConfigEditTest::refusalsComeOneAtATimeInOrder_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("retention");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("sizeShown");
    QTest::addColumn<QString>("retentionShown");
    const QString dir = QStringLiteral("/var/log/collector");
    QTest::newRow("nothing given") << ""
                                   << ""
                                   << "0"
                                   << "0"
                                   << "You must have a name."
                                   << "0"
                                   << "0";
    QTest::newRow("blank name") << "   " << dir << "1"
                                << "1"
                                << "You must have a name."
                                << "1"
                                << "1";
    QTest::newRow("no directory") << "main"
                                  << ""
                                  << "0"
                                  << "0"
                                  << "You must have a directory."
                                  << "0"
                                  << "0";
    QTest::newRow("zero size") << "main" << dir << "0"
                               << "0"
                               << "You must have a non zero file size."
                               << "0"
                               << "0";
    QTest::newRow("negative size") << "main" << dir << "-5"
                                   << "7"
                                   << "You must have a non zero file size."
                                   << "-5"
                                   << "7";
    QTest::newRow("empty size counts as 0") << "main" << dir << ""
                                            << "7"
                                            << "You must have a non zero file size."
                                            << "0"
                                            << "7";
    QTest::newRow("zero retention") << "main" << dir << "1"
                                    << "0"
                                    << "You must have a non zero retention."
                                    << "1"
                                    << "0";
    QTest::newRow("empty retention counts as 0") << "main" << dir << "1"
                                                 << ""
                                                 << "You must have a non zero retention."
                                                 << "1"
                                                 << "0";
}

void FileSinkConfigEditTest::refusalsComeOneAtATimeInOrder() {
    QFETCH(QString, name);
    QFETCH(QString, directory);
    QFETCH(QString, size);
    QFETCH(QString, retention);
    QFETCH(QString, message);
    QFETCH(QString, sizeShown);
    QFETCH(QString, retentionShown);
    MessageBoxRecorder boxes;
    FileSinkDialog dialog;
    QVERIFY(dialog.Active);
    if (!directory.isEmpty())
        dialog.ChooseFolder(directory);
    TypeOver(dialog.FileSize(), size);
    TypeOver(dialog.Retention(), retention);
    TypeOver(dialog.Name(), name);
    QTest::keyClick(dialog.Name(), Qt::Key_Return);

    QCOMPARE(boxes.Texts(), QStringList{message});
    QCOMPARE(boxes.Shown().at(0).Type, TMsgDlgType::Error);
    QCOMPARE(boxes.Shown().at(0).Buttons, QList<TMsgDlgBtn>{TMsgDlgBtn::OK});
    QVERIFY(dialog.Form->isVisible());
    QCOMPARE(dialog.Form->result(), mrNone);
    QCOMPARE(dialog.Shown(), Texts({name, directory, sizeShown, retentionShown}));
    QCOMPARE(Remembered("Dir"), std::string());
    QCOMPARE(Remembered("Size"), std::string());
}

void FileSinkConfigEditTest::nameThenDirectoryAreAskedForInTurn() {
    MessageBoxRecorder boxes;
    FileSinkDialog dialog;
    QVERIFY(dialog.Active);
    QTest::keyClick(dialog.Name(), Qt::Key_Return);
    TypeOver(dialog.Name(), QStringLiteral("main"));
    QTest::keyClick(dialog.Name(), Qt::Key_Return);
    dialog.ChooseFolder(QStringLiteral("/var/log/collector"));
    QTest::keyClick(dialog.Name(), Qt::Key_Return);
    QCOMPARE(boxes.Texts(), (QStringList{QStringLiteral("You must have a name."),
                                         QStringLiteral("You must have a directory.")}));
    QCOMPARE(dialog.Form->result(), mrOk);
}

void FileSinkConfigEditTest::okOnANewSinkRemembersAllButTheName() {
    {
        FileSinkDialog dialog;
        QVERIFY(dialog.Active);
        TypeOver(dialog.Name(), QStringLiteral("  main "));
        dialog.ChooseFolder(QStringLiteral("/var/log/collector"));
        TypeOver(dialog.FileSize(), QStringLiteral("2048"));
        TypeOver(dialog.Retention(), QStringLiteral("30"));
        QTest::keyClick(dialog.Retention(), Qt::Key_Return);
        QCOMPARE(dialog.Form->result(), mrOk);
        const TFileSinkConfig& sink = dialog.Form->Config();
        QCOMPARE(sink.Name(), std::string("main"));
        QCOMPARE(sink.Directory(), std::string("/var/log/collector"));
        QCOMPARE(sink.FileSizeKb(), 2048);
        QCOMPARE(sink.RetentionDays(), 30);
    }
    QCOMPARE(Remembered("Dir"), std::string("/var/log/collector"));
    QCOMPARE(Remembered("Size"), std::string("2048"));
    QCOMPARE(Remembered("Retention"), std::string("30"));
    QCOMPARE(Remembered("Name"), std::string());

    FileSinkDialog next;
    QCOMPARE(next.Shown(), Texts({QString(), QStringLiteral("/var/log/collector"),
                                  QStringLiteral("2048"), QStringLiteral("30")}));
}

void FileSinkConfigEditTest::editShowsTheRecordAndOkRemembersIt() {
    RememberFileSink("/srv/old", "1", "1");
    const TFileSinkConfig record = MakeSink("archive", "/srv/archive", 4096, 90);
    {
        FileSinkDialog dialog(&record);
        QVERIFY(dialog.Active);
        QCOMPARE(dialog.Shown(), Texts({QStringLiteral("archive"), QStringLiteral("/srv/archive"),
                                        QStringLiteral("4096"), QStringLiteral("90")}));
        TypeOver(dialog.Retention(), QStringLiteral("60"));
        QTest::mouseClick(dialog.Find<QPushButton>("btnOK"), Qt::LeftButton);
        QCOMPARE(dialog.Form->result(), mrOk);
        QCOMPARE(dialog.Form->Config().RetentionDays(), 60);
        QCOMPARE(dialog.Form->Config().Name(), std::string("archive"));
    }
    QCOMPARE(record.RetentionDays(), 90); // the caller's record is only read
    QCOMPARE(Remembered("Dir"), std::string("/srv/archive"));
    QCOMPARE(Remembered("Size"), std::string("4096"));
    QCOMPARE(Remembered("Retention"), std::string("60"));

    FileSinkDialog next;
    QCOMPARE(next.Shown(), Texts({QString(), QStringLiteral("/srv/archive"), QStringLiteral("4096"),
                                  QStringLiteral("60")}));
}

void FileSinkConfigEditTest::cancelChangesNothing_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Escape") << "Escape";
    QTest::newRow("Cancel") << "Cancel";
    QTest::newRow("Alt+C") << "Alt+C";
    QTest::newRow("close box") << "close";
}

void FileSinkConfigEditTest::cancelChangesNothing() {
    QFETCH(QString, how);
    RememberFileSink("/srv/old", "1", "1");
    const TFileSinkConfig record = MakeSink("archive", "/srv/archive", 4096, 90);
    FileSinkDialog dialog(&record);
    QVERIFY(dialog.Active);
    TypeOver(dialog.Name(), QStringLiteral("renamed"));
    TypeOver(dialog.FileSize(), QStringLiteral("1"));
    if (how == QLatin1String("Escape"))
        QTest::keyClick(dialog.FileSize(), Qt::Key_Escape);
    else if (how == QLatin1String("Cancel"))
        QTest::mouseClick(dialog.Find<QPushButton>("btnCancel"), Qt::LeftButton);
    else if (how == QLatin1String("Alt+C"))
        QTest::keyClick(dialog.Form.get(), Qt::Key_C, Qt::AltModifier);
    else
        dialog.Form->close();
    QTRY_COMPARE(dialog.Form->result(), mrCancel);
    QCOMPARE(record.Name(), std::string("archive"));
    QCOMPARE(record.FileSizeKb(), 4096);
    QCOMPARE(Remembered("Dir"), std::string("/srv/old"));
    QCOMPARE(Remembered("Size"), std::string("1"));
}

void FileSinkConfigEditTest::rememberedNumberTexts() {
    RememberFileSink("/srv/logs", "lots", "0x1E");
    FileSinkDialog dialog;
    QCOMPARE(dialog.Shown(), Texts({QString(), QStringLiteral("/srv/logs"), QStringLiteral("1024"),
                                    QStringLiteral("30")}));
}

void FileSinkConfigEditTest::folderChooserStartsAtTheShownFolder_data() {
    QTest::addColumn<bool>("exists");
    QTest::newRow("existing folder") << true;
    QTest::newRow("folder gone") << false;
}

void FileSinkConfigEditTest::folderChooserStartsAtTheShownFolder() {
    QFETCH(bool, exists);
    QTemporaryDir folders;
    const QString shown = exists ? folders.path() : folders.filePath(QStringLiteral("gone"));
    const QString chosen = folders.filePath(QStringLiteral("chosen"));
    RememberFileSink(shown.toStdString().c_str(), "1024", "7");
    FileSinkDialog dialog;
    QVERIFY(dialog.Active);
    FolderChooserAnswer answer(chosen);
    QTest::mouseClick(dialog.Directory()->Button(), Qt::LeftButton);
    QCOMPARE(answer.Prompts, QStringList{QStringLiteral("Browse For Folder")});
    QCOMPARE(answer.Starts, QStringList{exists ? shown : QString()});
    QCOMPARE(dialog.Directory()->text(), chosen);
}

void FileSinkConfigEditTest::cancelledFolderChooserChangesNothing() {
    RememberFileSink("/srv/logs", "1024", "7");
    FileSinkDialog dialog;
    QVERIFY(dialog.Active);
    FolderChooserAnswer answer(std::nullopt);
    QTest::mouseClick(dialog.Directory()->Button(), Qt::LeftButton);
    QCOMPARE(answer.Prompts.size(), 1);
    QCOMPARE(dialog.Directory()->text(), QStringLiteral("/srv/logs"));
}

void FileSinkConfigEditTest::folderButtonWorksFromTheKeyboard() {
    FileSinkDialog dialog;
    QVERIFY(dialog.Active);
    QTest::keyClick(dialog.Name(), Qt::Key_Tab);
    QVERIFY(dialog.Directory()->hasFocus());
    {
        FolderChooserAnswer answer(QStringLiteral("/srv/a"));
        QTest::keyClick(dialog.Directory(), Qt::Key_F4);
    }
    QCOMPARE(dialog.Directory()->text(), QStringLiteral("/srv/a"));
    {
        FolderChooserAnswer answer(QStringLiteral("/srv/b"));
        QTest::keyClick(dialog.Directory(), Qt::Key_Down, Qt::AltModifier);
    }
    QCOMPARE(dialog.Directory()->text(), QStringLiteral("/srv/b"));
    {
        // The keypad's arrow: Qt marks it with the keypad modifier.
        FolderChooserAnswer answer(QStringLiteral("/srv/c"));
        QTest::keyClick(dialog.Directory(), Qt::Key_Down, Qt::AltModifier | Qt::KeypadModifier);
    }
    QCOMPARE(dialog.Directory()->text(), QStringLiteral("/srv/c"));
}

void FileSinkConfigEditTest::staleDirectoryIsAcceptedOnOk() {
    const TFileSinkConfig record = MakeSink("old", "/no/such/folder/anywhere", 10, 2);
    FileSinkDialog dialog(&record);
    QVERIFY(dialog.Active);
    QTest::keyClick(dialog.Name(), Qt::Key_Return);
    QCOMPARE(dialog.Form->result(), mrOk);
    QCOMPARE(dialog.Form->Config().Directory(), std::string("/no/such/folder/anywhere"));
}

QTEST_MAIN(FileSinkConfigEditTest)
#include "FileSinkConfigEditTest.moc"
