// The end of a round as the player sees it: the result windows tell the round's score and the new total,
// the give-up window reads apart from a loss, a lost or given-up board shows what was missed once its window
// closes, and Enter (with keyboard play) asks for the next puzzle. Also the puzzle's language in mixed play.
#include "game/round_fixture.h"
#include "game/status_text.h"
#include "ui/colours.h"
#include "ui/status_bar.h"

using namespace round_testing;

namespace {

class RoundEnd : public RoundTest
{
protected:
    // The colours the cells of row 1 show their letters in: 'f' found, 'm' missed, '#' hidden, ' ' other.
    std::string letterLooks()
    {
        std::string looks;
        for (int k = 1; k <= 13; ++k) {
            const ui::BoardCell* c = main().cell(k);
            if (c->background() != ui::LetterCellColour)
                looks += ' ';
            else if (c->textColour() == c->background())
                looks += '#';
            else if (c->textColour() == ui::MissedLetterColour)
                looks += 'm';
            else
                looks += c->textColour() == ui::LetterTextColour ? 'f' : '?';
        }
        return looks;
    }
};

struct ScoreCase
{
    const char* says;
    const char* moves; // letters pressed; a final '-' gives up
    QString scores;
};
class ResultScores : public RoundEnd, public ::testing::WithParamInterface<ScoreCase>
{
};

TEST_P(ResultScores, TheResultWindowTellsTheRoundsScoreAndTheNewTotal)
{
    const ScoreCase& c = GetParam();
    startWith({{"KUTYA", 1, "", "", 2, 1}}, 2, "MaxHiba=2");
    draw();
    QString shownScores;
    bool givenUpLine = false;
    auto look = [&](TResultWindow& window) {
        shownScores = window.lPont->text();
        EXPECT_TRUE(window.lPont->isVisible());
        auto* line = window.findChild<ui::ShadowLabel*>(QStringLiteral("lFeladta"));
        givenUpLine = line && line->isVisible();
    };
    const std::string moves = c.moves;
    if (moves.back() == '-') {
        pressAll(moves.substr(0, moves.size() - 1));
        expectResult<TfrmSzabad>([&](TfrmSzabad& w) {
            look(w);
            EXPECT_EQ(w.RxLabel1->text(), QStringLiteral("Ez nem jött be!")); // the title stays
            EXPECT_EQ(w.lFeladta->text(), QStringLiteral("Ezt a menetet feladta."));
            EXPECT_EQ(text(main().lOsszPont), QStringLiteral("100")); // credited when it closes
        });
        click(main().tbSzabad);
        EXPECT_TRUE(givenUpLine);
    } else if (c.scores.contains(QLatin1String("+50"))) {
        expectResult<TfrmGratulalok>([&](TfrmGratulalok& w) { look(w); });
        pressAll(moves);
    } else {
        expectResult<TfrmSajnos>([&](TfrmSajnos& w) { look(w); });
        pressAll(moves);
        EXPECT_FALSE(givenUpLine) << "a loss does not say it was given up";
    }
    EXPECT_EQ(shownScores, c.scores);
}

// Level 2 (10 a letter cell, -2 a mistake, -10 giving up), limit 2, a total of 100 before the round.
INSTANTIATE_TEST_SUITE_P(
    WonLostGivenUp, ResultScores,
    ::testing::Values(ScoreCase {"won", "KUTYA", QStringLiteral("Ebben a menetben: +50\nÖsszesen: 150")},
                      ScoreCase {"lost", "KQW", QStringLiteral("Ebben a menetben: +6\nÖsszesen: 106")},
                      ScoreCase {"givenUp", "KQ-", QStringLiteral("Ebben a menetben: -2\nÖsszesen: 98")}),
    [](const auto& info) { return std::string(info.param.says); });

TEST_F(RoundEnd, ALostBoardShowsTheMissedLettersApartOnceItsWindowCloses)
{
    startWith({{"KUTYA FA", 1, "", "", 1, 1}}, 1, "MaxHiba=2");
    draw();
    pressAll("KAQ");
    expectResult<TfrmSajnos>([&](TfrmSajnos&) {
        EXPECT_EQ(seenRow(1), "K###A #A     ") << "the answer is in the window, not yet on the board";
    });
    press('W');
    EXPECT_EQ(seenRow(1), "KUTYA FA     ");
    EXPECT_EQ(letterLooks(), "fmmmf mf     ");
    EXPECT_EQ(main().cell(2)->spokenName(), QStringLiteral("U betű, 1. sor 2. oszlop"));

    // The next puzzle hides its letters again.
    draw();
    EXPECT_EQ(letterLooks(), "##### ##     ");
}

TEST_F(RoundEnd, AGivenUpBoardShowsTheAnswerAndAWonOneHasNothingMissed)
{
    startWith({{"ALMA", 1, "", "", 1, 1}, {"EGER", 1, "", "", 1, 1}}, 1, "MaxHiba=5");
    draw();
    const std::string first = main().round().PuzzleText().substr(0, 4);
    press('A');
    expectResult<TfrmSzabad>();
    click(main().tbSzabad);
    EXPECT_EQ(seenRow(1).substr(0, 4), first);
    EXPECT_EQ(letterLooks().substr(0, 4), first == "ALMA" ? "fmmf" : "mmmm");

    draw();
    expectResult<TfrmGratulalok>();
    pressAll(main().round().PuzzleText().substr(0, 4));
    EXPECT_EQ(letterLooks().substr(0, 4), "ffff");
}

class EnterAfterResult : public RoundEnd, public ::testing::WithParamInterface<bool>
{
};

TEST_P(EnterAfterResult, DrawsTheNextPuzzleOnlyWithKeyboardPlay)
{
    const bool keyboardPlay = GetParam();
    startWith({{"ALMA", 1, "", "", 1, 1}}, 1, keyboardPlay ? "KeyboardPlay=1" : "");
    main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main()));
    draw();
    expectResult<TfrmGratulalok>();
    pressAll("ALM");
    ASSERT_TRUE(main().tbUj->isEnabled());
    const int32_t rounds = main().variables().PlayerRounds;

    QTest::keyClick(&main(), Qt::Key_Return);
    EXPECT_EQ(main().round().inPlay(), keyboardPlay);
    EXPECT_EQ(main().variables().PlayerRounds, rounds + (keyboardPlay ? 1 : 0));
    // In a round Enter draws nothing more.
    QTest::keyClick(&main(), Qt::Key_Enter);
    EXPECT_EQ(main().variables().PlayerRounds, rounds + (keyboardPlay ? 1 : 0));
}

INSTANTIATE_TEST_SUITE_P(KeyboardPlayOnOff, EnterAfterResult, ::testing::Bool());

struct LanguageCase
{
    const char* says;
    int32_t chosen;
    int32_t Nyelv;
    QString panel;
    bool accents;
};
class PuzzleLanguage : public RoundEnd, public ::testing::WithParamInterface<LanguageCase>
{
};

// Mixed play used to offer the accented letters for an English puzzle, where each could only be a mistake.
TEST_P(PuzzleLanguage, TheStatusBarNamesItAndAccentsAreOfferedOnlyForHungarian)
{
    const LanguageCase& c = GetParam();
    startWith({{"HOUSE", c.Nyelv, "", "", 1, 1}}, 1, "", c.chosen);
    EXPECT_EQ(main().sBar->panelText(3), ui::toQt(game::languageName(c.chosen))) << "before a draw";
    draw();
    EXPECT_EQ(main().sBar->panelText(3), c.panel);
    for (char accented : std::string_view("\xC1\xC9\xCD\xD3\xD6\xD5\xDA\xDC\xDB"))
        EXPECT_EQ(letterEnabled(accented), c.accents) << int(static_cast<unsigned char>(accented));
    EXPECT_TRUE(letterEnabled('H'));
}

INSTANTIATE_TEST_SUITE_P(
    ChosenAndDrawn, PuzzleLanguage,
    ::testing::Values(LanguageCase {"mixedEnglish", 3, 2, QStringLiteral("VEGYES: ANGOL"), false},
                      LanguageCase {"mixedHungarian", 3, 1, QStringLiteral("VEGYES: MAGYAR"), true},
                      LanguageCase {"english", 2, 2, QStringLiteral("ANGOL"), false},
                      LanguageCase {"hungarian", 1, 1, QStringLiteral("MAGYAR"), true}),
    [](const auto& info) { return std::string(info.param.says); });

} // namespace
