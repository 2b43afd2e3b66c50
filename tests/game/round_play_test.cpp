// Whole rounds through the letter buttons: won, lost at the limit, without a limit, without letters,
// the limit lowered in the settings during a round, and typed keys that never guess.
#include "round_fixture.h"

#include "players/beallitas_dialog.h"
#include "ui/colours.h"
#include "ui/spin_field.h"

#include <QToolButton>

using namespace round_testing;

namespace {

const std::string Blank13(13, ' ');

TEST_F(RoundTest, WonRoundScoresEveryCellAndCreditsTheTotalBeforeTheWindow)
{
    startWith({{"ALMA A FA", 1, "", "", 1, 9}}); // level 1: 10 a letter, -1 a miss
    draw();
    TfrmMain& w = main();
    EXPECT_EQ(text(w.lKategoria), QStringLiteral("Élőlény"));
    EXPECT_TRUE(w.lKategoria->isVisible());
    EXPECT_EQ(w.variables().PlayerRounds, 5); // counted at the draw
    EXPECT_EQ(w.round().LettersLeft(), 7);
    EXPECT_EQ(seenRow(1), "#### # ##    ");
    EXPECT_EQ(seenRow(2), Blank13);
    EXPECT_FALSE(w.tbUj->isEnabled() || w.tbMod->isEnabled() || w.tbInfo->isEnabled());
    EXPECT_TRUE(w.tbSzabad->isEnabled() && w.tbMaganh->isEnabled());

    press('A'); // four cells at once
    EXPECT_EQ(w.round().RoundScore(), 40);
    EXPECT_EQ(text(w.lMostPont), QStringLiteral("Pontszám: 40"));
    EXPECT_EQ(seenRow(1), "A##A A #A    ");
    EXPECT_FALSE(letterEnabled('A'));
    press('X');
    EXPECT_EQ(w.eHiba->position(), 1);
    EXPECT_EQ(text(w.lMostPont), QStringLiteral("Pontszám: 39"));
    pressAll("LM");

    expectResult<TfrmGratulalok>([&](TfrmGratulalok& shown) {
        EXPECT_EQ(shown.RxLabel1->text(), QStringLiteral("GRATULÁLOK!"));
        EXPECT_EQ(text(w.lOsszPont), QStringLiteral("169")); // already credited
        EXPECT_TRUE(w.tbUj->isEnabled());
    });
    press('F');
    EXPECT_EQ(modals.pending(), 0);
    EXPECT_EQ(w.round().RoundScore(), 69);
    EXPECT_EQ(w.variables().PlayerTotal, 169);
    EXPECT_EQ(seenRow(1), "ALMA A FA    ");
    EXPECT_TRUE(w.tbUj->isEnabled() && w.tbMod->isEnabled());
    EXPECT_FALSE(w.tbSzabad->isEnabled() || w.tbMaganh->isEnabled() || w.tbInfo->isEnabled());
    for (int k = 1; k <= 35; ++k)
        EXPECT_FALSE(w.letterButton(k)->isEnabled()) << k;
}

TEST_F(RoundTest, ThreeMissesAtLevelTwoLoseAndShowTheAnswer)
{
    startWith({{"KUTYA", 1, "", "", 2, 1}}, 2, "MaxHiba=3");
    draw();
    pressAll("QW");
    expectResult<TfrmSajnos>([&](TfrmSajnos& shown) {
        EXPECT_EQ(shown.RxLabel1->text(), QStringLiteral("Ez nem jött be!"));
        EXPECT_EQ(shown.eDuma->lines(),
                  QStringList({QStringLiteral("A helyes megoldás:"), QStringLiteral("KUTYA        "),
                               ui::toQt(Blank13), ui::toQt(Blank13)}));
        EXPECT_EQ(text(main().lOsszPont), QStringLiteral("94"));
    });
    press('Z');
    EXPECT_EQ(main().round().RoundScore(), -6);
    EXPECT_EQ(main().variables().PlayerTotal, 94);
    EXPECT_EQ(main().eHiba->position(), 3);
    // Once the window is closed the board shows the answer (it used to keep the letters hidden), the letters
    // never found in a colour of their own.
    EXPECT_EQ(seenRow(1), "KUTYA        ");
    EXPECT_EQ(main().cell(1)->textColour(), ui::MissedLetterColour);
    EXPECT_TRUE(main().tbUj->isEnabled());
}

TEST_F(RoundTest, TheLastLetterFoundOneMissBelowTheLimitWins)
{
    startWith({{"OK", 1, "", "", 1, 1}}, 1, "MaxHiba=2");
    draw();
    pressAll("QO");
    expectResult<TfrmGratulalok>();
    press('K');
    EXPECT_EQ(main().round().RoundScore(), 19);
}

TEST_F(RoundTest, WithoutALimitTheGaugeIsHiddenAndMissesAreFree)
{
    startWith({{"EGY", 1, "", "", 1, 1}}, 1, "MaxHiba=0");
    draw();
    EXPECT_FALSE(main().eHiba->isVisible());
    pressAll("QWXZVBNMLKJH"); // twelve misses: no loss, no cost
    EXPECT_EQ(main().round().RoundScore(), 0);
    EXPECT_EQ(main().eHiba->position(), 0);
    pressAll("EG");
    expectResult<TfrmGratulalok>();
    press('Y');
    EXPECT_EQ(main().round().RoundScore(), 30);
}

// A puzzle without a letter (from a list made elsewhere) would be won by the first wrong letter: it is
// never drawn, so no round can be won by a mistake.
TEST_F(RoundTest, APuzzleWithoutLettersIsNeverDrawn)
{
    startWith({{"2024 - 12!", 1, "", "", 1, 15}}, 1);
    modals.expectMessage(QMessageBox::Ok);
    draw();
    ASSERT_EQ(modals.messages().size(), 1u);
    EXPECT_EQ(modals.messages().back(), QStringLiteral("Nincs ilyen!!"));
    EXPECT_FALSE(main().round().inPlay());
    EXPECT_EQ(main().variables().PlayerTotal, 100);
    endProgram();

    // Beside a puzzle with letters, every draw gives that one.
    for (uint32_t seed : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE(seed);
        folder.writePuzzles({{"...", 1, "", "", 1, 15},
                             {"2024 - 12!", 1, "", "", 1, 15},
                             {"ALMA", 1, "gyumolcs", "", 1, 1},
                             {"?!", 1, "", "", 1, 15}});
        folder.writePlayers({{"Anna", 100, 4}});
        startAs("Anna", "Level=1\nLanguage=1\nCategories=65535\n", "", seed);
        draw();
        EXPECT_EQ(seenRow(1), "####         ");
        EXPECT_EQ(main().round().LettersLeft(), 4);
        endProgram();
    }
}

TEST_F(RoundTest, LimitLoweredInTheSettingsLosesAtTheNextPressEvenAHit)
{
    startWith({{"KUTYA", 1, "", "", 2, 1}}, 2, "MaxHiba=5");
    draw();
    pressAll("QW");
    withDialog<TfrmBeallitas>(main().tbBeallitas, [](TfrmBeallitas& settings) {
        settings.eMaxHiba->setValue(1);
        click(settings.btOK);
    });
    EXPECT_EQ(main().variables().MaxMistakes, 1);
    EXPECT_EQ(main().eHiba->position(), 1); // cut to the new limit
    EXPECT_TRUE(main().tbSzabad->isEnabled()); // the round goes on until the next press

    expectResult<TfrmSajnos>();
    press('K');
    EXPECT_EQ(seenRow(1), "KUTYA        "); // the lost board shows the answer once its window closes
    EXPECT_EQ(main().round().RoundScore(), -4 + 10);
    EXPECT_EQ(main().variables().PlayerTotal, 106);
}

TEST_F(RoundTest, LossWindowShowsTheAnswerOfItsOwnRoundEachTime)
{
    startWith({{"ELSO", 1, "", "", 1, 1}, {"MASODIK", 1, "", "", 2, 1}}, 1, "MaxHiba=1\nExactLevel=1");
    QStringList answers;
    for (int32_t level : {1, 2}) {
        takeOverLevel(level); // as the player dialog leaves it
        draw();
        expectResult<TfrmSajnos>([&](TfrmSajnos& shown) { answers << shown.eDuma->text(); });
        press('Q');
    }
    ASSERT_EQ(answers.size(), 2);
    EXPECT_EQ(answers[0], ui::toQt(game::AnswerText(game::paddedPuzzleText("ELSO"))));
    EXPECT_EQ(answers[1], ui::toQt(game::AnswerText(game::paddedPuzzleText("MASODIK"))));
}

TEST_F(RoundTest, TypedLettersNeverGuess)
{
    startWith({{"ALMA", 1, "", "", 1, 1}});
    draw();
    main().setFocus();
    QTest::keyClicks(&main(), QStringLiteral("almaALMA"));
    QTest::keyClick(&main(), Qt::Key_A, Qt::ShiftModifier);
    QTest::keyClick(&main(), Qt::Key_Return);
    EXPECT_EQ(main().round().LettersLeft(), 4);
    EXPECT_EQ(main().round().RoundScore(), 0);
    EXPECT_EQ(seenRow(1), "####         ");
    EXPECT_TRUE(letterEnabled('A'));
}

} // namespace
