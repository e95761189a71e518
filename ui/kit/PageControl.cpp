#include "ui/kit/PageControl.h"

#include <QTabBar>

namespace {

class TFixedHeightTabBar final : public QTabBar {
public:
    using QTabBar::QTabBar;

    int FixedHeight() const noexcept { return FFixedHeight; }
    void SetFixedHeight(int AValue) {
        FFixedHeight = AValue;
        // The bar caches its tab sizes; setting the icon size marks them for a new layout.
        setIconSize(iconSize());
    }

protected:
    QSize tabSizeHint(int AIndex) const override {
        QSize size = QTabBar::tabSizeHint(AIndex);
        if (FFixedHeight > 0)
            size.setHeight(FFixedHeight);
        return size;
    }

    QSize minimumTabSizeHint(int AIndex) const override {
        QSize size = QTabBar::minimumTabSizeHint(AIndex);
        if (FFixedHeight > 0)
            size.setHeight(FFixedHeight);
        return size;
    }

private:
    int FFixedHeight = 0;
};

} // namespace

TPageControl::TPageControl(QWidget* AParent) : QTabWidget(AParent) {
    setTabBar(new TFixedHeightTabBar(this)); // owned by this page control
}

int TPageControl::TabHeight() const noexcept {
    return static_cast<const TFixedHeightTabBar*>(tabBar())->FixedHeight();
}

void TPageControl::SetTabHeight(int AValue) {
    static_cast<TFixedHeightTabBar*>(tabBar())->SetFixedHeight(AValue);
}
