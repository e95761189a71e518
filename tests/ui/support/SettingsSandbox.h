#pragma once

// Points the per-user settings store at an empty temporary folder (XDG_CONFIG_HOME) for as
// long as it lives, so that a test never reads or changes the user's real settings. The
// previous value is restored at the end.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

class SettingsSandbox {
public:
    SettingsSandbox();
    ~SettingsSandbox();
    SettingsSandbox(const SettingsSandbox&) = delete;
    SettingsSandbox& operator=(const SettingsSandbox&) = delete;

    bool IsValid() const { return FDir.isValid(); }
    QString Path() const { return FDir.path(); }

    // Makes the store unusable: the folder it would live in is a plain file.
    void BreakStore() const;

private:
    QTemporaryDir FDir;
    QByteArray FPrevious;
    bool FHadPrevious;
};
