#pragma once
// The game's own areas (board, keyboard, status bar, result windows) keep their look under any desktop
// palette: they set their text colours with their backgrounds, and a disabled control reads as greyed on
// them, not as the desktop's dark-theme disabled text.

#include <QColor>

class QWidget;

namespace ui {

// Background, text and disabled text of `area` and the controls inside it that set no colour of their own.
void useOwnColours(QWidget* area, const QColor& background, const QColor& text, const QColor& disabledText);

} // namespace ui
