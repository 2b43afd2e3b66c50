#pragma once
// The game's fixed tables: letter sets (Windows-1250 bytes), scoring by level, category and language names.

#include <array>
#include <cstdint>
#include <string_view>

namespace game {

inline constexpr std::string_view VersionText = "v1.0c";
inline constexpr int CellCount = 39;
inline constexpr int RowLength = 13;
inline constexpr int LetterButtonCount = 35;

// Windows-1250 bytes. Order of CapitalLetters is the order of the letter buttons b1..b35.
inline constexpr std::string_view CapitalLetters = "A\xC1"
                                                   "BCDE\xC9"
                                                   "FGHI\xCD"
                                                   "JKLMNO\xD3\xD6\xD5"
                                                   "PQRSTU\xDA\xDC\xDB"
                                                   "VWXYZ";
inline constexpr std::string_view SmallLetters = "a\xE1"
                                                 "bcde\xE9"
                                                 "fghi\xED"
                                                 "jklmno\xF3\xF6\xF5"
                                                 "pqrstu\xFA\xFC\xFB"
                                                 "vwxyz";
inline constexpr std::string_view PunctuationMarks = ".,!?:;-+*/";
inline constexpr std::string_view VowelLetters = "AEIOU\xC1\xC9\xCD\xD3\xD5\xD6\xDA\xDB\xDC";

// Buttons (1-based) that carry the nine accented letters: disabled in English rounds.
inline constexpr std::array<int, 9> AccentedButtons = {2, 7, 12, 19, 20, 21, 28, 29, 30};

struct LevelRow
{
    std::string_view LevelName; // Windows-1250
    int32_t LetterScore;
    int32_t MissScore;
    int32_t HintScore;
    int32_t PassScore;
};
// Indexed by level 1..4; entry 0 is unused so the level is the index.
inline constexpr std::array<LevelRow, 5> LevelTable = {{
    {"", 0, 0, 0, 0},
    {"GYEREK", 10, -1, -2, -5},
    {"KEZD\xD5", 10, -2, -5, -10},
    {"K\xD6ZEPES", 5, -2, -10, -10},
    {"HALAD\xD3", 5, -2, -20, -10},
}};

// Indexed by category 1..16 (entry 0 unused), Windows-1250.
inline constexpr std::array<std::string_view, 17> CategoryNames = {
    "",
    "T\xE1rgy",
    "Fogalom",
    "Hely",
    "Sz\xF3l\xE1s",
    "K\xF6zmond\xE1s",
    "H\xEDres mond\xE1s",
    "H\xEDres ember",
    "Vkinek a vmije",
    "\xC9l\xF5l\xE9ny",
    "Tulajdons\xE1g",
    "Sz\xE1m\xEDt\xE1stechnika",
    "Aut\xF3k",
    "Mese",
    "Mesefigura",
    "Sz\xE1m",
    "Sz\xEDn",
};

// Language codes: a puzzle is Hungarian or English; a round may also take both.
inline constexpr int32_t Hungarian = 1;
inline constexpr int32_t English = 2;
inline constexpr int32_t MixedLanguages = 3;

// The category mask with all sixteen categories chosen (category k is bit k-1).
inline constexpr int32_t AllCategories = 65535;

// Indexed by language 1..3 (entry 0 unused).
inline constexpr std::array<std::string_view, 4> LanguageNames = {"", "MAGYAR", "ANGOL", "VEGYES"};

inline bool isCapitalLetter(char c) { return CapitalLetters.find(c) != std::string_view::npos; }
inline bool isSmallLetter(char c) { return SmallLetters.find(c) != std::string_view::npos; }
inline bool isPunctuationMark(char c) { return PunctuationMarks.find(c) != std::string_view::npos; }
inline bool isVowel(char c) { return VowelLetters.find(c) != std::string_view::npos; }
inline bool isBoardCharacter(char c) { return c == ' ' || isCapitalLetter(c) || isPunctuationMark(c); }

} // namespace game
