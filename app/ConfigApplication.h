#pragma once

// The application object. Besides running the message loop it is the last net for an exception
// that escapes the handling of an event: the exception's text is shown in an error message box,
// the event counts as not handled, and the program and its window go on.

#include <QApplication>

class TConfigApplication : public QApplication {
    Q_OBJECT

public:
    TConfigApplication(int& AArgc, char** AArgv);

    bool notify(QObject* AReceiver, QEvent* AEvent) override;
};
