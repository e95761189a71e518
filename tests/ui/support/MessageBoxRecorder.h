#pragma once

// Answers the program's message boxes during a test: records every box shown and answers with
// the queued answers in turn, or with a fixed answer once the queue is empty. Restores the real
// message box when it goes out of scope.

#include "ui/kit/MessageBox.h"

#include <QList>
#include <QString>

#include <optional>

struct TShownMessage {
    QString Text;
    TMsgDlgType Type;
    QList<TMsgDlgBtn> Buttons;
};

class MessageBoxRecorder {
public:
    // AFallback answers boxes once the queue is empty; without one the box's first button does.
    explicit MessageBoxRecorder(std::optional<TMsgDlgBtn> AFallback = std::nullopt);
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    void QueueAnswer(TMsgDlgBtn AAnswer) { FAnswers.append(AAnswer); }
    const QList<TShownMessage>& Shown() const noexcept { return FShown; }
    // The texts of the boxes shown, in order.
    QStringList Texts() const;
    void Clear() { FShown.clear(); }

private:
    TMessageDlgAnswerer FPrevious;
    QList<TShownMessage> FShown;
    QList<TMsgDlgBtn> FAnswers;
    std::optional<TMsgDlgBtn> FFallback;
};
