#pragma once

// The pictures the probe takes of the running program (scripts/screenshot): each one prepares
// what it shows from the main window, is rendered to a PNG file, then put back. Add a picture by
// adding an entry to Screenshots().

#include <QList>
#include <QString>
#include <functional>

class QWidget;

struct TScreenshot {
    QString FileName;
    // Makes the picture ready and returns the widget to render (the main window or a window
    // opened from it).
    std::function<QWidget*(QWidget& AMainWindow)> Prepare;
    // Undoes Prepare, given what it returned; may be empty.
    std::function<void(QWidget* AShown)> Finish;
};

const QList<TScreenshot>& Screenshots();

// Renders every picture of Screenshots() into AFolder; returns false and writes the reason to
// standard error when one cannot be written.
bool TakeScreenshots(QWidget& AMainWindow, const QString& AFolder);
