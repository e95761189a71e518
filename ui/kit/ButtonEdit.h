#pragma once

// A one-line text edit with a small button embedded at its right end, for edits whose value is
// picked rather than typed (a folder, for example). The button works even when the edit is
// read-only; from the keyboard, F4 or Alt+Down in the edit presses it.

#include <QLineEdit>

class QToolButton;

class TButtonEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(QIcon buttonIcon READ ButtonIcon WRITE SetButtonIcon)

public:
    explicit TButtonEdit(QWidget* AParent = nullptr);

    QToolButton* Button() const noexcept { return FButton; }
    QIcon ButtonIcon() const;
    void SetButtonIcon(const QIcon& AIcon);

    static constexpr int ButtonWidth = 15;

signals:
    void ButtonClick();

protected:
    void keyPressEvent(QKeyEvent* AEvent) override;
    void resizeEvent(QResizeEvent* AEvent) override;

private:
    void PlaceButton();

    QToolButton* FButton; // child of this edit
};
