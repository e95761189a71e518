#pragma once

// Showing a dialog modally, with a seam for tests: a driver installed with SetModalDialogDriver
// gets the dialog, already shown and modal, and works it with real key presses and clicks in
// place of the user; the caller then reads the dialog's result as after a real modal loop.

#include <functional>

class QDialog;

// Shows ADialog modally and returns its result once it is closed.
int ShowModal(QDialog& ADialog);

using TModalDialogDriver = std::function<void(QDialog& ADialog)>;

// Routes every ShowModal to ADriver instead of a modal loop; an empty function restores the
// real loop. A dialog the driver leaves open is closed as the close box would close it.
// Returns the driver that was installed before.
TModalDialogDriver SetModalDialogDriver(TModalDialogDriver ADriver);
