#include "support/SettingsSandbox.h"

#include <QDir>
#include <QFile>

SettingsSandbox::SettingsSandbox()
    : FPrevious(qgetenv("XDG_CONFIG_HOME")),
      FHadPrevious(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")) {
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(FDir.path()));
}

SettingsSandbox::~SettingsSandbox() {
    if (FHadPrevious)
        qputenv("XDG_CONFIG_HOME", FPrevious);
    else
        qunsetenv("XDG_CONFIG_HOME");
}

void SettingsSandbox::BreakStore() const {
    const QString blocked = FDir.filePath(QStringLiteral("config-is-a-file"));
    QFile file(blocked);
    if (file.open(QIODevice::WriteOnly))
        file.write("not a folder\n");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(blocked));
}
