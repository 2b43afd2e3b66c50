// The shipped pack, imported by the table tool as the build does and read back with the game's own
// table: what a new player gets must be drawable at every choice and every record must be valid.
#include "game/tables.h"
#include "storage/cp1250.h"
#include "storage/schemas.h"
#include "storage/table.h"
#include "tools/tool_runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <sstream>
#include <tuple>

namespace {

using storage::testing::TempFolder;
using tabla::testing::runTool;
namespace col = storage::puzzle;

struct Puzzle
{
    std::string text; // Windows-1250, as the game holds it
    int language = 0, level = 0, category = 0;
    std::string hint1, hint2;
    bool hasNull = false;
};

struct PackLine // one line of puzzles.tsv, converted to Windows-1250
{
    std::string phrase, hint1, hint2;
};

std::vector<std::string> splitOn(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator))
        parts.push_back(part);
    if (!text.empty() && text.back() == separator)
        parts.emplace_back();
    return parts;
}

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string> words(const std::string& text)
{
    std::vector<std::string> found;
    std::istringstream in(text);
    for (std::string word; in >> word;)
        found.push_back(word);
    return found;
}

// Words as the board shows them: a full row ends its last word even without a space after it.
std::vector<std::string> boardWords(const std::string& text)
{
    std::vector<std::string> found;
    for (size_t row = 0; row < text.size(); row += game::RowLength)
        for (auto& word : words(text.substr(row, game::RowLength)))
            found.push_back(word);
    return found;
}

int letterCount(const std::string& text)
{
    int count = 0;
    for (char c : text)
        count += game::isCapitalLetter(c);
    return count;
}

// Letters of a hint or an answer, case-folded on the game's own capital/small pairs, so Hungarian
// accents stay apart (KÉZ is not KEZ) while "Kutya" and "KUTYA" meet.
char folded(char c)
{
    if (c >= 'A' && c <= 'Z')
        return char(c - 'A' + 'a');
    const auto at = game::CapitalLetters.find(c);
    return at == std::string_view::npos ? c : game::SmallLetters[at];
}

bool isWordLetter(char c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
        return true;
    const char32_t code = storage::cp1250::codePointOf(c); // accented Latin letters, not „”–… or ×÷
    return code >= 0xC0 && code <= 0x24F && code != 0xD7 && code != 0xF7;
}

// Words of letters only, folded: punctuation and digits separate words ("Duna-hídja" is two).
std::vector<std::string> foldedWords(const std::string& text)
{
    std::vector<std::string> found(1);
    for (char c : text) {
        if (isWordLetter(c))
            found.back() += folded(c);
        else if (!found.back().empty())
            found.emplace_back();
    }
    if (found.back().empty())
        found.pop_back();
    return found;
}

// Whether a hint word names an answer word: the same word from four letters on, and from five letters
// on the word with an ending too (KUTYA in "kutyát"), also with the final a/e lengthened as Hungarian
// endings do (LABDA in "labdát"). Short words are only caught whole, so HAT does not catch "hatalmas".
bool namesAnswerWord(const std::string& answerWord, const std::string& hintWord)
{
    if (answerWord.size() < 4)
        return false;
    if (hintWord == answerWord)
        return true;
    if (answerWord.size() < 5)
        return false;
    if (hintWord.starts_with(answerWord))
        return true;
    std::string lengthened = answerWord;
    if (lengthened.back() == 'a')
        lengthened.back() = '\xE1';
    else if (lengthened.back() == 'e')
        lengthened.back() = '\xE9';
    else
        return false;
    return hintWord.starts_with(lengthened);
}

// Two hints are the same hint when only case, spaces and marks tell them apart.
std::string hintKey(const std::string& hint)
{
    std::string key;
    for (char c : hint)
        if (isWordLetter(c) || (c >= '0' && c <= '9'))
            key += folded(c);
    return key;
}

class ShippedPack : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        const char* source = std::getenv("BRUMVELDA_SOURCE_DIR");
        ASSERT_NE(source, nullptr) << "BRUMVELDA_SOURCE_DIR is not set";
        const std::string pack = storage::testing::readBytes(std::string(source) + "/data/puzzles.tsv");
        ASSERT_FALSE(pack.empty());

        auto lines = splitOn(pack, '\n');
        ASSERT_FALSE(lines.empty());
        ASSERT_EQ(lines.front(), "Szoveg\tNyelv\tSugo1\tSugo2\tFokozat\tKategoria");
        for (size_t i = 1; i < lines.size(); ++i) {
            if (lines[i].empty())
                continue;
            const auto fields = splitOn(lines[i], '\t');
            ASSERT_EQ(fields.size(), 6u) << "line " << i + 1;
            s_lines.push_back({storage::cp1250::fromUtf8(fields[0]),
                               storage::cp1250::fromUtf8(trimmed(fields[2])),
                               storage::cp1250::fromUtf8(trimmed(fields[3]))});
        }

        s_folder = std::make_unique<TempFolder>();
        const auto run = runTool(*s_folder, "import Brumvelda.lis", pack);
        s_importExit = run.exitCode;
        s_importOut = run.out;
        s_importErr = run.err;

        storage::Table table(storage::puzzleColumns());
        table.setFilePath(s_folder->file("Brumvelda.lis"));
        table.open();
        for (int i = 0; i < table.recordCount(); ++i) {
            Puzzle p {table.stringAt(i, col::Szoveg), table.intAt(i, col::Nyelv),
                      table.intAt(i, col::Fokozat),   table.intAt(i, col::Kategoria),
                      table.stringAt(i, col::Sugo1),  table.stringAt(i, col::Sugo2)};
            for (int c = 0; c < int(table.columns().size()); ++c)
                p.hasNull = p.hasNull || table.isNullAt(i, c);
            s_puzzles.push_back(p);
        }
    }
    static void TearDownTestSuite() { s_folder.reset(); }

    static std::string describe(size_t i)
    {
        return "puzzle " + std::to_string(i + 1) + " \"" + storage::cp1250::toUtf8(trimmed(s_puzzles[i].text))
            + "\"";
    }

    // The answer's words as foldedWords gives them, read off the board row by row.
    static std::vector<std::string> answerWords(size_t i)
    {
        std::vector<std::string> found;
        for (const auto& word : boardWords(s_puzzles[i].text))
            for (auto& part : foldedWords(word))
                found.push_back(part);
        return found;
    }

    static inline std::unique_ptr<TempFolder> s_folder;
    static inline int s_importExit = -1;
    static inline std::string s_importOut, s_importErr;
    static inline std::vector<PackLine> s_lines;
    static inline std::vector<Puzzle> s_puzzles;
};

TEST_F(ShippedPack, ImportsWholeAndReadsBackInTheSameOrder)
{
    ASSERT_EQ(s_importExit, 0) << s_importErr;
    EXPECT_EQ(s_importOut, std::to_string(s_lines.size()) + "\n");
    ASSERT_EQ(s_puzzles.size(), s_lines.size());
    for (size_t i = 0; i < s_lines.size(); ++i) {
        // The layout may move words between rows, never lose, split or change one.
        EXPECT_EQ(boardWords(s_puzzles[i].text), words(s_lines[i].phrase)) << "line " << i + 2;
        // The table cuts hints to 100 characters silently: the stored hint must be the whole one.
        EXPECT_EQ(s_puzzles[i].hint1, s_lines[i].hint1) << "line " << i + 2;
        EXPECT_EQ(s_puzzles[i].hint2, s_lines[i].hint2) << "line " << i + 2;
    }
}

TEST_F(ShippedPack, EveryRecordKeepsTheRulesOfAPuzzle)
{
    ASSERT_FALSE(s_puzzles.empty());
    for (size_t i = 0; i < s_puzzles.size(); ++i) {
        const Puzzle& p = s_puzzles[i];
        SCOPED_TRACE(describe(i));
        EXPECT_FALSE(p.hasNull);
        EXPECT_TRUE(p.language == 1 || p.language == 2) << p.language;
        EXPECT_TRUE(p.level >= 1 && p.level <= 4) << p.level;
        EXPECT_TRUE(p.category >= 1 && p.category <= 16) << p.category;
        ASSERT_EQ(p.text.size(), size_t(col::TextSize));
        for (char c : p.text)
            EXPECT_TRUE(game::isBoardCharacter(c)) << "character 0x" << std::hex << (int(c) & 0xFF);
        EXPECT_GT(letterCount(p.text), 0);
        if (p.language == 2) { // the nine accented buttons are disabled in English rounds
            for (char c : p.text)
                EXPECT_TRUE(c == ' ' || game::isPunctuationMark(c) || (c >= 'A' && c <= 'Z'))
                    << "accented letter";
        }
        EXPECT_LE(p.hint1.size(), size_t(col::HintSize));
        EXPECT_LE(p.hint2.size(), size_t(col::HintSize));
        EXPECT_FALSE(trimmed(p.hint1).empty() && trimmed(p.hint2).empty()) << "no hint";
    }
}

TEST_F(ShippedPack, NoPuzzleTextComesTwice)
{
    std::map<std::string, size_t> firstSeen;
    for (size_t i = 0; i < s_puzzles.size(); ++i) {
        const auto [at, isNew] = firstSeen.emplace(s_puzzles[i].text, i);
        EXPECT_TRUE(isNew) << describe(i) << " repeats " << describe(at->second);
    }
}

// Enough for a family to play for months: mostly Hungarian, with an English part of its own.
TEST_F(ShippedPack, EnoughPuzzlesInEveryCategoryAndBothLanguages)
{
    EXPECT_GE(s_puzzles.size(), 1500u);
    std::map<int, int> perCategory, perLanguage;
    for (const Puzzle& p : s_puzzles) {
        ++perCategory[p.category];
        ++perLanguage[p.language];
    }
    for (int category = 1; category <= 16; ++category)
        EXPECT_GE(perCategory[category], 80) << game::CategoryNames[category];
    EXPECT_GE(perLanguage[2], 450);
    EXPECT_GE(perLanguage[1] * 100, int(s_puzzles.size()) * 60);
}

// A player who picks one category, one language and "only this level" never meets "Nincs ilyen!!",
// and an English player who does so gets more than two or three puzzles.
TEST_F(ShippedPack, EveryCategoryLanguageAndLevelCanBeDrawn)
{
    std::map<std::tuple<int, int, int>, int> count;
    for (const Puzzle& p : s_puzzles)
        ++count[{p.category, p.language, p.level}];
    const std::map<int, int> fewestPerChoice = {{1, 1}, {2, 5}}; // by language
    for (int category = 1; category <= 16; ++category)
        for (const auto& [language, fewest] : fewestPerChoice)
            for (int level = 1; level <= 4; ++level)
                EXPECT_GE((count[{category, language, level}]), fewest)
                    << "category " << category << ", language " << language << ", level " << level;
}

TEST_F(ShippedPack, HarderLevelsHaveLongerPuzzlesOnAverage)
{
    for (int language = 1; language <= 2; ++language) {
        double previous = 0;
        for (int level = 1; level <= 4; ++level) {
            int letters = 0, puzzles = 0;
            for (const Puzzle& p : s_puzzles)
                if (p.language == language && p.level == level) {
                    letters += letterCount(p.text);
                    ++puzzles;
                }
            ASSERT_GT(puzzles, 0);
            const double mean = double(letters) / puzzles;
            EXPECT_GT(mean, previous) << "language " << language << ", level " << level;
            previous = mean;
        }
    }
}

TEST(PackWordMatching, CatchesAnAnswerWordInAHintButNotAWordThatMerelyStartsAlike)
{
    const auto cp = [](const char* utf8) { return storage::cp1250::fromUtf8(utf8); };
    struct Case
    {
        const char *answerWord, *hintWord;
        bool names;
    } cases[] = {
        {"KUTYA", "Kutya", true}, // case folded
        {"KUTYA", "kutyát", true}, // final vowel lengthened by the ending
        {"LABDA", "labdázik", true}, // ending on the lengthened stem
        {"MOTOR", "motorháztető", true}, // compound starting with the answer
        {"SZÉK", "szék", true}, // four letters, whole word
        {"SZÉK", "szekér", false}, // accents kept apart, four letters never as a prefix
        {"ALMA", "almás", false}, // four letters only whole
        {"HAT", "hat", false}, // three letters never
        {"TÖRPE", "törp", false}, // the hint word is shorter
        {"BRAVE", "Bravely", true},      {"ÓRA", "órák", false},
    };
    for (const auto& c : cases) {
        const auto answer = foldedWords(cp(c.answerWord)), hint = foldedWords(cp(c.hintWord));
        ASSERT_EQ(answer.size(), 1u);
        ASSERT_EQ(hint.size(), 1u);
        EXPECT_EQ(namesAnswerWord(answer[0], hint[0]), c.names) << c.answerWord << " / " << c.hintWord;
    }
    EXPECT_EQ(foldedWords(cp("„Duna-hídja”, 1849.")), (std::vector<std::string> {cp("duna"), cp("hídja")}));
    EXPECT_EQ(hintKey(cp("Andersen meséje.")), hintKey(cp("andersen  meséje")));
}

// Buying a hint must help, not hand over the answer or another puzzle's.
TEST_F(ShippedPack, NoHintNamesAWordOfItsOwnAnswer)
{
    for (size_t i = 0; i < s_puzzles.size(); ++i) {
        const auto answer = answerWords(i);
        for (const std::string* hint : {&s_puzzles[i].hint1, &s_puzzles[i].hint2})
            for (const auto& hintWord : foldedWords(*hint))
                for (const auto& answerWord : answer)
                    EXPECT_FALSE(namesAnswerWord(answerWord, hintWord))
                        << describe(i) << ": \"" << storage::cp1250::toUtf8(*hint) << "\"";
    }
}

TEST_F(ShippedPack, NoHintHoldsTheWholeAnswerOfAnotherPuzzleOfTwoWordsOrMore)
{
    std::vector<std::vector<std::string>> answers(s_puzzles.size());
    std::multimap<std::string, size_t> byFirstWord;
    for (size_t i = 0; i < s_puzzles.size(); ++i) {
        answers[i] = answerWords(i);
        if (answers[i].size() >= 2)
            byFirstWord.emplace(answers[i].front(), i);
    }
    for (size_t i = 0; i < s_puzzles.size(); ++i)
        for (const std::string* hint : {&s_puzzles[i].hint1, &s_puzzles[i].hint2}) {
            const auto words = foldedWords(*hint);
            for (size_t at = 0; at < words.size(); ++at) {
                const auto [first, last] = byFirstWord.equal_range(words[at]);
                for (auto other = first; other != last; ++other) {
                    const auto& answer = answers[other->second];
                    const bool holds = other->second != i && at + answer.size() <= words.size()
                        && std::equal(answer.begin(), answer.end(), words.begin() + at);
                    EXPECT_FALSE(holds) << describe(i) << ": \"" << storage::cp1250::toUtf8(*hint)
                                        << "\" gives away " << describe(other->second);
                }
            }
        }
}

TEST_F(ShippedPack, NoTwoPuzzlesShareAHint)
{
    std::map<std::string, size_t> firstSeen;
    for (size_t i = 0; i < s_puzzles.size(); ++i) {
        const auto key1 = hintKey(s_puzzles[i].hint1), key2 = hintKey(s_puzzles[i].hint2);
        EXPECT_TRUE(key1.empty() || key1 != key2) << describe(i) << " repeats its first hint";
        for (int slot = 1; slot <= 2; ++slot) {
            const std::string& key = slot == 1 ? key1 : key2;
            if (key.empty() || (slot == 2 && key == key1))
                continue;
            const auto [at, isNew] = firstSeen.emplace(key, i);
            EXPECT_TRUE(isNew) << describe(i) << " shares a hint with " << describe(at->second);
        }
    }
}

// A second hint is what makes buying hints worth it; most puzzles must offer one.
TEST_F(ShippedPack, MostPuzzlesHaveASecondHint)
{
    ASSERT_FALSE(s_puzzles.empty());
    size_t withSecond = 0;
    for (const Puzzle& p : s_puzzles)
        withSecond += !trimmed(p.hint1).empty() && !trimmed(p.hint2).empty();
    EXPECT_GE(withSecond * 100, s_puzzles.size() * 60) << withSecond << " of " << s_puzzles.size();
}

} // namespace
