#pragma once
// Windows the game centres on the desktop rather than over their parent: the whole window, frame included,
// half of the spare room on each side (the odd pixel goes right and below).

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
    window.move(desktop.topLeft()
                + QPoint((desktop.width() - size.width()) / 2, (desktop.height() - size.height()) / 2));
}

} // namespace ui
