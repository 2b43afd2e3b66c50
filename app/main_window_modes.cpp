// The main window's modes: which toolbar buttons and letter buttons are usable in each.
#include "app/main_window.h"

#include "game/tables.h"
#include "players/player_register.h"
#include "ui/colours.h"
#include "ui/flat_button.h"

#include <QLabel>
#include <QToolButton>

namespace {
constexpr bool E = true;
constexpr bool D = false;

struct ToolbarRow
{
    bool uj;
    bool info;
    bool maganh;
    bool szabad;
    bool mod;
    bool modOkAndCancel;
    bool adatlapVisible;
};
} // namespace

bool TfrmMain::hasPlayer() const { return !players::isBlankName(PlayerName); }

void TfrmMain::showFirstStep(bool noPlayer)
{
    // With no player the window says what to do first, and the player button stands out from the toolbar.
    lTeendo->setVisible(noPlayer);
    tbJatekos->setAutoRaise(!noPlayer);
    QPalette colours = tbJatekos->palette();
    colours.setColor(QPalette::Button, noPlayer ? ui::LetterCellColour : ui::WindowColour);
    tbJatekos->setPalette(colours);
}

void TfrmMain::applyMode(Mode mode, RoundTraits round)
{
    // tbJatekos, tbBeallitas and tbExit are enabled in every mode and never touched here.
    ToolbarRow row {};
    // The rows are laid out as the table they are checked against.
    // clang-format off
    switch (mode) {
    //                                 tbUj  tbInfo          tbMaganh          tbSzabad tbMod OK/Cancel tbAdatlap
    case Mode::NoPlayer:      row = {D,    D,              D,                D,       E,    D,        D}; break;
    case Mode::BetweenRounds: row = {E,    D,              D,                D,       E,    D,        D}; break;
    case Mode::RoundInPlay:   row = {D,    round.hasHint,  ExactLevel == 0,  E,       D,    D,        D}; break;
    case Mode::Editor:        row = {D,    D,              D,                D,       D,    E,        E}; break;
    // Back from the editor: between rounds, but a round can only start with puzzles and a player.
    case Mode::EditorLeft:    row = {PuzzleCount != 0 && hasPlayer(),
                                           D,              D,                D,       E,    D,        D}; break;
    }
    // clang-format on
    tbUj->setEnabled(row.uj);
    // The puzzle of the day is a round like any other, drawn otherwise.
    tbNapi->setEnabled(row.uj);
    tbInfo->setEnabled(row.info);
    tbMaganh->setEnabled(row.maganh);
    tbSzabad->setEnabled(row.szabad);
    tbMod->setEnabled(row.mod);
    tbModOK->setEnabled(row.modOkAndCancel);
    tbModCancel->setEnabled(row.modOkAndCancel);
    tbAdatlap->setVisible(row.adatlapVisible);
    // The statistics read the rounds that ended, so a round in play or no player does not matter.
    tbStatisztika->setEnabled(mode != Mode::Editor);
    showFirstStep(mode == Mode::NoPlayer || (mode == Mode::EditorLeft && !hasPlayer()));

    // Letter buttons: usable only in a round (English rounds without the accented ones); the editor and
    // leaving it do not touch them (they are disabled then anyway).
    switch (mode) {
    case Mode::NoPlayer:
    case Mode::BetweenRounds:
        ResetBoard(false, true, false);
        break;
    case Mode::RoundInPlay:
        ResetBoard(false, true, true);
        if (round.englishRound) {
            for (int number : game::AccentedButtons) {
                letterButton(number)->setEnabled(false);
                nameLetterButton(letterButton(number), LetterState::NotInRound);
            }
        }
        break;
    case Mode::Editor:
    case Mode::EditorLeft:
        break;
    }
}
