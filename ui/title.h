#pragma once
// The application title: the task bar text, the start of the main window's caption, every message box's
// caption.

#include <QString>

namespace ui {

inline QString applicationTitle() { return QStringLiteral("Brumvelda"); }

} // namespace ui
