// The board tells no secret: at every step of a round, lost or given up, a hidden cell says only that it
// hides a letter and where, and no object of any window speaks a word that still hides a letter.
#include "accessibility_fixture.h"
#include "ui/announcer.h"

#include <utility>
#include <vector>

using namespace round_testing;
using namespace a11y_testing;

namespace {

const std::string Puzzle = "KV\xCDZ, B\xD6GRE!"; // "KVÍZ, BÖGRE!": words no window text contains

class BoardSecrets : public RoundTest
{
protected:
    void startRound(const std::string& mainSettings = "MaxHiba=3")
    {
        startWith({{Puzzle, 1, "Kerek", "", 1, 1}}, 1, mainSettings);
        draw();
    }

    // What a screen reader says by itself: the announcer's notification, once it has been shown.
    ui::Announcer& announcer() { return *main().findChild<ui::Announcer*>(); }
    QString announced()
    {
        announcer().flush();
        QAccessibleInterface* spoken = accessible(&announcer());
        EXPECT_EQ(spoken->role(), QAccessible::Notification);
        return spoken->text(QAccessible::Name);
    }
    bool hidden(int k) { return main().round().isHidden(k); }
    static QString place(int k)
    {
        return QStringLiteral(", %1. sor %2. oszlop").arg((k - 1) / 13 + 1).arg((k - 1) % 13 + 1);
    }

    // The puzzle's words that still hide a letter.
    QStringList secretWords()
    {
        QStringList words;
        std::string word;
        bool hides = false;
        for (int k = 1; k <= 40; ++k) {
            const char c = k <= 39 ? main().round().PuzzleText()[size_t(k - 1)] : ' ';
            if (game::isCapitalLetter(c)) {
                word += c;
                hides = hides || hidden(k);
                continue;
            }
            if (hides)
                words << ui::toQt(word);
            word.clear();
            hides = false;
        }
        return words;
    }

    void expectNoSecret(const char* step)
    {
        SCOPED_TRACE(step);
        for (int k = 1; k <= 39; ++k) {
            if (hidden(k)) {
                EXPECT_EQ(spokenBy(accessible(main().cell(k))), QStringList({"Rejtett betű" + place(k)}))
                    << k;
            }
        }
        const QStringList secrets = secretWords();
        for (const QString& said : everythingSpoken()) {
            for (const QString& secret : secrets)
                EXPECT_FALSE(said.contains(secret, Qt::CaseInsensitive)) << said.toStdString();
        }
    }
};

TEST_F(BoardSecrets, NoStepOfALostRoundSpeaksAHiddenLetter)
{
    startWith({{Puzzle, 1, "Kerek", "", 1, 1}}, 1, "MaxHiba=3");
    expectNoSecret("before the first round");
    draw();
    EXPECT_EQ(secretWords(), QStringList({"KVÍZ", "BÖGRE"}));
    expectNoSecret("drawn");
    EXPECT_EQ(nameOf(main().cell(5)), "Vessző" + place(5));
    EXPECT_EQ(nameOf(main().cell(6)), "Üres mező" + place(6));
    EXPECT_EQ(nameOf(main().cell(12)), "Felkiáltójel" + place(12));

    EXPECT_EQ(announced().toStdString(), "Új feladvány. Kategória: Tárgy. 9 rejtett betű, 1 sorban.");
    press('K');
    EXPECT_EQ(nameOf(main().cell(1)), "K betű" + place(1));
    EXPECT_EQ(announced().toStdString(), "Megvan: K, 1 helyen. Még 8 rejtett betű.");
    expectNoSecret("K found");
    press('X');
    EXPECT_EQ(announced().toStdString(), "Nincs benne: X. Hibák: 1 / 3.");
    expectNoSecret("a mistake");
    click(main().tbInfo);
    EXPECT_EQ(announced().toStdString(), "Segítség: Kerek. A kör pontszáma: 7.");
    click(main().tbMaganh);
    EXPECT_EQ(nameOf(main().cell(3)), "Í betű" + place(3));
    EXPECT_EQ(announced().toStdString(), "Magánhangzók felfedve, 3 helyen. Még 5 rejtett betű.");
    expectNoSecret("hints and vowels shown");

    press('Q');
    expectResult<TfrmSajnos>([&](TfrmSajnos& shown) {
        // The move that lost the round is said before its window.
        EXPECT_EQ(announcer().text().toStdString(),
                  "Nincs benne: Q. Hibák: 2 / 3. Nincs benne: W. Hibák: 3 / 3. Elfogyott a hibakeret.");
        EXPECT_EQ(nameOf(&shown), "Ez nem jött be!");
        EXPECT_EQ(nameOf(shown.RxLabel1), "Ez nem jött be!");
        // The answer the window shows is read out while it shows it, one line of the board a line.
        EXPECT_EQ(nameOf(shown.eDuma), "A helyes megoldás:\nKVÍZ, BÖGRE!");
    });
    press('W');
    // Once the window is closed: the round's score and the player's new total.
    EXPECT_EQ(announced().toStdString(),
              "A kör pontszáma: 5. Anna összpontszáma: 105. Új feladvány: Ctrl+N.");
    // Once the loss window is closed the board shows the answer, so nothing is hidden any more (the lost
    // board used to keep its letters hidden); nothing was said before that.
    EXPECT_TRUE(secretWords().isEmpty());
    EXPECT_EQ(nameOf(main().cell(7)), "B betű" + place(7));
    expectNoSecret("after the loss");
}

TEST_F(BoardSecrets, AGivenUpRoundKeepsItsSecretOnceItsWindowCloses)
{
    startRound();
    press('G');
    expectResult<TfrmSzabad>([&](TfrmSzabad& shown) {
        EXPECT_EQ(nameOf(&shown), "Ez nem jött be!");
        EXPECT_TRUE(nameOf(shown.eDuma).contains("KVÍZ, BÖGRE!"));
    });
    click(main().tbSzabad);
    expectNoSecret("after giving up");
    EXPECT_EQ(nameOf(main().cell(9)), "G betű" + place(9));
}

TEST_F(BoardSecrets, AHiddenCellPaintedInAnotherShadeStillKeepsItsLetter)
{
    startRound();
    press('K');
    ASSERT_EQ(secretWords(), QStringList({"KVÍZ", "BÖGRE"}));
    // What a cell says follows the round, not its colours: a letter a shade off its box, or a box a shade
    // off its letter, is as hidden as before.
    struct Shade
    {
        const char* says;
        void (ui::BoardCell::*paint)(const QColor&);
        QColor (ui::BoardCell::*colour)() const;
    };
    const Shade shades[] = {{"letter a shade off", &ui::BoardCell::setTextColour, &ui::BoardCell::textColour},
                            {"box a shade off", &ui::BoardCell::setBackground, &ui::BoardCell::background}};
    for (const Shade& shade : shades) {
        std::vector<std::pair<ui::BoardCell*, QColor>> repainted;
        for (int k = 1; k <= 39; ++k) {
            if (hidden(k)) {
                ui::BoardCell* c = main().cell(k);
                repainted.emplace_back(c, (c->*shade.colour)());
                (c->*shade.paint)(repainted.back().second.darker(101));
            }
        }
        EXPECT_EQ(repainted.size(), 8u);
        expectNoSecret(shade.says);
        for (const auto& [c, was] : repainted)
            (c->*shade.paint)(was);
    }
}

TEST_F(BoardSecrets, TheGaugeTellsTheMistakesThroughItsValue)
{
    startRound();
    press('K');
    press('X');
    QAccessibleInterface* gauge = accessible(main().eHiba);
    EXPECT_EQ(gauge->role(), QAccessible::ProgressBar);
    ASSERT_NE(gauge->valueInterface(), nullptr);
    EXPECT_EQ(gauge->valueInterface()->currentValue().toInt(), 1);
    EXPECT_EQ(gauge->valueInterface()->maximumValue().toInt(), 3);
    EXPECT_EQ(gauge->text(QAccessible::Name), "Hibák: 1 / 3");
}

} // namespace
