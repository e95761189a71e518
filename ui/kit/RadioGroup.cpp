#include "ui/kit/RadioGroup.h"

#include <QGridLayout>
#include <QRadioButton>
#include <algorithm>

// A radio button that asks its group before the user's click or arrow key selects it.
class TRadioGroupButton final : public QRadioButton {
public:
    TRadioGroupButton(const QString& AText, int AIndex, TRadioGroup& AGroup)
        : QRadioButton(AText, &AGroup), FIndex(AIndex), FGroup(AGroup) {}

protected:
    void nextCheckState() override {
        if (isChecked() || FGroup.AllowChangeTo(FIndex))
            QRadioButton::nextCheckState();
    }

private:
    int FIndex;
    TRadioGroup& FGroup;
};

TRadioGroup::TRadioGroup(QWidget* AParent) : QGroupBox(AParent), FLayout(new QGridLayout(this)) {
    // A place in the window's tab order of its own; the focus passes on to the selected item.
    setFocusPolicy(Qt::TabFocus);
    FLayout->setContentsMargins(8, 0, 8, 0);
    FLayout->setHorizontalSpacing(8);
    FLayout->setVerticalSpacing(0);
}

void TRadioGroup::SetItems(const QStringList& AItems) {
    const int selected = ItemIndex();
    setFocusProxy(nullptr);
    qDeleteAll(FButtons);
    FButtons.clear();
    FItems = AItems;
    for (int i = 0; i < FItems.size(); ++i) {
        auto* button = new TRadioGroupButton(FItems.at(i), i, *this); // owned by this group
        button->setObjectName(objectName() + QStringLiteral("Item") + QString::number(i));
        connect(button, &QRadioButton::toggled, this, &TRadioGroup::UpdateTabStops);
        FButtons.append(button);
    }
    // New buttons join the end of the window's tab chain; they belong right after the group. (The
    // chain is arranged before the group hands its focus on to a button.)
    QWidget* previous = this;
    for (QRadioButton* button : FButtons) {
        QWidget::setTabOrder(previous, button);
        previous = button;
    }
    ArrangeButtons();
    SetItemIndex(selected);
    UpdateTabStops();
}

void TRadioGroup::SetColumns(int AValue) {
    FColumns = std::max(AValue, 1);
    ArrangeButtons();
}

int TRadioGroup::ItemIndex() const {
    for (int i = 0; i < FButtons.size(); ++i)
        if (FButtons.at(i)->isChecked())
            return i;
    return -1;
}

void TRadioGroup::SetItemIndex(int AIndex) {
    if (AIndex >= 0 && AIndex < FButtons.size()) {
        FButtons.at(AIndex)->setChecked(true);
        return;
    }
    // Auto-exclusive buttons refuse to be unchecked one by one.
    for (QRadioButton* button : FButtons) {
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(true);
    }
}

QRadioButton* TRadioGroup::ItemButton(int AIndex) const {
    return AIndex >= 0 && AIndex < FButtons.size() ? FButtons.at(AIndex) : nullptr;
}

void TRadioGroup::UpdateTabStops() {
    // Tab reaches the group once, on its selected item (the first when none is selected); the
    // arrow keys move between the items.
    const int tabStop = std::max(ItemIndex(), 0);
    for (int i = 0; i < FButtons.size(); ++i)
        FButtons.at(i)->setFocusPolicy(i == tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    setFocusProxy(ItemButton(tabStop));
}

bool TRadioGroup::AllowChangeTo(int ANewIndex) {
    bool allowChange = true;
    emit Changing(ANewIndex, allowChange);
    return allowChange;
}

void TRadioGroup::ArrangeButtons() {
    for (QRadioButton* button : FButtons)
        FLayout->removeWidget(button);
    const int rows = (static_cast<int>(FButtons.size()) + FColumns - 1) / FColumns;
    for (int i = 0; i < FButtons.size(); ++i)
        FLayout->addWidget(FButtons.at(i), i % std::max(rows, 1), i / std::max(rows, 1));
}
