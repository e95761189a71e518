#include "support/DialogScript.h"

#include <QApplication>
#include <QDialog>
#include <QTest>

DialogScript::DialogScript() {
    FPrevious = SetModalDialogDriver([this](QDialog& ADialog) {
        FShown.append(QString::fromLatin1(ADialog.metaObject()->className()));
        if (FSteps.isEmpty()) {
            ++FUnexpected;
            QTest::keyClick(&ADialog, Qt::Key_Escape);
            return;
        }
        const TStep step = FSteps.takeFirst();
        if (!QTest::qWaitForWindowActive(&ADialog))
            qWarning("The dialog %s did not become active", ADialog.metaObject()->className());
        step(ADialog);
    });
}

DialogScript::~DialogScript() {
    SetModalDialogDriver(std::move(FPrevious));
}

DialogScript& DialogScript::Then(TStep AStep) {
    FSteps.append(std::move(AStep));
    return *this;
}
