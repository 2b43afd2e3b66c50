// Drawing through tbUj: the set-up of the board, "Nincs ilyen!!" and the state after it, the odds of the
// draw over many rounds, and the totals that reach the register at exit.
#include "round_fixture.h"

#include "players/beallitas_dialog.h"
#include "ui/radio_group.h"

#include <QToolButton>

#include <filesystem>
#include <map>
#include <set>

using namespace round_testing;

namespace {

TEST_F(RoundTest, DrawLaysTheTextOutWithSignsPaddingAndHiddenLetters)
{
    startWith({{"\xC9V 2024, J\xD3 \x9A"
                "ANS?",
                1, "", "", 1, 16}}); // ÉV 2024, JÓ šANS? (š is no capital)
    draw();
    const TfrmMain& w = main();
    EXPECT_EQ(w.round().PuzzleText().size(), 39u);
    EXPECT_EQ(seenRow(1), "## 2024, ## \x9A");
    EXPECT_EQ(seenRow(2), "###?         ");
    EXPECT_EQ(w.round().LettersLeft(), 7);
    EXPECT_EQ(text(w.lKategoria), QStringLiteral("Szín"));
    const ui::BoardCell* sign = w.cell(3);
    EXPECT_EQ(sign->background(), QColor(192, 220, 192));
    EXPECT_EQ(sign->textColour(), QColor(0, 128, 128));
    const ui::BoardCell* letter = w.cell(1);
    EXPECT_EQ(letter->caption(), QStringLiteral("É"));
    EXPECT_EQ(letter->background(), QColor(255, 255, 0));
    EXPECT_EQ(w.cell(39)->caption(), QStringLiteral(" "));
}

TEST_F(RoundTest, AnEmptyListDrawsNothing)
{
    startWith({});
    draw();
    EXPECT_EQ(main().variables().PlayerRounds, 4);
    EXPECT_FALSE(main().tbSzabad->isEnabled());
    EXPECT_FALSE(main().lKategoria->isVisible());
}

// The settings dialog, confirmed with only the chosen level allowed.
void allowOnlyTheChosenLevel(RoundTest& test, testing_support::ModalScript& modals, TfrmMain& w)
{
    (void)test;
    modals.expect([](QDialog& shown) {
        auto* settings = qobject_cast<TfrmBeallitas*>(&shown);
        ASSERT_NE(settings, nullptr) << "expected the settings dialog";
        settings->rgPontos->setItemIndex(1);
        QTest::mouseClick(settings->btOK, Qt::LeftButton);
    });
    QTest::mouseClick(w.tbBeallitas, Qt::LeftButton);
}

TEST_F(RoundTest, NoFittingPuzzleSaysSoTwiceAndLeavesTheLastBoard)
{
    // One record of level 1: drawn at level 2 while easier ones are allowed, refused once they are not.
    startWith({{"FECSKE", 1, "tavasz", "", 1, 4}}, 2);
    TfrmMain& w = main();
    draw();
    press('E');
    expectResult<TfrmSzabad>();
    click(w.tbSzabad);
    const std::string lastBoard = seenRow(1);
    const QString category = text(w.lKategoria);

    allowOnlyTheChosenLevel(*this, modals, w);
    ASSERT_EQ(w.variables().ExactLevel, 1);
    for (int attempt = 1; attempt <= 2; ++attempt) {
        modals.expectMessage(QMessageBox::Ok);
        draw();
        ASSERT_EQ(modals.messages().size(), size_t(attempt));
        EXPECT_EQ(modals.messages().back(), QStringLiteral("Nincs ilyen!!"));
        EXPECT_EQ(modals.titles().back(), QStringLiteral("Brumvelda"));

        EXPECT_EQ(seenRow(1), lastBoard);
        EXPECT_EQ(text(w.lKategoria), category);
        EXPECT_TRUE(w.lKategoria->isVisible());
        EXPECT_EQ(w.round().RoundScore(), 20 - 10);
        EXPECT_EQ(w.variables().PlayerRounds, 5);
        EXPECT_EQ(text(w.eSugo1), QString());
        EXPECT_TRUE(w.tbUj->isEnabled() && w.tbMod->isEnabled());
        EXPECT_FALSE(w.tbMaganh->isEnabled() || w.tbSzabad->isEnabled() || w.tbInfo->isEnabled());
        for (int k = 1; k <= 35; ++k)
            EXPECT_FALSE(w.letterButton(k)->isEnabled()) << k;
    }
    press('F'); // disabled: no reaction
    EXPECT_EQ(seenRow(1), lastBoard);
}

TEST_F(RoundTest, FirstDrawWithNothingFittingKeepsTheCategoryHidden)
{
    startWith({{"HOUSE", 2, "", "", 1, 1}});
    modals.expectMessage(QMessageBox::Ok);
    draw();
    EXPECT_FALSE(main().lKategoria->isVisible());
    EXPECT_EQ(main().variables().PlayerRounds, 4);
}

// Each admitted record is drawn with odds of one plus the refused records directly before it.
TEST_F(RoundTest, DrawsOverManyRoundsFollowTheRunOfRefusedRecordsBeforeEach)
{
    // Admitted at level 1 (Fokozat 1): A0, A3, A5; refused (Fokozat 4) in between. Weights 1, 3, 2.
    const std::vector<PuzzleRow> list
        = {{"AA", 1, "", "", 1, 1}, {"XB", 1, "", "", 4, 1}, {"XC", 1, "", "", 4, 1},
           {"AD", 1, "", "", 1, 1}, {"XE", 1, "", "", 4, 1}, {"AF", 1, "", "", 1, 1}};
    // The plain scan: the skip of recent puzzles, which would change the weights, is off.
    startWith(list, 1, "ExactLevel=1\nNoRepeat=0", 1, 0, 0, 777);
    const std::map<std::string, double> weight = {{"AA", 1}, {"AD", 3}, {"AF", 2}};
    std::map<std::string, int> drawn;
    constexpr int rounds = 600;
    for (int round = 0; round < rounds; ++round) {
        draw();
        ++drawn[main().round().PuzzleText().substr(0, 2)];
        expectResult<TfrmSzabad>();
        click(main().tbSzabad);
    }
    EXPECT_EQ(main().variables().PlayerRounds, rounds);
    EXPECT_EQ(main().variables().PlayerTotal, rounds * -5);
    double chiSquare = 0;
    for (const auto& [name, w] : weight) {
        const double expected = rounds * w / 6.0;
        chiSquare += (drawn[name] - expected) * (drawn[name] - expected) / expected;
    }
    EXPECT_EQ(drawn.size(), 3u);
    EXPECT_LT(chiSquare, 13.8); // 2 degrees of freedom, the 0.1 % point
}

TEST_F(RoundTest, TotalsOfTheRunReachTheRegisterAtExit)
{
    startWith({{"IGEN", 1, "", "", 1, 1}}, 1, "MaxHiba=2", 1, 100, 4);
    draw(); // won: 4 letters at 10
    pressAll("IGE");
    expectResult<TfrmGratulalok>();
    press('N');
    draw(); // given up: -5
    expectResult<TfrmSzabad>();
    click(main().tbSzabad);
    draw(); // abandoned at exit: counted as played, never scored
    press('I');

    click(main().tbExit);
    endProgram();
    const auto players = folder.readPlayers();
    ASSERT_EQ(players.size(), 1u);
    EXPECT_EQ(players[0].Nev, "Anna");
    EXPECT_EQ(players[0].OsszPont, 100 + 40 - 5);
    EXPECT_EQ(players[0].Jatszott, 4 + 3);
}

} // namespace

// The shipped list as a player of one category meets it: twenty rounds of fairy tales (Hungarian, up to
// level 3), each given up, bring many different puzzles rather than the same one again and again.
TEST_F(RoundTest, TwentyRoundsOfOneCategoryFromTheShippedListBringManyPuzzles)
{
    std::filesystem::copy_file(BRUMVELDA_BUILT_LIST, folder.file("Brumvelda.lis"));
    folder.writePlayers({{"Anna", 0, 0}});
    startAs("Anna", "Level=3\nLanguage=1\nCategories=" + std::to_string(1 << (13 - 1)) + "\n");
    std::set<std::string> seen;
    for (int round = 0; round < 20; ++round) {
        draw();
        ASSERT_TRUE(main().tbSzabad->isEnabled()) << "no puzzle drawn in round " << round + 1;
        EXPECT_EQ(text(main().lKategoria), QStringLiteral("Mese"));
        seen.insert(main().round().PuzzleText());
        expectResult<TfrmSzabad>();
        click(main().tbSzabad);
    }
    EXPECT_GE(seen.size(), 10u);
}
