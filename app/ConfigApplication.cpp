#include "app/ConfigApplication.h"

#include "ui/kit/ErrorHandling.h"

TConfigApplication::TConfigApplication(int& AArgc, char** AArgv) : QApplication(AArgc, AArgv) {
    setApplicationName(QStringLiteral("Korvex Syslog Server Config"));
    setOrganizationName(QStringLiteral("Velmora"));
}

bool TConfigApplication::notify(QObject* AReceiver, QEvent* AEvent) {
    try {
        return QApplication::notify(AReceiver, AEvent);
    } catch (...) {
        ShowException(std::current_exception());
        return false;
    }
}
