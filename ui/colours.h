#pragma once
// The game's fixed colours (game/tables.h, kept Qt-free there) as the widgets take them.

#include "game/tables.h"

#include <QColor>

namespace ui {

inline QColor toColour(game::Rgb rgb) { return QColor(rgb.r, rgb.g, rgb.b); }

} // namespace ui
