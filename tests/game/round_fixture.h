#pragma once
// Rounds played as the player plays them: a prepared puzzle list and register, the last player restored at
// start, and clicks on the real toolbar and letter buttons.

#include "game/result_windows.h"
#include "game/round_rules.h"
#include "game/tables.h"
#include "support/window_fixture.h"
#include "ui/board_cell.h"
#include "ui/flat_button.h"
#include "ui/gauge.h"
#include "ui/shadow_label.h"
#include "ui/text.h"

#include <QLabel>
#include <QPushButton>

namespace round_testing {

using testing_support::PuzzleRow;

class RoundTest : public testing_support::WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        // The offscreen platform cannot shape windows and says so at every showing of a result window.
        static const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
                if (!message.startsWith(QLatin1String("This plugin does not support setting window masks")))
                    if (previous)
                        previous(type, context, message);
            });
    }

    // Starts the program with these puzzles and the player "Anna" (total `total`, `rounds` played)
    // remembered as the last one; `settings` goes into the settings file's "Main" section.
    void startWith(const std::vector<PuzzleRow>& puzzles, int32_t level = 1,
                   const std::string& mainSettings = "", int32_t language = 1, int32_t total = 100,
                   int32_t rounds = 4, uint32_t seed = 12345)
    {
        folder.writePuzzles(puzzles);
        folder.writePlayers({{"Anna", total, rounds}});
        startAs("Anna",
                "Level=" + std::to_string(level) + "\nLanguage=" + std::to_string(language)
                    + "\nCategories=65535\n",
                mainSettings, seed);
    }

    void draw() { click(main().tbUj); }

    // Clicks the letter button of a Windows-1250 capital.
    void press(char letter)
    {
        const size_t index = game::CapitalLetters.find(letter);
        ASSERT_NE(index, std::string_view::npos);
        click(main().letterButton(int(index) + 1));
    }
    void pressAll(std::string_view letters)
    {
        for (char letter : letters)
            press(letter);
    }
    bool letterEnabled(char letter)
    {
        return main().letterButton(int(game::CapitalLetters.find(letter)) + 1)->isEnabled();
    }

    // The board as the player sees it: a letter the round still hides reads '#', and its cell must be the
    // one hiding it (as every other cell must show what it holds).
    std::string seenRow(int row)
    {
        std::string seen;
        for (int k = 13 * (row - 1) + 1; k <= 13 * row; ++k) {
            const bool hidden = main().round().isHidden(k);
            const ui::BoardCell* c = main().cell(k);
            EXPECT_EQ(c->hidesLetter(), hidden) << "cell " << k;
            seen += hidden ? std::string("#") : ui::fromQt(c->caption());
        }
        return seen;
    }

    QString text(QLabel* label) { return label->text(); }

    // The next modal window is the result window T; `whileShown` looks at the game while it is up, then a
    // click on the window closes it.
    template <typename T>
    void expectResult(std::function<void(T&)> whileShown = {})
    {
        modals.expectDialog<T>([whileShown](T& window) {
            if (whileShown)
                whileShown(window);
            click(window.CoolButton1);
        });
    }
};

} // namespace round_testing
