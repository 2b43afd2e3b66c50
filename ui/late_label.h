#pragma once
// A label that appears only later (the category above the board, hidden until the first puzzle). Qt 6.4
// tells assistive tools only that it became "showing", never "visible", and Orca keeps the "not visible" it
// read before: its review mode would never find the label. So to them it is there all along, silent (with no
// name) while hidden.

#include <QLabel>

namespace ui {

class LateLabel : public QLabel
{
    Q_OBJECT

public:
    explicit LateLabel(QWidget* parent);
};

} // namespace ui
