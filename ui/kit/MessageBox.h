#pragma once

// The program's one modal message box: a text, an icon kind and a set of buttons; returns the
// button pressed. Tests answer it through SetMessageDlgAnswerer instead of a real box, so that
// windows can be driven unattended.

#include <QList>
#include <QString>

#include <functional>
#include <initializer_list>

class QWidget;

enum class TMsgDlgType { Warning, Error, Information, Confirmation };
enum class TMsgDlgBtn { Yes, No, OK, Cancel };

// Shows the box modally over AParent (or the active window) and returns the button pressed.
// AText is shown as written (plain text, never markup).
// Closing the box without a button counts as its No, Cancel or OK button, in that order of
// preference.
TMsgDlgBtn MessageDlg(QWidget* AParent, const QString& AText, TMsgDlgType AType,
                      std::initializer_list<TMsgDlgBtn> AButtons);

using TMessageDlgAnswerer =
    std::function<TMsgDlgBtn(const QString& AText, TMsgDlgType AType, const QList<TMsgDlgBtn>& AButtons)>;

// Routes every MessageDlg to AAnswerer instead of showing a box; an empty function restores the
// real box. Returns the answerer that was installed before.
TMessageDlgAnswerer SetMessageDlgAnswerer(TMessageDlgAnswerer AAnswerer);
