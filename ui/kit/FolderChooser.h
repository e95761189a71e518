#pragma once

// The folder chooser: a modal dialog in which the user picks one folder of the file system.
// Tests answer it through SetFolderChooserAnswerer instead of a real dialog.

#include <QString>

#include <functional>
#include <optional>

class QWidget;

// Lets the user choose a folder, starting at AStartFolder when it is not empty. Only folders of
// the file system can be chosen, and the chooser offers no way to create one. Returns the
// chosen folder's full path, or nothing when the user cancels.
std::optional<QString> BrowseForFolder(QWidget* AParent, const QString& APrompt,
                                       const QString& AStartFolder);

using TFolderChooserAnswerer =
    std::function<std::optional<QString>(const QString& APrompt, const QString& AStartFolder)>;

// Routes every BrowseForFolder to AAnswerer instead of showing a dialog; an empty function
// restores the real dialog. Returns the answerer that was installed before.
TFolderChooserAnswerer SetFolderChooserAnswerer(TFolderChooserAnswerer AAnswerer);
