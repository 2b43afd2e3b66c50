#pragma once
// Windows the game centres on the desktop rather than over their parent.

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace ui {

inline void centreOnDesktop(QWidget& window)
{
    QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect desktop = screen->availableGeometry();
    const QSize size = window.frameGeometry().size();
    window.move(desktop.center() - QPoint(size.width() / 2, size.height() / 2));
}

} // namespace ui
