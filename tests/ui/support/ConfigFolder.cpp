#include "support/ConfigFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

ConfigFolder::ConfigFolder() {
    if (!FDir.isValid())
        throw std::runtime_error("cannot create a temporary folder");
}

std::string ConfigFolder::DataDir() const {
    return FDir.path().toStdString();
}

QString ConfigFolder::SvcFolder() const {
    return FDir.path() + QStringLiteral("/Velmora/SyslogServer/Svc");
}

QString ConfigFolder::ConfigPath() const {
    return SvcFolder() + QStringLiteral("/svcConfig.json");
}

void ConfigFolder::WriteConfig(const QByteArray& ABytes) const {
    if (!QDir().mkpath(SvcFolder()))
        throw std::runtime_error("cannot create the configuration folder");
    QFile file(ConfigPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(ABytes) != ABytes.size())
        throw std::runtime_error("cannot write the configuration file");
}

QByteArray ConfigFolder::ReadConfig() const {
    QFile file(ConfigPath());
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read the configuration file");
    return file.readAll();
}

bool ConfigFolder::ConfigExists() const {
    return QFileInfo(ConfigPath()).isFile();
}

QByteArray FixtureBytes(const QString& AName) {
    QFile file(QStringLiteral(KORVEX_TEST_DATA_DIR "/") + AName);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read the fixture " + AName.toStdString());
    return file.readAll();
}
