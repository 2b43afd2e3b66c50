// Spreading a puzzle list for the draw: the odds measure, and orders that keep every choice near fair.
#include "game/draw_spread.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

using namespace game;

namespace {

// A list written as letters: 'a' a Hungarian level-1 puzzle of category 1, 'b' of category 2, 'x' an
// English level-4 puzzle of category 3.
std::vector<PuzzleKind> listOf(const std::string& letters)
{
    std::vector<PuzzleKind> list;
    for (char c : letters)
        list.push_back(c == 'a'       ? PuzzleKind {1, 1, 1}
                           : c == 'b' ? PuzzleKind {1, 1, 2}
                                      : PuzzleKind {2, 4, 3});
    return list;
}

const DrawChoice categoryOne {1, 1, 1, 0};

TEST(MostDrawnRatio, IsTheLongestRunBeforeAnAdmittedRecordAgainstTheFairShare)
{
    struct Row
    {
        const char* list;
        double ratio;
    } rows[] = {
        {"aaaa", 1.0}, // every record admitted: uniform
        {"axax", 1.0}, // evenly spread
        {"xxxa", 1.0}, // one admitted record takes every start
        {"axxxxxxa", 7.0 * 2 / 8}, // the second 'a' follows six others
        {"aaxxxxxx", 7.0 * 2 / 8}, // the first 'a' is reached round the end
        {"xxxxxxxx", 0.0}, // nothing admitted
        {"", 0.0},
    };
    for (const Row& row : rows)
        EXPECT_DOUBLE_EQ(mostDrawnRatio(listOf(row.list), categoryOne), row.ratio) << row.list;
}

TEST(UsualChoices, CoverEachCategoryAndAllOfThemInEveryLanguageAndLevel)
{
    const std::vector<DrawChoice> choices = usualChoices();
    EXPECT_EQ(choices.size(), 3u * 4u * 2u * 17u);
    std::map<int32_t, int> perMask;
    for (const DrawChoice& choice : choices)
        ++perMask[choice.PlayCategories];
    EXPECT_EQ(perMask.size(), 17u);
    EXPECT_EQ(perMask[65535], 24);
    EXPECT_EQ(perMask[32768], 24);
}

// A list of blocks as a pack sorted by category, language and level would be.
std::vector<PuzzleKind> blockedList()
{
    std::vector<PuzzleKind> list;
    for (int32_t category = 1; category <= 16; ++category)
        for (int32_t language = 1; language <= 2; ++language)
            for (int32_t level = 1; level <= 4; ++level)
                for (int i = 0; i < (language == 1 ? 9 : 3) + category % 3; ++i)
                    list.push_back({language, level, category});
    return list;
}

std::vector<PuzzleKind> placed(const std::vector<PuzzleKind>& list, const std::vector<int>& order)
{
    std::vector<PuzzleKind> result;
    for (int i : order)
        result.push_back(list[size_t(i)]);
    return result;
}

TEST(SpreadOrder, NamesEveryRecordOnceAndRepeatsForTheSameSeed)
{
    const std::vector<PuzzleKind> list = blockedList();
    std::vector<int> order = spreadOrder(list, 7);
    EXPECT_EQ(order, spreadOrder(list, 7));
    EXPECT_NE(order, spreadOrder(list, 8));
    std::sort(order.begin(), order.end());
    for (int i = 0; i < int(order.size()); ++i)
        ASSERT_EQ(order[size_t(i)], i);
}

TEST(SpreadOrder, TurnsBlocksIntoNearFairOddsForEveryUsualChoice)
{
    const std::vector<PuzzleKind> list = blockedList();
    EXPECT_GT(worstUsualRatio(list), 20.0); // the blocks: one puzzle takes most rounds
    for (uint32_t seed : {1u, 2u, 3u})
        EXPECT_LE(worstUsualRatio(placed(list, spreadOrder(list, seed))), 4.0) << "seed " << seed;
}

TEST(SpreadOrder, KeepsRecordsOutsideTheKnownCodes)
{
    // Hand-edited lists may hold a category 0 or a level 9: they are spread like the others, never lost.
    const std::vector<PuzzleKind> list = {{1, 1, 1}, {1, 9, 0}, {3, 1, 1}, {1, 1, 1}};
    std::vector<int> order = spreadOrder(list, 1);
    std::sort(order.begin(), order.end());
    EXPECT_EQ(order, (std::vector<int> {0, 1, 2, 3}));
}

} // namespace
