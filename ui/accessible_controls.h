#pragma once
// What assistive tools (screen readers) are told about the game's own controls. A board cell speaks from its
// state, never from its caption, so a hidden letter reaches no accessible property; the gauge exposes its
// position through the value interface; a shadow label reads as its text while its window is on screen.

#include <QString>

class QWidget;

namespace ui {

// Installs, once, the interfaces of the board cell, the gauge and the shadow label. Their constructors call
// it, so any window that makes one is covered.
void installAccessibleControls();

// The first line of a tool tip: the name a screen reader gives the button.
QString firstLine(const QString& text);

// Tells assistive tools about a change on `window` (a letter found, a mistake, the end of a round) through
// the window's Announcer (ui/announcer.h): screen readers speak it by themselves, wherever their focus is.
void announce(QWidget* window, const QString& text);

} // namespace ui
