#pragma once

// The common frame of the editor dialogs: a fixed-size modal window with a captioned content
// area (gbModal) on top and an OK/Cancel strip at the bottom. Cancel, Escape and the close box
// end the dialog with mrCancel at once; OK and Enter end it with mrOk only when the concrete
// dialog's ValidateInput accepts the input, which otherwise has told the user why not.

#include <QDialog>
#include <cstdint>
#include <memory>

class QGroupBox;

namespace Ui {
class TfmBaseModalForm;
}

// Modal results of the dialogs.
inline constexpr int mrNone = 0;
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;

class TfmBaseModalForm : public QDialog {
    Q_OBJECT

public:
    ~TfmBaseModalForm() override;

    // Closing the dialog by any means but OK (the close box, the system menu) is Cancel.
    void reject() override;
    void setVisible(bool AVisible) override;

protected:
    explicit TfmBaseModalForm(QWidget* AOwner);

    // True when the dialog may close with OK; when false it has shown its own message.
    virtual bool ValidateInput() = 0;

    // The group box that holds the concrete dialog's controls.
    QGroupBox* gbModal() const noexcept;
    // Sets the fixed size of the window's client area.
    void SetClientSize(int AWidth, int AHeight);
    // Puts OK and Cancel after the dialog's own fields in the tab sequence; the dialog opens
    // with the focus on its first field.
    void PlaceButtonsAfter(QWidget* ALastField);

    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

    int32_t FLanguageID = 0;

private:
    void btnOKClick();
    void btnCancelClick();
    // Enter clicks OK and Escape clicks Cancel, whatever the modifiers and whichever field
    // has the focus. Returns whether the key was one of the two.
    bool FormKeyDown(int AKey);

    const std::unique_ptr<Ui::TfmBaseModalForm> ui;
};
