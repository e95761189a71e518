#pragma once

// The listener editor: one listener's interface address and its UDP, TCP and TLS ports. It
// works on a copy of the record it is given (or on a new record) and never changes the
// caller's; after mrOk the caller takes ListenerConfig(). New listeners start from the values
// of the last accepted one, remembered per user under the form key "ListenerDetail".

#include "ui/BaseModalForm.h"

#include <memory>

class TListenerConfig;

namespace Ui {
class TfmListenerConfigEdit;
}

class TfmListenerConfigEdit final : public TfmBaseModalForm {
    Q_OBJECT

public:
    // AListener null: a new listener; otherwise the listener to edit, which is only read.
    explicit TfmListenerConfigEdit(QWidget* AOwner = nullptr,
                                   const TListenerConfig* AListener = nullptr);
    ~TfmListenerConfigEdit() override;

    // The working record; holds validated values after mrOk. Valid while the dialog lives.
    const TListenerConfig& ListenerConfig() const noexcept { return *FListener; }

protected:
    bool ValidateInput() override;

private:
    void ConfigToControls();
    void ControlsToConfig();
    void LoadRememberedValues();
    void SaveRememberedValues();

    const std::unique_ptr<Ui::TfmListenerConfigEdit> ui;
    const std::unique_ptr<TListenerConfig> FListener;
};
