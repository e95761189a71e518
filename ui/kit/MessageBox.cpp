#include "ui/kit/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

TMessageDlgAnswerer& Answerer() {
    static TMessageDlgAnswerer answerer;
    return answerer;
}

QMessageBox::Icon IconOf(TMsgDlgType AType) {
    switch (AType) {
    case TMsgDlgType::Warning:
        return QMessageBox::Warning;
    case TMsgDlgType::Error:
        return QMessageBox::Critical;
    case TMsgDlgType::Information:
        return QMessageBox::Information;
    case TMsgDlgType::Confirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QString CaptionOf(TMsgDlgType AType) {
    switch (AType) {
    case TMsgDlgType::Warning:
        return QMessageBox::tr("Warning");
    case TMsgDlgType::Error:
        return QMessageBox::tr("Error");
    case TMsgDlgType::Information:
        return QMessageBox::tr("Information");
    case TMsgDlgType::Confirmation:
        return QMessageBox::tr("Confirm");
    }
    return {};
}

QMessageBox::StandardButton StandardButtonOf(TMsgDlgBtn AButton) {
    switch (AButton) {
    case TMsgDlgBtn::Yes:
        return QMessageBox::Yes;
    case TMsgDlgBtn::No:
        return QMessageBox::No;
    case TMsgDlgBtn::OK:
        return QMessageBox::Ok;
    case TMsgDlgBtn::Cancel:
        return QMessageBox::Cancel;
    }
    return QMessageBox::NoButton;
}

// The button that closing the box (Escape, the close box) stands for.
TMsgDlgBtn EscapeButtonOf(const QList<TMsgDlgBtn>& AButtons) {
    for (const TMsgDlgBtn preferred : {TMsgDlgBtn::No, TMsgDlgBtn::Cancel, TMsgDlgBtn::OK})
        if (AButtons.contains(preferred))
            return preferred;
    return AButtons.isEmpty() ? TMsgDlgBtn::OK : AButtons.first();
}

} // namespace

TMessageDlgAnswerer SetMessageDlgAnswerer(TMessageDlgAnswerer AAnswerer) {
    TMessageDlgAnswerer previous = std::move(Answerer());
    Answerer() = std::move(AAnswerer);
    return previous;
}

TMsgDlgBtn MessageDlg(QWidget* AParent, const QString& AText, TMsgDlgType AType,
                      std::initializer_list<TMsgDlgBtn> AButtons) {
    QList<TMsgDlgBtn> buttons(AButtons);
    if (buttons.isEmpty())
        buttons.append(TMsgDlgBtn::OK);
    if (Answerer())
        return Answerer()(AText, AType, buttons);

    QMessageBox box(IconOf(AType), CaptionOf(AType), QString(), QMessageBox::NoButton,
                    AParent != nullptr ? AParent : QApplication::activeWindow());
    // Messages carry names and paths from the user or the file; left to guess, the box would
    // render one that looks like markup ("<b>", "&lt;") as rich text instead of as written.
    box.setTextFormat(Qt::PlainText);
    box.setText(AText);
    for (const TMsgDlgBtn button : buttons)
        box.addButton(StandardButtonOf(button));
    box.setDefaultButton(StandardButtonOf(buttons.first()));
    box.setEscapeButton(box.button(StandardButtonOf(EscapeButtonOf(buttons))));
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    for (const TMsgDlgBtn button : buttons)
        if (clicked != nullptr && clicked == box.button(StandardButtonOf(button)))
            return button;
    return EscapeButtonOf(buttons);
}
