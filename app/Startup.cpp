#include "app/Startup.h"

#include "ui/ServiceConfigMain.h"
#include "ui/kit/ErrorHandling.h"
#include "ui/kit/MessageBox.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// Clears the global pointer to the window on every path out.
class TMainWindowRegistration {
public:
    explicit TMainWindowRegistration(TfmConfigMain& AWindow) { fmConfigMain = &AWindow; }
    ~TMainWindowRegistration() { fmConfigMain = nullptr; }
    TMainWindowRegistration(const TMainWindowRegistration&) = delete;
    TMainWindowRegistration& operator=(const TMainWindowRegistration&) = delete;
};

void ReportStartupFailure(const std::exception_ptr& AException) noexcept {
    try {
        const QString text = ExceptionText(AException);
        std::fprintf(stderr, "%s: %s\n", QApplication::applicationName().toLocal8Bit().constData(),
                     text.toLocal8Bit().constData());
        std::fflush(stderr);
        MessageDlg(nullptr, text, TMsgDlgType::Error, {TMsgDlgBtn::OK});
    } catch (...) {
        std::fputs("The program could not start, and the reason could not be shown.\n", stderr);
    }
}

} // namespace

int RunConfigEditor(const std::optional<std::string>& ADataDir) {
    try {
        const auto window = ADataDir ? std::make_unique<TfmConfigMain>(nullptr, *ADataDir)
                                     : std::make_unique<TfmConfigMain>();
        const TMainWindowRegistration registration(*window);
        window->show();
        return QApplication::exec();
    } catch (...) {
        ReportStartupFailure(std::current_exception());
        return EXIT_FAILURE;
    }
}
