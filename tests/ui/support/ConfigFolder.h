#pragma once

// A temporary machine-wide data folder for one test, removed with its contents at the end, with
// the place of the configuration file below it.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <string>

class ConfigFolder {
public:
    ConfigFolder();

    // The folder to give the main window in place of the machine-wide one.
    std::string DataDir() const;
    // The full path of the configuration file, as the main window builds it.
    QString ConfigPath() const;
    QString SvcFolder() const;

    // Creates the folders and writes ABytes as the configuration file.
    void WriteConfig(const QByteArray& ABytes) const;
    // The configuration file's bytes; fails the test's QVERIFY when it cannot be read.
    QByteArray ReadConfig() const;
    bool ConfigExists() const;

private:
    QTemporaryDir FDir;
};

// The bytes of the fixture file tests/data/AName.
QByteArray FixtureBytes(const QString& AName);
