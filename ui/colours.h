#pragma once
// The game's fixed colours, each defined once: the board cells', the windows' backgrounds and the texts'.

#include <QColor>

namespace ui {

// Board cells: an uncovered letter or the editor's selected cell, the letters, a blank or sign cell, signs.
inline constexpr QColor LetterCellColour {255, 255, 0};
inline constexpr QColor LetterTextColour {0, 128, 128};
inline constexpr QColor PlainCellColour {192, 220, 192};
inline constexpr QColor SignTextColour {0, 128, 128};
// The letters a lost or given-up round left hidden, shown once its result window is closed: apart from the
// found ones, so the player sees what was missed.
inline constexpr QColor MissedLetterColour {200, 0, 0};

// The main window's background is the blank cells' colour; the keyboard panel's is the name entry's too.
inline constexpr QColor WindowColour = PlainCellColour;
inline constexpr QColor PanelColour {240, 202, 166};

// Texts: the main window's labels, its category and hint lines, the editor's hint; the details dialog's
// fields in the letters' teal.
inline constexpr QColor Blue {0, 0, 255};
inline constexpr QColor Red {255, 0, 0};
inline constexpr QColor Maroon {128, 0, 0};
inline constexpr QColor Green {0, 128, 0};
inline constexpr QColor Teal = LetterTextColour;

// The plain text of the game's own areas, and of their disabled controls (a used letter, a greyed button).
inline constexpr QColor Black {0, 0, 0};
inline constexpr QColor GreyedText {150, 130, 112};

} // namespace ui
