#pragma once
// Texts in fixed places: DejaVu runs wider than the fonts the layout was drawn for, so a text too wide for
// its label is narrowed (down to three quarters of its width) and, only when that is not enough, elided,
// with the whole text as the label's tool tip and accessible name.

#include <QString>

class QLabel;

namespace ui {

void showFitted(QLabel* label, const QString& text);

} // namespace ui
