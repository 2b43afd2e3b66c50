#include "ui/toolbar_panel.h"

#include "ui/accessible_controls.h"

namespace ui {

ToolbarPanel::ToolbarPanel(QWidget* parent)
    : QFrame(parent)
{
    installAccessibleControls();
    setFrameStyle(QFrame::Panel | QFrame::Raised);
}

} // namespace ui
