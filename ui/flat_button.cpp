#include "ui/flat_button.h"

namespace ui {

FlatButton::FlatButton(int tag, QWidget* parent)
    : QToolButton(parent)
    , m_tag(tag)
{
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
}

} // namespace ui
