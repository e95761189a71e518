#pragma once

// The main function of a Qt Test program that runs under the program's own application object,
// so that its standard error handling is in force as in the running program.

#include "app/ConfigApplication.h"

#include <QTest>

#define KORVEX_QTEST_MAIN(TestObject)                                                              \
    int main(int argc, char* argv[]) {                                                             \
        TConfigApplication application(argc, argv);                                                \
        application.setAttribute(Qt::AA_Use96Dpi, true);                                           \
        /* A test closes windows without ending the program. */                                    \
        application.setQuitOnLastWindowClosed(false);                                              \
        TestObject test;                                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
