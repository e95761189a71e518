#pragma once

// Typing into the controls of a window the way a user does.

#include <QString>

class QWidget;

// Gives AEdit the focus, selects its whole text with Ctrl+A and types AText over it; an empty
// AText deletes the text.
void TypeOver(QWidget* AEdit, const QString& AText);

// The object names of the widgets the Tab key visits from the focused one, ACount steps.
QStringList TabSequence(int ACount);
