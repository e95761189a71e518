#pragma once

// The file sink editor: a sink's name, the folder its log files go to, the maximum size of one
// file in KB and the days its files are kept. It works on a copy of the record it is given (or
// on a new record) and never changes the caller's; after mrOk the caller takes Config(). New
// file sinks start from the folder, size and retention of the last accepted one, remembered
// per user under the form key "FileConfigEdit"; the name is not remembered.

#include "ui/BaseModalForm.h"

#include <memory>

class TFileSinkConfig;

namespace Ui {
class TfmFileSinkConfigEdit;
}

class TfmFileSinkConfigEdit final : public TfmBaseModalForm {
    Q_OBJECT

public:
    // AConfig null: a new file sink; otherwise the file sink to edit, which is only read.
    explicit TfmFileSinkConfigEdit(QWidget* AOwner = nullptr,
                                   const TFileSinkConfig* AConfig = nullptr);
    ~TfmFileSinkConfigEdit() override;

    // The working record; holds validated values after mrOk. Valid while the dialog lives.
    const TFileSinkConfig& Config() const noexcept { return *FCfg; }

protected:
    bool ValidateInput() override;

private:
    void ebDirectoryButtonClick();

    void ConfigToControls();
    void ControlsToConfig();
    void LoadRememberedValues();
    void SaveRememberedValues();

    const std::unique_ptr<Ui::TfmFileSinkConfigEdit> ui;
    const std::unique_ptr<TFileSinkConfig> FCfg;
};
