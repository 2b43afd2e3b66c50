#include "ui/key_release_guard.h"

#include <QKeyEvent>

namespace ui {

void KeyReleaseGuard::pressed(const QKeyEvent& event)
{
    if (!event.isAutoRepeat())
        m_down = event.key();
}

bool KeyReleaseGuard::released(const QKeyEvent& event)
{
    if (event.isAutoRepeat() || event.key() != m_down)
        return false;
    m_down = 0;
    return true;
}

} // namespace ui
