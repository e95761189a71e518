#include "ui/kit/FolderChooser.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

// Clicks the chooser's button that confirms the folder shown as chosen.
void Choose(QFileDialog& ADialog) {
    auto* buttons = ADialog.findChild<QDialogButtonBox*>();
    QVERIFY(buttons != nullptr);
    QPushButton* choose = buttons->button(QDialogButtonBox::Open);
    QVERIFY(choose != nullptr && choose->isEnabled());
    QTest::mouseClick(choose, Qt::LeftButton);
}

} // namespace

// The real chooser, worked from the event loop once it is up.
class FolderChooserTest : public QObject {
    Q_OBJECT

private slots:
    void opensOnTheStartFolderAndReturnsIt();
    void startsWithoutAFolderWhenNoneIsGiven();
    void cancelReturnsNothing();

private:
    // Runs the chooser; AWork gets the dialog while it is shown.
    std::optional<QString> Run(const QString& AStart,
                               const std::function<void(QFileDialog&)>& AWork);
};

std::optional<QString> FolderChooserTest::Run(const QString& AStart,
                                              const std::function<void(QFileDialog&)>& AWork) {
    bool seen = false;
    QTimer::singleShot(0, this, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        seen = dialog != nullptr;
        if (dialog != nullptr)
            AWork(*dialog);
        else if (QWidget* other = QApplication::activeModalWidget())
            other->close();
    });
    std::optional<QString> chosen =
        BrowseForFolder(nullptr, QStringLiteral("Browse For Folder"), AStart);
    [&] { QVERIFY(seen); }();
    return chosen;
}

void FolderChooserTest::opensOnTheStartFolderAndReturnsIt() {
    QTemporaryDir root;
    const QString start = root.filePath(QStringLiteral("logs"));
    QVERIFY(QDir().mkpath(start));
    QVERIFY(QDir().mkpath(root.filePath(QStringLiteral("other"))));

    QString title;
    QString shownFolder;
    bool foldersOnly = false;
    bool newFolderOffered = true;
    const std::optional<QString> chosen = Run(start, [&](QFileDialog& ADialog) {
        title = ADialog.windowTitle();
        shownFolder = ADialog.directory().absolutePath();
        foldersOnly = ADialog.fileMode() == QFileDialog::Directory &&
                      ADialog.testOption(QFileDialog::ShowDirsOnly);
        const auto* newFolder = ADialog.findChild<QToolButton*>(QStringLiteral("newFolderButton"));
        newFolderOffered = newFolder != nullptr && newFolder->isVisible();
        Choose(ADialog);
    });
    QCOMPARE(title, QStringLiteral("Browse For Folder"));
    QCOMPARE(shownFolder, QDir(root.path()).absolutePath());
    QVERIFY(foldersOnly);
    QVERIFY(!newFolderOffered);
    QVERIFY(chosen.has_value());
    QCOMPARE(*chosen, QDir::toNativeSeparators(QDir(start).absolutePath()));
}

void FolderChooserTest::startsWithoutAFolderWhenNoneIsGiven() {
    QTemporaryDir root;
    const QString pick = root.filePath(QStringLiteral("picked"));
    QVERIFY(QDir().mkpath(pick));
    const std::optional<QString> chosen = Run(QString(), [&](QFileDialog& ADialog) {
        ADialog.selectFile(pick);
        Choose(ADialog);
    });
    QVERIFY(chosen.has_value());
    QCOMPARE(*chosen, QDir::toNativeSeparators(pick));
}

void FolderChooserTest::cancelReturnsNothing() {
    QTemporaryDir root;
    const std::optional<QString> chosen =
        Run(root.path(), [](QFileDialog& ADialog) { ADialog.reject(); });
    QVERIFY(!chosen.has_value());
}

QTEST_MAIN(FolderChooserTest)
#include "FolderChooserTest.moc"
