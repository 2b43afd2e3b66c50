#pragma once
// The game's fonts: DejaVu Sans at fixed pixel sizes, so the Hungarian letters and the layout look the same
// on every desktop.

#include <QFont>

namespace ui {

inline QFont boldPixelFont(int pixels)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

// The windows' default font.
inline QFont defaultFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(8);
    return font;
}

} // namespace ui
