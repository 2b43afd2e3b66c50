#pragma once
// Check boxes in columns whose value is a bit mask: bit i is set while box i is checked. Items are filled
// down each column first, as in a radio group.

#include <QStringList>
#include <QWidget>
#include <cstdint>

class QCheckBox;

namespace ui {

class CheckGroup : public QWidget
{
    Q_OBJECT

public:
    CheckGroup(int columns, QWidget* parent = nullptr);

    // Replaces the items; every new box starts unchecked. At most 32 items (one bit each).
    void setItems(const QStringList& items);
    int count() const { return static_cast<int>(m_boxes.size()); }
    QCheckBox* box(int index) const;

    uint32_t value() const;
    void setValue(uint32_t mask); // bits beyond the items are ignored

signals:
    // A box changed, by the user or by setValue.
    void valueChanged(uint32_t value);

private:
    int m_columns;
    QList<QCheckBox*> m_boxes;
    bool m_settingValue = false;
};

} // namespace ui
