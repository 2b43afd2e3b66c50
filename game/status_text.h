#pragma once
// Texts the main window shows about the chosen level and language (Windows-1250).

#include <cstdint>
#include <string>

namespace game {

// "Betű: 10/-1 - Súgó: -2 - Passz: -5" for level 1; levels outside 1..4 read as no player: all zeros.
std::string levelScoreText(int32_t level);
// "Fokozat: " and the level's name.
std::string levelCaption(int32_t level);
// LevelName of the level, empty outside 1..4.
std::string levelName(int32_t level);
// LanguageNames entry, empty outside 1..3.
std::string languageName(int32_t language);
// The status bar's language: the chosen one, and with "VEGYES" chosen the drawn puzzle's too
// ("VEGYES: ANGOL"); `puzzle` is 0 while no puzzle is drawn.
std::string languageText(int32_t chosen, int32_t puzzle);

} // namespace game
