#pragma once
// The game's fonts: DejaVu Sans at fixed pixel sizes, so the Hungarian letters and the layout look the same
// on every desktop.

#include <QFont>
#include <QString>

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

// Makes the fonts of `folder` (its .ttf files) known to this run and says how many loaded. The Windows game
// carries DejaVu Sans there, which Windows lacks; on Linux the package depends on the installed family and no
// such folder exists.
int loadFontsFrom(const QString& folder);

} // namespace ui
