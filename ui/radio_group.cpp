#include "ui/radio_group.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace ui {

RadioGroup::RadioGroup(const QString& title, int columns, QWidget* parent)
    : QGroupBox(title, parent)
    , m_columns(std::max(1, columns))
    , m_group(new QButtonGroup(this))
{
    m_group->setExclusive(true);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 4, 8, 4);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(2);
}

void RadioGroup::setItems(const QStringList& items)
{
    for (QRadioButton* button : m_buttons) {
        m_group->removeButton(button);
        delete button;
    }
    m_buttons.clear();
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        button->setObjectName(objectName() + QString::number(i));
        m_group->addButton(button, i);
        m_buttons.append(button);
    }
    layOut();
}

void RadioGroup::layOut()
{
    auto* grid = static_cast<QGridLayout*>(layout());
    // Down each column first, as the items of a multi-column radio group read.
    const int rows = (static_cast<int>(m_buttons.size()) + m_columns - 1) / m_columns;
    for (int i = 0; i < m_buttons.size(); ++i)
        grid->addWidget(m_buttons[i], i % rows, i / rows);
}

int RadioGroup::count() const { return static_cast<int>(m_buttons.size()); }

QRadioButton* RadioGroup::button(int index) const
{
    return index >= 0 && index < m_buttons.size() ? m_buttons[index] : nullptr;
}

int RadioGroup::itemIndex() const { return m_group->checkedId(); }

void RadioGroup::setItemIndex(int index)
{
    if (QRadioButton* chosen = button(index))
        chosen->setChecked(true);
}

} // namespace ui
