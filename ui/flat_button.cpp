#include "ui/flat_button.h"

#include <QKeyEvent>

namespace ui {

FlatButton::FlatButton(int tag, QWidget* parent)
    : QToolButton(parent)
    , m_tag(tag)
{
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
}

void FlatButton::keyPressEvent(QKeyEvent* event)
{
    // In a dialog Enter would otherwise go to its default button (OK) instead of the button in focus.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        event->accept();
        click();
        return;
    }
    QToolButton::keyPressEvent(event);
}

} // namespace ui
