#pragma once
// Paints a window once off-screen, before it is shown: the styles of its controls are applied and the
// glyphs of its fonts drawn, so its first paint on the screen does little more than copy. The main window
// does this while it waits for the puzzle list read ahead on another thread.

class QWidget;

namespace ui {

void paintAhead(QWidget& window);

} // namespace ui
