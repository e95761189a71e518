#pragma once

// The popup menu of an item view (a grid): shown by a right click in the view, where the mouse
// is, and from the keyboard by the context-menu key or Shift+F10, at the focused row. A right
// click on a row focuses that row first, so the menu's commands act on the row clicked.

class QAbstractItemView;
class QMenu;

// Binds AMenu to AView for as long as AView lives; AMenu must live as long.
void AttachPopupMenu(QAbstractItemView& AView, QMenu& AMenu);
