#include "ui/kit/ModalDialog.h"

#include <QDialog>

namespace {

TModalDialogDriver& Driver() {
    static TModalDialogDriver driver;
    return driver;
}

} // namespace

TModalDialogDriver SetModalDialogDriver(TModalDialogDriver ADriver) {
    TModalDialogDriver previous = std::move(Driver());
    Driver() = std::move(ADriver);
    return previous;
}

int ShowModal(QDialog& ADialog) {
    if (!Driver())
        return ADialog.exec();

    ADialog.setWindowModality(Qt::ApplicationModal);
    ADialog.show();
    ADialog.activateWindow();
    Driver()(ADialog);
    if (ADialog.isVisible())
        ADialog.close();
    return ADialog.result();
}
