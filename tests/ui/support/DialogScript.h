#pragma once

// Plays the user's part in the modal dialogs a test makes the program open: each dialog the
// program shows is handed, already shown and modal, to the next step queued with Then, which
// works it with real key presses and clicks. A dialog without a step is cancelled with Escape
// and counted as unexpected. Restores the real modal loop when it goes out of scope.

#include "ui/kit/ModalDialog.h"

#include <QList>
#include <QStringList>

#include <functional>

class QDialog;

class DialogScript {
public:
    using TStep = std::function<void(QDialog& ADialog)>;

    DialogScript();
    ~DialogScript();
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    DialogScript& Then(TStep AStep);

    // The class names of the dialogs shown, in order.
    const QStringList& Shown() const noexcept { return FShown; }
    int Unexpected() const noexcept { return FUnexpected; }
    int StepsLeft() const noexcept { return static_cast<int>(FSteps.size()); }

private:
    TModalDialogDriver FPrevious;
    QList<TStep> FSteps;
    QStringList FShown;
    int FUnexpected = 0;
};
