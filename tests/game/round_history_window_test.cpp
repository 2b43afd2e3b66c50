// The round history as the game keeps it: every round that ends is in the file at once, with how it ended;
// the puzzle of the day is played once a day; and the draw passes over the puzzles the player met lately.
#include "game/calendar.h"
#include "game/daily_puzzle.h"
#include "game/round_fixture.h"
#include "storage/schemas.h"

using namespace round_testing;
namespace h = storage::history;

namespace {

const int32_t Evening = game::localMinutes({2026, 12, 7}, 19, 30);

class RoundHistory : public RoundTest
{
protected:
    void SetUp() override
    {
        RoundTest::SetUp();
        clockMinutes = Evening;
    }
    void giveUp()
    {
        expectResult<TfrmSzabad>([](TfrmSzabad&) {});
        click(main().tbSzabad);
    }
};

TEST_F(RoundHistory, EveryRoundThatEndsIsInTheFileAtOnceWithHowItEnded)
{
    // Level 2: 10 a letter cell, -2 a mistake, -10 giving up; a limit of two mistakes.
    startWith({{"KUTYA", 1, "EGY", "ALLAT", 2, 3}}, 2, "MaxHiba=2");
    EXPECT_FALSE(folder.exists("Brumvelda.tor")); // nothing before the first round ends

    draw();
    click(main().tbInfo); // the hints bought
    expectResult<TfrmGratulalok>([](TfrmGratulalok&) {});
    pressAll("KUTYA");
    ASSERT_EQ(folder.readHistory().size(), 1u); // written as the round ended

    draw();
    expectResult<TfrmSajnos>([](TfrmSajnos&) {});
    pressAll("BD");
    draw();
    press('B');
    giveUp();
    draw();
    press('K');
    takeOverName("Bence"); // a player switch mid-round
    draw();
    exitProgram(); // the exit mid-round

    struct Expected
    {
        const char* name;
        int32_t outcome, score, mistakes;
        bool hints;
    };
    const Expected expected[] = {
        {"Anna", h::Won, 50 + game::levelRow(2).HintScore, 0, true},
        {"Anna", h::Lost, -4, 2, false},
        {"Anna", h::GivenUp, -2 - 10, 1, false},
        {"Anna", h::Abandoned, 0, 0, false}, // its 10 points were never credited
        {"Bence", h::Abandoned, 0, 0, false},
    };
    const std::vector<players::RoundRecord> rounds = folder.readHistory();
    ASSERT_EQ(rounds.size(), std::size(expected));
    for (size_t i = 0; i < rounds.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rounds[i].name, expected[i].name);
        EXPECT_EQ(rounds[i].outcome, expected[i].outcome);
        EXPECT_EQ(rounds[i].score, expected[i].score);
        EXPECT_EQ(rounds[i].mistakes, expected[i].mistakes);
        EXPECT_EQ(rounds[i].hintsBought, expected[i].hints);
        EXPECT_EQ(rounds[i].text, "KUTYA");
        EXPECT_EQ(rounds[i].time, Evening);
        EXPECT_EQ(rounds[i].level, 2);
        EXPECT_EQ(rounds[i].language, 1);
        EXPECT_EQ(rounds[i].category, 3);
        EXPECT_FALSE(rounds[i].daily);
    }
}

TEST_F(RoundHistory, ThePuzzleOfTheDayComesFromThePackAndIsPlayedOnceADay)
{
    // The installed pack differs from the player's list, which the family edited: the day's puzzle is the
    // pack's, the one every family gets.
    folder.writePuzzles({{"ALMA"}, {"BARACK"}, {"CITROM"}, {"DINNYE"}, {"EPER"}});
    puzzlePack = folder.file("pack.lis");
    std::filesystem::rename(folder.file("Brumvelda.lis"), puzzlePack);
    storage::Table pack(storage::puzzleColumns());
    pack.setFilePath(puzzlePack);
    pack.open();
    const int position = game::dailyPuzzle({2026, 12, 7}, 1, 1, pack);
    ASSERT_GE(position, 0);
    const std::string expected = pack.stringAt(position, storage::puzzle::Szoveg);
    pack.closeWithoutSaving();

    startWith({{"SAJAT FELADVANY"}});
    click(main().tbNapi);
    ASSERT_TRUE(main().round().inPlay());
    EXPECT_EQ(main().round().PuzzleText().substr(0, expected.size()), expected);
    EXPECT_TRUE(main().lKategoria->text().startsWith(QStringLiteral("A nap feladványa: ")));
    giveUp();

    // Once a day: the second time says so and starts nothing.
    modals.expectMessage();
    click(main().tbNapi);
    EXPECT_FALSE(main().round().inPlay());
    ASSERT_EQ(modals.messages().size(), 1u);
    EXPECT_TRUE(modals.messages().back().contains(QStringLiteral("Holnap")))
        << modals.messages().back().toStdString();

    const std::vector<players::RoundRecord> rounds = main().roundHistory();
    ASSERT_EQ(rounds.size(), 1u);
    EXPECT_TRUE(rounds[0].daily);
    EXPECT_EQ(rounds[0].text, expected);
    EXPECT_EQ(rounds[0].outcome, h::GivenUp);
}

TEST_F(RoundHistory, TheDrawPassesOverWhatThePlayerMetLately)
{
    // Four puzzles: the last two of Anna's rounds are kept away from, whatever the dice say.
    auto met = [](const char* text) {
        players::RoundRecord round;
        round.name = "Anna";
        round.text = text;
        round.time = Evening - 10;
        return round;
    };
    for (uint32_t seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE(seed);
        folder.writeHistory({met("ALMA"), met("BARACK"), met("CITROM")});
        startWith({{"ALMA"}, {"BARACK"}, {"CITROM"}, {"DINNYE"}}, 1, "", 1, 100, 4, seed);
        draw();
        const std::string drawn = main().round().PuzzleText().substr(0, 6);
        EXPECT_TRUE(drawn.starts_with("ALMA") || drawn.starts_with("DINNYE")) << drawn;
        endProgram();
    }
    // Turned off in the settings, the dice alone choose: some seed draws a puzzle met lately.
    bool metAgain = false;
    for (uint32_t seed = 1; seed <= 6; ++seed) {
        folder.writeHistory({met("ALMA"), met("BARACK"), met("CITROM")});
        startWith({{"ALMA"}, {"BARACK"}, {"CITROM"}, {"DINNYE"}}, 1, "NoRepeat=0", 1, 100, 4, seed);
        draw();
        const std::string drawn = main().round().PuzzleText();
        metAgain = metAgain || drawn.starts_with("BARACK") || drawn.starts_with("CITROM");
        endProgram();
    }
    EXPECT_TRUE(metAgain);
}

} // namespace
