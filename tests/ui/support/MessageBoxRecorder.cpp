#include "support/MessageBoxRecorder.h"

MessageBoxRecorder::MessageBoxRecorder(std::optional<TMsgDlgBtn> AFallback)
    : FFallback(AFallback) {
    FPrevious = SetMessageDlgAnswerer(
        [this](const QString& AText, TMsgDlgType AType, const QList<TMsgDlgBtn>& AButtons) {
            FShown.append({AText, AType, AButtons});
            if (!FAnswers.isEmpty())
                return FAnswers.takeFirst();
            return FFallback.value_or(AButtons.first());
        });
}

MessageBoxRecorder::~MessageBoxRecorder() {
    SetMessageDlgAnswerer(std::move(FPrevious));
}

QStringList MessageBoxRecorder::Texts() const {
    QStringList texts;
    for (const TShownMessage& shown : FShown)
        texts.append(shown.Text);
    return texts;
}
