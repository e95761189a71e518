#pragma once

// The small pictures of the dialogs' buttons, drawn here rather than shipped as files so that
// they stay sharp at any screen scale. QIcon derives their disabled look.

#include <QIcon>

QIcon CheckMarkIcon(); // green check mark: OK
QIcon CrossIcon();     // red cross: Cancel
QIcon FolderIcon();    // yellow folder: choose a folder
