#include "ui/own_colours.h"

#include <QPalette>
#include <QWidget>

namespace ui {

void useOwnColours(QWidget* area, const QColor& background, const QColor& text, const QColor& disabledText)
{
    QPalette palette = area->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool disabled = group == QPalette::Disabled;
        for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Button, QPalette::Base})
            palette.setColor(group, role, background);
        for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
            palette.setColor(group, role, disabled ? disabledText : text);
        // Bevels and frames are drawn in shades of the background, as on a light desktop.
        palette.setColor(group, QPalette::Light, background.lighter(150));
        palette.setColor(group, QPalette::Midlight, background.lighter(115));
        palette.setColor(group, QPalette::Mid, background.darker(130));
        palette.setColor(group, QPalette::Dark, background.darker(160));
        palette.setColor(group, QPalette::Shadow, background.darker(300));
    }
    area->setPalette(palette);
}

} // namespace ui
