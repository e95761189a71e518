#include "ui/kit/ButtonEdit.h"

#include <QKeyEvent>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolButton>

TButtonEdit::TButtonEdit(QWidget* AParent) : QLineEdit(AParent), FButton(new QToolButton(this)) {
    FButton->setObjectName(QStringLiteral("btnEmbedded"));
    FButton->setFocusPolicy(Qt::NoFocus);
    FButton->setCursor(Qt::ArrowCursor);
    FButton->setAutoRaise(true);
    FButton->setIconSize(QSize(ButtonWidth - 2, ButtonWidth - 2));
    connect(FButton, &QToolButton::clicked, this, &TButtonEdit::ButtonClick);
    setTextMargins(0, 0, ButtonWidth, 0);
    PlaceButton();
}

QIcon TButtonEdit::ButtonIcon() const {
    return FButton->icon();
}

void TButtonEdit::SetButtonIcon(const QIcon& AIcon) {
    FButton->setIcon(AIcon);
}

void TButtonEdit::keyPressEvent(QKeyEvent* AEvent) {
    // The keypad's arrows carry the keypad modifier; they are the same keys here.
    const Qt::KeyboardModifiers modifiers = AEvent->modifiers() & ~Qt::KeypadModifier;
    const bool f4 = AEvent->key() == Qt::Key_F4 && modifiers == Qt::NoModifier;
    const bool altDown = AEvent->key() == Qt::Key_Down && modifiers == Qt::AltModifier;
    if ((f4 || altDown) && FButton->isEnabled()) {
        FButton->click();
        AEvent->accept();
        return;
    }
    QLineEdit::keyPressEvent(AEvent);
}

void TButtonEdit::resizeEvent(QResizeEvent* AEvent) {
    QLineEdit::resizeEvent(AEvent);
    PlaceButton();
}

void TButtonEdit::PlaceButton() {
    QStyleOptionFrame option;
    initStyleOption(&option);
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    FButton->setGeometry(width() - frame - ButtonWidth, frame, ButtonWidth, height() - 2 * frame);
}
