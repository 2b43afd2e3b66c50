#include "ui/late_label.h"

#include "ui/accessible_controls.h"

namespace ui {

LateLabel::LateLabel(QWidget* parent)
    : QLabel(parent)
{
    installAccessibleControls();
}

} // namespace ui
