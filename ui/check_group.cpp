#include "ui/check_group.h"

#include <QCheckBox>
#include <QGridLayout>
#include <algorithm>

namespace ui {

CheckGroup::CheckGroup(int columns, QWidget* parent)
    : QWidget(parent)
    , m_columns(std::max(1, columns))
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(0);
}

void CheckGroup::setItems(const QStringList& items)
{
    qDeleteAll(m_boxes);
    m_boxes.clear();
    const int shown = std::min<int>(static_cast<int>(items.size()), 32);
    const int rows = std::max(1, (shown + m_columns - 1) / m_columns);
    auto* grid = static_cast<QGridLayout*>(layout());
    for (int i = 0; i < shown; ++i) {
        auto* box = new QCheckBox(items[i], this);
        box->setObjectName(objectName() + QString::number(i));
        connect(box, &QCheckBox::toggled, this, [this] {
            if (!m_settingValue)
                emit valueChanged(value());
        });
        grid->addWidget(box, i % rows, i / rows);
        m_boxes.append(box);
    }
}

QCheckBox* CheckGroup::box(int index) const
{
    return index >= 0 && index < m_boxes.size() ? m_boxes[index] : nullptr;
}

uint32_t CheckGroup::value() const
{
    uint32_t mask = 0;
    for (int i = 0; i < m_boxes.size(); ++i) {
        if (m_boxes[i]->isChecked())
            mask |= 1u << i;
    }
    return mask;
}

void CheckGroup::setValue(uint32_t mask)
{
    const uint32_t before = value();
    // One notification for the whole change, not one per box.
    m_settingValue = true;
    for (int i = 0; i < m_boxes.size(); ++i)
        m_boxes[i]->setChecked((mask >> i) & 1u);
    m_settingValue = false;
    if (value() != before)
        emit valueChanged(value());
}

} // namespace ui
