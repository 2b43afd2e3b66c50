#include "game/status_text.h"

#include "game/round_rules.h"
#include "game/tables.h"

namespace game {

std::string levelScoreText(int32_t level)
{
    const LevelRow& row = levelRow(level);
    // "Betű" and "Súgó" in Windows-1250.
    return "Bet\xFB: " + std::to_string(row.LetterScore) + "/" + std::to_string(row.MissScore)
        + " - S\xFAg\xF3: " + std::to_string(row.HintScore) + " - Passz: " + std::to_string(row.PassScore);
}

std::string levelName(int32_t level) { return std::string(levelRow(level).LevelName); }

std::string levelCaption(int32_t level) { return "Fokozat: " + levelName(level); }

std::string languageName(int32_t language)
{
    return language >= Hungarian && language <= MixedLanguages
        ? std::string(LanguageNames[static_cast<size_t>(language)])
        : std::string();
}

std::string languageText(int32_t chosen, int32_t puzzle)
{
    const std::string drawn
        = chosen == MixedLanguages && puzzle != MixedLanguages ? languageName(puzzle) : "";
    return drawn.empty() ? languageName(chosen) : languageName(chosen) + ": " + drawn;
}

} // namespace game
