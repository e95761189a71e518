#pragma once

// The pictures of the main window's tabs and buttons, drawn by the program itself.

#include <QIcon>

QIcon ServerConfigIcon();
QIcon ListenersIcon();
QIcon SinksIcon();
QIcon SaveIcon();
QIcon ExitIcon();
