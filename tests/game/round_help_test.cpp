// The help actions during a round: hints, vowels, giving up; and the English keyboard.
#include "round_fixture.h"

#include <QToolButton>

using namespace round_testing;

namespace {

TEST_F(RoundTest, GivingUpAfterTheHintsAtLevelThreeCostsTwentyCreditedAfterTheWindow)
{
    startWith({{"BARACK", 1, "  Gy\xFCm\xF6lcs \t", "", 3, 1}}, 3);
    draw();
    TfrmMain& w = main();
    ASSERT_TRUE(w.tbInfo->isEnabled());
    EXPECT_EQ(text(w.eSugo1), QString());
    click(w.tbInfo);
    EXPECT_EQ(text(w.eSugo1), QStringLiteral("Gyümölcs"));
    EXPECT_EQ(text(w.eSugo2), QString());
    EXPECT_FALSE(w.tbInfo->isEnabled()); // bought once a round
    EXPECT_EQ(text(w.lMostPont), QStringLiteral("Pontszám: -10"));

    expectResult<TfrmSzabad>([&](TfrmSzabad& shown) {
        EXPECT_EQ(text(w.lOsszPont), QStringLiteral("100")); // not yet credited
        EXPECT_EQ(text(w.lMostPont), QStringLiteral("Pontszám: -20"));
        EXPECT_EQ(shown.eDuma->text(), ui::toQt(game::AnswerText(w.round().PuzzleText())));
        EXPECT_TRUE(w.tbUj->isEnabled());
        EXPECT_FALSE(w.letterButton(1)->isEnabled());
    });
    click(w.tbSzabad);
    EXPECT_EQ(w.round().RoundScore(), -20);
    EXPECT_EQ(w.variables().PlayerTotal, 80);
    EXPECT_EQ(text(w.lOsszPont), QStringLiteral("80"));
    EXPECT_EQ(seenRow(1), "BARACK       "); // the given-up board shows the answer once its window closes
    EXPECT_FALSE(w.tbSzabad->isEnabled() || w.tbInfo->isEnabled() || w.tbMaganh->isEnabled());
}

TEST_F(RoundTest, HintsOnlyOnTheSecondLineOrOnlyBlanks)
{
    startWith({{"EGY", 1, " \t ", "  csak ez  ", 1, 1}, {"KETTO", 1, "  ", "\x01", 2, 1}}, 1, "ExactLevel=1");
    draw();
    ASSERT_EQ(main().round().PuzzleText().substr(0, 3), "EGY");
    click(main().tbInfo);
    EXPECT_EQ(text(main().eSugo1), QString());
    EXPECT_EQ(text(main().eSugo2), QStringLiteral("csak ez"));
    expectResult<TfrmSzabad>();
    click(main().tbSzabad);

    takeOverLevel(2);
    draw();
    EXPECT_EQ(text(main().eSugo1), QString()); // cleared at the draw
    EXPECT_EQ(text(main().eSugo2), QString());
    EXPECT_FALSE(main().tbInfo->isEnabled());
}

TEST_F(RoundTest, VowelsShownTwiceUncoverOnlyWhatWasHiddenAndTheLastConsonantWins)
{
    startWith({{"KAPU \xC9S \xD5Z", 1, "", "", 1, 1}}); // KAPU ÉS ŐZ
    draw();
    TfrmMain& w = main();
    press('A');
    EXPECT_EQ(w.round().LettersLeft(), 7);
    click(w.tbMaganh);
    EXPECT_EQ(seenRow(1), "#A#U \xC9# \xD5#   ");
    EXPECT_EQ(w.round().LettersLeft(), 4);
    EXPECT_EQ(w.round().RoundScore(), 10); // the vowels are free
    for (char vowel : game::VowelLetters)
        EXPECT_FALSE(letterEnabled(vowel)) << int(static_cast<unsigned char>(vowel));
    EXPECT_TRUE(letterEnabled('K'));
    EXPECT_TRUE(w.tbMaganh->isEnabled());

    click(w.tbMaganh); // nothing left to show
    EXPECT_EQ(w.round().LettersLeft(), 4);
    EXPECT_EQ(w.round().RoundScore(), 10);

    pressAll("KPS");
    EXPECT_EQ(modals.pending(), 0);
    expectResult<TfrmGratulalok>();
    press('Z');
    EXPECT_EQ(w.round().RoundScore(), 50);
}

TEST_F(RoundTest, VowelsThatWereTheLastLettersEndTheRoundAtTheNextPress)
{
    startWith({{"ABA", 1, "", "", 1, 1}});
    draw();
    press('B');
    click(main().tbMaganh);
    EXPECT_EQ(main().round().LettersLeft(), 0);
    EXPECT_TRUE(main().tbSzabad->isEnabled()); // no end test after the help
    expectResult<TfrmGratulalok>();
    press('X'); // a miss, then the board is found complete
    EXPECT_EQ(main().round().RoundScore(), 9);
}

TEST_F(RoundTest, ExactLevelKeepsTheVowelsHelpAwayAllRound)
{
    startWith({{"ALMA", 1, "", "", 1, 1}}, 1, "ExactLevel=1");
    draw();
    EXPECT_FALSE(main().tbMaganh->isEnabled());
    press('L');
    EXPECT_FALSE(main().tbMaganh->isEnabled());
}

TEST_F(RoundTest, EnglishRoundsStartWithoutTheNineAccentedLetters)
{
    startWith({{"HELLO WORLD", 2, "", "", 1, 2}}, 1, "", 2);
    draw();
    ASSERT_EQ(main().round().PuzzleText().substr(0, 5), "HELLO");
    QString disabled;
    for (int k = 1; k <= 35; ++k) {
        if (!main().letterButton(k)->isEnabled())
            disabled += main().letterButton(k)->text();
    }
    EXPECT_EQ(disabled, QStringLiteral("ÁÉÍÓÖŐÚÜŰ"));
}

} // namespace
