#pragma once
// A titled group of radio buttons laid out in columns, filled down each column first; exactly one item is
// chosen once an item has been set. Items are addressed by position from 0.

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace ui {

class RadioGroup : public QGroupBox
{
    Q_OBJECT

public:
    RadioGroup(const QString& title, int columns, QWidget* parent = nullptr);

    // Replaces the items; nothing is chosen afterwards.
    void setItems(const QStringList& items);
    int count() const;
    QRadioButton* button(int index) const;

    int itemIndex() const; // -1 when nothing is chosen
    void setItemIndex(int index);

private:
    void layOut();

    int m_columns;
    QButtonGroup* m_group;
    QList<QRadioButton*> m_buttons;
};

} // namespace ui
