// The shipped list as the draw meets it: for every choice a player can make of one category (or all), one
// language and one level, exact or up to it, no puzzle comes up more than a few times as often as under a
// uniform draw. Counted by running the game's own draw from every possible start of the built list.
#include "game/draw_spread.h"
#include "game/puzzle_draw.h"
#include "storage/schemas.h"
#include "storage/table.h"
#include "tools/tool_runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using storage::testing::readBytes;
using storage::testing::TempFolder;
using tabla::testing::runTool;

constexpr double MostDrawnLimit = 5.0; // times the uniform share

std::string describe(const game::DrawChoice& choice)
{
    return "language " + std::to_string(choice.PlayLanguage) + ", level "
        + (choice.ExactLevel ? "exactly " : "up to ") + std::to_string(choice.PlayLevel) + ", categories "
        + std::to_string(choice.PlayCategories);
}

TEST(ShippedListOrder, NoChoiceDrawsOnePuzzleFarMoreOftenThanUniform)
{
    storage::Table list(storage::puzzleColumns());
    list.setFilePath(BRUMVELDA_BUILT_LIST);
    list.open();
    const int32_t count = list.recordCount();
    ASSERT_GT(count, 100); // the pack, whose size the pack test checks

    for (const game::DrawChoice& choice : game::usualChoices()) {
        std::vector<int> drawn(size_t(count), 0);
        int admitted = 0;
        for (int32_t start = 0; start < count; ++start) {
            const game::DrawResult result = game::drawPuzzle(list, count, start, choice);
            if (!result.admitted)
                break; // nothing fits this choice: "Nincs ilyen!!" from every start
            ++drawn[size_t(list.currentPosition())];
        }
        for (int times : drawn)
            admitted += times > 0;
        if (admitted == 0)
            continue;
        const int mostDrawn = *std::max_element(drawn.begin(), drawn.end());
        const double ratio = double(mostDrawn) * admitted / count;
        EXPECT_LE(ratio, MostDrawnLimit) << describe(choice) << ": " << admitted << " puzzles";
    }
    list.closeWithoutSaving();
}

TEST(ShippedListOrder, ARebuildGivesTheSameBytes)
{
    TempFolder folder;
    const std::string pack = readBytes(std::string(BRUMVELDA_SOURCE) + "/data/puzzles.tsv");
    for (const char* name : {"a.lis", "b.lis"}) {
        ASSERT_EQ(runTool(folder, std::string("import ") + name, pack).exitCode, 0);
        ASSERT_EQ(runTool(folder, std::string("shuffle --seed 1 ") + name).exitCode, 0);
    }
    const std::string rebuilt = readBytes(folder.path() + "/a.lis");
    EXPECT_EQ(rebuilt, readBytes(folder.path() + "/b.lis"));
    EXPECT_EQ(rebuilt, readBytes(BRUMVELDA_BUILT_LIST));
}

} // namespace
