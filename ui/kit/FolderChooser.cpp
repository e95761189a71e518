#include "ui/kit/FolderChooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QToolButton>

namespace {

TFolderChooserAnswerer& Answerer() {
    static TFolderChooserAnswerer answerer;
    return answerer;
}

} // namespace

TFolderChooserAnswerer SetFolderChooserAnswerer(TFolderChooserAnswerer AAnswerer) {
    TFolderChooserAnswerer previous = std::move(Answerer());
    Answerer() = std::move(AAnswerer);
    return previous;
}

std::optional<QString> BrowseForFolder(QWidget* AParent, const QString& APrompt,
                                       const QString& AStartFolder) {
    if (Answerer())
        return Answerer()(APrompt, AStartFolder);

    // Qt's own dialog rather than the desktop's, so that the button for a new folder can be
    // left out; ReadOnly also removes renaming and deleting from its context menu.
    QFileDialog dialog(AParent, APrompt);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog |
                      QFileDialog::ReadOnly);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (auto* newFolder = dialog.findChild<QToolButton*>(QStringLiteral("newFolderButton")))
        newFolder->hide();

    if (!AStartFolder.isEmpty()) {
        const QString start = QDir::cleanPath(QFileInfo(AStartFolder).absoluteFilePath());
        if (QDir(start).isRoot())
            dialog.setDirectory(start);
        else
            dialog.selectFile(start); // opens its parent folder with the start folder chosen
    }

    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(QDir::cleanPath(chosen.first()));
}
