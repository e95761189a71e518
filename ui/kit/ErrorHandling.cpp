#include "ui/kit/ErrorHandling.h"

#include "ui/kit/MessageBox.h"

#include <QString>
#include <cstdio>

QString ExceptionText(const std::exception_ptr& AException) {
    try {
        std::rethrow_exception(AException);
    } catch (const std::exception& error) {
        return QString::fromUtf8(error.what());
    } catch (...) {
        return QStringLiteral("An unknown error occurred.");
    }
}

void ShowException(const std::exception_ptr& AException) noexcept {
    if (!AException)
        return;
    QString text;
    try {
        text = ExceptionText(AException);
        MessageDlg(nullptr, text, TMsgDlgType::Error, {TMsgDlgBtn::OK});
    } catch (...) {
        // The box itself failed (out of memory, most likely): the error must not vanish.
        std::fprintf(stderr, "%s\n",
                     text.isEmpty() ? "An unknown error occurred."
                                    : text.toLocal8Bit().constData());
    }
}
