#pragma once

// A framed group of radio buttons with a caption, one button per item, laid out in columns (items
// fill the first column top to bottom, then the next). ItemIndex is the selected item, -1 for
// none. Before the user selects another item, Changing is emitted with the new index and a flag
// that a handler may clear to keep the old selection; selecting from the program does not emit
// it. Usable as a promoted QGroupBox in .ui files.

#include <QGroupBox>
#include <QList>
#include <QStringList>

class QGridLayout;
class QRadioButton;

class TRadioGroup : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(QStringList items READ Items WRITE SetItems)
    Q_PROPERTY(int columns READ Columns WRITE SetColumns)
    Q_PROPERTY(int itemIndex READ ItemIndex WRITE SetItemIndex)

public:
    explicit TRadioGroup(QWidget* AParent = nullptr);

    const QStringList& Items() const noexcept { return FItems; }
    void SetItems(const QStringList& AItems);
    int Columns() const noexcept { return FColumns; }
    void SetColumns(int AValue);

    int ItemIndex() const;
    void SetItemIndex(int AIndex);

    // The radio button of item AIndex, or null.
    QRadioButton* ItemButton(int AIndex) const;

signals:
    void Changing(int ANewIndex, bool& AAllowChange);

private:
    friend class TRadioGroupButton;
    // Asked by a button that the user is about to select.
    bool AllowChangeTo(int ANewIndex);
    void ArrangeButtons();
    void UpdateTabStops();

    QStringList FItems;
    int FColumns = 1;
    QList<QRadioButton*> FButtons; // children of this group
    QGridLayout* FLayout;          // owned by this group
};
