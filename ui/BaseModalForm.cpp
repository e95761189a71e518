#include "ui/BaseModalForm.h"

#include "ui/kit/Glyphs.h"
#include "ui/kit/WindowFont.h"
#include "ui_BaseModalForm.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QScreen>
#include <algorithm>

namespace {

// The window a dialog without an owner is centred over: the application's main window, else
// the window that was active when the dialog opened.
QWidget* HostWindow(const QWidget* ADialog) {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget != ADialog && widget->isVisible() &&
            qobject_cast<QMainWindow*>(widget) != nullptr)
            return widget;
    QWidget* active = QApplication::activeWindow();
    return active != ADialog ? active : nullptr;
}

} // namespace

TfmBaseModalForm::TfmBaseModalForm(QWidget* AOwner)
    : QDialog(AOwner), ui(std::make_unique<Ui::TfmBaseModalForm>()) {
    // Before the controls exist, so that they and the concrete dialog's are created with it.
    setFont(WindowFont(font()));
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setModal(true);
    ui->btnOK->setIcon(CheckMarkIcon());
    ui->btnCancel->setIcon(CrossIcon());
    connect(ui->btnOK, &QPushButton::clicked, this, &TfmBaseModalForm::btnOKClick);
    connect(ui->btnCancel, &QPushButton::clicked, this, &TfmBaseModalForm::btnCancelClick);
    // The form sees every key before the focused field does, as a key preview would.
    qApp->installEventFilter(this);
    FLanguageID = 0;
}

TfmBaseModalForm::~TfmBaseModalForm() = default;

QGroupBox* TfmBaseModalForm::gbModal() const noexcept {
    return ui->gbModal;
}

void TfmBaseModalForm::SetClientSize(int AWidth, int AHeight) {
    setFixedSize(AWidth, AHeight);
}

void TfmBaseModalForm::PlaceButtonsAfter(QWidget* ALastField) {
    setTabOrder(ALastField, ui->btnOK);
    setTabOrder(ui->btnOK, ui->btnCancel);
    // The tab sequence is a ring; the dialog opens on the field that follows Cancel in it.
    for (QWidget* next = ui->btnCancel->nextInFocusChain(); next != ui->btnCancel;
         next = next->nextInFocusChain()) {
        if ((next->focusPolicy() & Qt::TabFocus) != 0 && ui->gbModal->isAncestorOf(next)) {
            next->setFocus();
            break;
        }
    }
}

void TfmBaseModalForm::reject() {
    done(mrCancel);
}

void TfmBaseModalForm::setVisible(bool AVisible) {
    if (AVisible && parentWidget() == nullptr && !testAttribute(Qt::WA_Moved)) {
        if (const QWidget* host = HostWindow(this)) {
            QRect frame(QPoint(), frameSize().expandedTo(size()));
            frame.moveCenter(host->frameGeometry().center());
            if (const QScreen* screen = host->screen()) {
                const QRect available = screen->availableGeometry();
                frame.moveRight(std::min(frame.right(), available.right()));
                frame.moveBottom(std::min(frame.bottom(), available.bottom()));
                frame.moveLeft(std::max(frame.left(), available.left()));
                frame.moveTop(std::max(frame.top(), available.top()));
            }
            move(frame.topLeft());
        }
    }
    QDialog::setVisible(AVisible);
}

void TfmBaseModalForm::btnOKClick() {
    if (ValidateInput())
        done(mrOk);
}

void TfmBaseModalForm::btnCancelClick() {
    done(mrCancel);
}

bool TfmBaseModalForm::FormKeyDown(int AKey) {
    switch (AKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ui->btnOK->click();
        return true;
    case Qt::Key_Escape:
        ui->btnCancel->click();
        return true;
    default:
        return false;
    }
}

bool TfmBaseModalForm::eventFilter(QObject* AWatched, QEvent* AEvent) {
    if (AEvent->type() != QEvent::KeyPress)
        return QDialog::eventFilter(AWatched, AEvent);
    // Only keys meant for this window: not those of a message box or menu over it.
    const auto* widget = qobject_cast<QWidget*>(AWatched);
    if (widget == nullptr || widget->window() != this || !isVisible())
        return QDialog::eventFilter(AWatched, AEvent);
    // Enter and Escape are consumed: passed on, a focused push button or the dialog itself
    // would act on them a second time.
    return FormKeyDown(static_cast<QKeyEvent*>(AEvent)->key());
}
