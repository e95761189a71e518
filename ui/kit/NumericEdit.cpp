#include "ui/kit/NumericEdit.h"

#include <QFocusEvent>
#include <QValidator>

#include <algorithm>

namespace {

// Accepts an optional minus sign followed by digits whose value fits 32 bits signed; a lone
// sign and the empty text are allowed while typing.
class TWholeNumberValidator final : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& AInput, int& /*APos*/) const override {
        if (AInput.isEmpty() || AInput == QLatin1String("-"))
            return Intermediate;
        const qsizetype start = AInput.startsWith(QLatin1Char('-')) ? 1 : 0;
        for (qsizetype i = start; i < AInput.size(); ++i)
            if (!AInput.at(i).isDigit() || AInput.at(i).unicode() > '9')
                return Invalid;
        bool ok = false;
        AInput.toInt(&ok);
        return ok ? Acceptable : Invalid;
    }
};

} // namespace

TNumericEdit::TNumericEdit(QWidget* AParent) : QLineEdit(AParent) {
    setValidator(new TWholeNumberValidator(this)); // owned by this edit
    SetValue(0);
}

int32_t TNumericEdit::Value() const {
    bool ok = false;
    const int value = text().toInt(&ok);
    if (ok)
        return value;
    // Empty or a lone minus sign.
    return BoundsApply() ? FMinimum : 0;
}

void TNumericEdit::SetValue(int32_t AValue) {
    setText(QString::number(AValue));
}

void TNumericEdit::NormalizeText() {
    int32_t value = Value();
    if (BoundsApply())
        value = std::clamp(value, FMinimum, FMaximum);
    const QString shown = QString::number(value);
    if (text() != shown)
        setText(shown);
}

void TNumericEdit::focusOutEvent(QFocusEvent* AEvent) {
    // Only when the focus moves on within the window: not while a popup menu or another
    // window (a message box over this one) has it for a while.
    const Qt::FocusReason reason = AEvent->reason();
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
        NormalizeText();
    QLineEdit::focusOutEvent(AEvent);
}
