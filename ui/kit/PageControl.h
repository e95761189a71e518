#pragma once

// A tabbed page control whose tabs all have one fixed height (tabHeight, in pixels; 0 leaves the
// height to the style). Usable as a promoted QTabWidget in .ui files.

#include <QTabWidget>

class TPageControl : public QTabWidget {
    Q_OBJECT
    Q_PROPERTY(int tabHeight READ TabHeight WRITE SetTabHeight)

public:
    explicit TPageControl(QWidget* AParent = nullptr);

    int TabHeight() const noexcept;
    void SetTabHeight(int AValue);
};
