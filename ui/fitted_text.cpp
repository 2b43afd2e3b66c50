#include "ui/fitted_text.h"

#include <QFontMetrics>
#include <QLabel>
#include <algorithm>

namespace ui {

namespace {
constexpr int NarrowestStretch = 75;
}

void showFitted(QLabel* label, const QString& text)
{
    QFont font = label->font();
    font.setStretch(QFont::Unstretched);
    // The label's own margins and indent are room the text does not get.
    const int room = label->contentsRect().width() - 2 * std::max(label->indent(), 0);
    const int advance = QFontMetrics(font).horizontalAdvance(text);
    if (advance > room && room > 0) {
        // Glyph widths round to whole pixels, so the proportional guess may still be a little too wide.
        int stretch = std::max(NarrowestStretch, 100 * room / advance);
        font.setStretch(stretch);
        while (stretch > NarrowestStretch && QFontMetrics(font).horizontalAdvance(text) > room)
            font.setStretch(--stretch);
    }
    label->setFont(font);

    const QFontMetrics narrowed(font);
    if (room > 0 && narrowed.horizontalAdvance(text) > room) {
        label->setText(narrowed.elidedText(text, Qt::ElideRight, room));
        label->setToolTip(text);
        label->setAccessibleName(text);
    } else {
        label->setText(text);
        label->setToolTip(QString());
        label->setAccessibleName(QString());
    }
}

} // namespace ui
