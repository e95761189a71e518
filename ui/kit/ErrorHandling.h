#pragma once

// The application's standard error handling: an exception that escapes an event handler is shown
// in an error message box with its text, and the window stays open. Handlers are connected
// through EventHandler, which catches at the handler's edge so that no exception unwinds through
// the toolkit's own code; the application object catches what still escapes an event.

#include <QString>
#include <exception>
#include <functional>
#include <utility>

// Shows AException's text in an error message box (standard error as well when even the box
// fails). A null exception pointer shows nothing.
void ShowException(const std::exception_ptr& AException) noexcept;

// The text shown for an exception: what() for a standard exception, else a fixed text.
QString ExceptionText(const std::exception_ptr& AException);

// A slot that runs AHandler on AReceiver with the signal's arguments and shows any exception that
// escapes it: connect(button, &QPushButton::clicked, this, EventHandler(this, &TfmX::btnOKClick)).
template <typename TReceiver, typename... TArgs>
auto EventHandler(TReceiver* AReceiver, void (TReceiver::*AHandler)(TArgs...)) {
    return [AReceiver, AHandler](TArgs... AArgs) {
        try {
            (AReceiver->*AHandler)(std::forward<TArgs>(AArgs)...);
        } catch (...) {
            ShowException(std::current_exception());
        }
    };
}
