#pragma once

// An edit for one whole number, shown as plain digits ("0" display format: no grouping).
// Only a minus sign and digits can be typed, and only while the text stays within 32 bits.
// Bounds act only when the lower one is below the upper one: then leaving the edit clamps the
// number into them. A value the program sets is shown as it is, bounds or not. An empty edit
// counts as the lower bound when the bounds act, else as 0.

#include <QLineEdit>

#include <cstdint>

// In a .ui file the properties value, minimum and maximum are set as Designer writes them for a
// promoted widget: with stdset="0", so that they go through setProperty and these setters.
class TNumericEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(int value READ Value WRITE SetValue)
    Q_PROPERTY(int minimum READ Minimum WRITE SetMinimum)
    Q_PROPERTY(int maximum READ Maximum WRITE SetMaximum)

public:
    explicit TNumericEdit(QWidget* AParent = nullptr);

    int32_t Value() const;
    void SetValue(int32_t AValue);

    int32_t Minimum() const noexcept { return FMinimum; }
    void SetMinimum(int32_t AValue) noexcept { FMinimum = AValue; }
    int32_t Maximum() const noexcept { return FMaximum; }
    void SetMaximum(int32_t AValue) noexcept { FMaximum = AValue; }
    bool BoundsApply() const noexcept { return FMinimum < FMaximum; }

    // Shows the number the edit stands for: an empty text becomes its number, and with bounds
    // that apply the number is clamped into them. Runs when the focus moves to another control
    // of the window; a dialog calls it before it takes the number when the focus did not leave
    // (OK by Enter).
    void NormalizeText();

protected:
    void focusOutEvent(QFocusEvent* AEvent) override;

private:
    int32_t FMinimum = 0;
    int32_t FMaximum = 0;
};
