#include "ui/kit/PopupMenu.h"

#include <QAbstractItemView>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <algorithm>

namespace {

// Watches the view (keys and keyboard context-menu requests, which go to the focused widget)
// and its viewport (right clicks, which go to the widget under the mouse; the headers pass
// theirs on to the view).
class TPopupMenuBinding final : public QObject {
public:
    TPopupMenuBinding(QAbstractItemView& AView, QMenu& AMenu)
        : QObject(&AView), FView(AView), FMenu(&AMenu) {
        AView.installEventFilter(this);
        AView.viewport()->installEventFilter(this);
    }

protected:
    // The view is looked at only for the two events that open the menu: other events also
    // arrive while the view is being destroyed, when it is no longer a view.
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override {
        switch (AEvent->type()) {
        case QEvent::KeyPress:
            if (AWatched == &FView && IsMenuKey(*static_cast<QKeyEvent*>(AEvent))) {
                PopUpAtFocusedRow();
                return true;
            }
            return false;
        case QEvent::ContextMenu: {
            // A right click opens the menu where the mouse is, also one on the column headers,
            // which they pass on to the view.
            const auto* request = static_cast<QContextMenuEvent*>(AEvent);
            if (request->reason() == QContextMenuEvent::Mouse)
                PopUpAt(request->globalPos());
            else
                PopUpAtFocusedRow();
            return true;
        }
        default:
            return false;
        }
    }

private:
    static bool IsMenuKey(const QKeyEvent& AKey) {
        const Qt::KeyboardModifiers modifiers = AKey.modifiers() & ~Qt::KeypadModifier;
        return (AKey.key() == Qt::Key_Menu && modifiers == Qt::NoModifier) ||
               (AKey.key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier);
    }

    void PopUpAtFocusedRow() {
        const QWidget* viewport = FView.viewport();
        QPoint where(0, 0);
        const QModelIndex current = FView.currentIndex();
        if (current.isValid()) {
            const QRect row = FView.visualRect(current);
            if (viewport->rect().intersects(row))
                where =
                    QPoint(std::max(row.left(), 0), std::min(row.bottom(), viewport->height() - 1));
        }
        PopUpAt(viewport->mapToGlobal(where));
    }

    void PopUpAt(const QPoint& AGlobalPos) {
        // The platform may follow its own menu key with a request of its own: one menu only.
        if (FMenu == nullptr || FMenu->isVisible())
            return;
        FMenu->popup(AGlobalPos);
    }

    QAbstractItemView& FView; // the parent of this binding
    QPointer<QMenu> FMenu;
};

} // namespace

void AttachPopupMenu(QAbstractItemView& AView, QMenu& AMenu) {
    new TPopupMenuBinding(AView, AMenu); // owned by the view
}
