// The main window's round handlers: drawing, letter buttons, the end of a round and the help actions.
#include "app/main_window.h"

#include "game/puzzle_draw.h"
#include "game/result_windows.h"
#include "game/round_rules.h"
#include "storage/schemas.h"
#include "ui/board_cell.h"
#include "ui/colours.h"
#include "ui/error_box.h"
#include "ui/flat_button.h"
#include "ui/gauge.h"
#include "ui/modal.h"
#include "ui/shadow_label.h"
#include "ui/text.h"

#include <QLabel>
#include <QToolButton>

namespace {

QString scoreCaption(int32_t score) { return QStringLiteral("Pontszám: ") + QString::number(score); }

// Shows the letter of every cell in `cells` and takes them off the hidden ones.
void uncover(TfrmMain& w, const game::CellSet& cells)
{
    game::CellSet hidden(w.m_hiddenCells);
    for (int k = 1; k <= game::CellCount; ++k) {
        if (cells[size_t(k - 1)])
            w.cell(k)->setTextColour(ui::toColour(game::LetterTextColour));
    }
    hidden &= ~cells;
    w.m_hiddenCells = hidden.to_ullong();
}

// The round ends: keyboard off, board as it stands, toolbar between rounds.
void closeRound(TfrmMain& w) { w.applyMode(TfrmMain::Mode::BetweenRounds); }

void creditRound(TfrmMain& w)
{
    w.PlayerTotal = game::addScore(w.PlayerTotal, w.RoundScore);
    w.lOsszPont->setText(QString::number(w.PlayerTotal));
}

} // namespace

void TfrmMain::connectRoundHandlers()
{
    connect(tbUj, &QToolButton::clicked, this,
            [this] { ui::runShowingErrors(this, [this] { sbUjClick(); }); });
    connect(tbInfo, &QToolButton::clicked, this,
            [this] { ui::runShowingErrors(this, [this] { tbInfoClick(); }); });
    connect(tbMaganh, &QToolButton::clicked, this,
            [this] { ui::runShowingErrors(this, [this] { tbMaganhClick(); }); });
    connect(tbSzabad, &QToolButton::clicked, this,
            [this] { ui::runShowingErrors(this, [this] { tbSzabadClick(); }); });
    for (ui::FlatButton* button : b) {
        connect(button, &QToolButton::clicked, this,
                [this, button] { ui::runShowingErrors(this, [this, button] { b1Click(button); }); });
    }
}

void TfrmMain::sbUjClick()
{
    if (EditMode || PuzzleCount <= 0)
        return;

    tbUj->setEnabled(false);
    tbMod->setEnabled(false);
    if (ExactLevel == 0)
        tbMaganh->setEnabled(true);
    tbSzabad->setEnabled(true);
    eSugo1->clear();
    eSugo2->clear();
    ResetBoard(false, true, true);
    eHiba->setPosition(0);
    LettersLeft = 0;

    const int32_t start = std::uniform_int_distribution<int32_t>(0, PuzzleCount - 1)(m_random);
    const game::DrawChoice choice {PlayLevel, PlayLanguage, PlayCategories, ExactLevel};
    if (!game::drawPuzzle(dbLista, PuzzleCount, start, choice).admitted) {
        ui::showMessage(this, QMessageBox::NoIcon, QStringLiteral("Brumvelda"),
                        QStringLiteral("Nincs ilyen!!"));
        // Nothing was drawn: between rounds again, the board still showing the last puzzle.
        applyMode(Mode::BetweenRounds);
        return;
    }

    const std::string category(game::CategoryNames[size_t(dbLista.asInt(storage::puzzle::Kategoria))]);
    PuzzleText = dbLista.asString(storage::puzzle::Szoveg);
    PuzzleHint1 = game::trimmedHint(dbLista.asString(storage::puzzle::Sugo1));
    PuzzleHint2 = game::trimmedHint(dbLista.asString(storage::puzzle::Sugo2));
    applyMode(Mode::RoundInPlay, {!(PuzzleHint1 + PuzzleHint2).empty(), PlayLanguage == 2});

    RoundScore = 0;
    lMostPont->setText(scoreCaption(RoundScore));
    PlayerRounds = game::addScore(PlayerRounds, 1);
    lKategoria->setText(ui::toQt(category));
    lKategoria->show();
    PuzzleText = game::paddedPuzzleText(PuzzleText);

    const game::CellSet letters = game::letterCells(PuzzleText);
    for (int k = 1; k <= game::CellCount; ++k) {
        const QString caption = ui::toQt(std::string_view(PuzzleText).substr(size_t(k - 1), 1));
        if (letters[size_t(k - 1)])
            cell(k)->setLook(caption, ui::toColour(game::LetterCellColour),
                             ui::toColour(game::LetterCellColour));
        else
            cell(k)->setLook(caption, ui::toColour(game::PlainCellColour),
                             ui::toColour(game::SignTextColour));
    }
    LettersLeft = int32_t(letters.count());
    m_hiddenCells = letters.to_ullong();
}

void TfrmMain::b1Click(ui::FlatButton* Sender)
{
    if (EditMode)
        return;
    // The button's number is its place in CapitalLetters, so its letter needs no trip through Unicode.
    const char letter = game::CapitalLetters[size_t(Sender->tag() - 1)];
    Sender->setEnabled(false);

    const game::LetterPress press = game::pressLetter(PuzzleText, letter, PlayLevel, MaxMistakes);
    uncover(*this, press.uncovered);
    LettersLeft -= int32_t(press.uncovered.count());
    if (press.mistake)
        eHiba->setPosition(eHiba->position() + 1);
    RoundScore = game::addScore(RoundScore, press.scoreChange);
    lMostPont->setText(scoreCaption(RoundScore));

    switch (game::endTest(eHiba->position(), eHiba->maximum(), LettersLeft)) {
    case game::RoundEnd::Lost:
        ShowLoss();
        break;
    case game::RoundEnd::Won:
        ShowWin();
        break;
    case game::RoundEnd::GoesOn:
        break;
    }
}

void TfrmMain::ShowLoss()
{
    closeRound(*this);
    creditRound(*this);
    windows().frmSajnos->eDuma->setText(ui::toQt(game::AnswerText(PuzzleText)));
    ui::showModal(*windows().frmSajnos);
}

void TfrmMain::ShowWin()
{
    closeRound(*this);
    creditRound(*this);
    ui::showModal(*windows().frmGratulalok);
}

void TfrmMain::tbInfoClick()
{
    eSugo1->setText(ui::toQt(PuzzleHint1));
    eSugo2->setText(ui::toQt(PuzzleHint2));
    tbInfo->setEnabled(false);
    RoundScore = game::addScore(RoundScore, game::levelRow(PlayLevel).HintScore);
    lMostPont->setText(scoreCaption(RoundScore));
}

void TfrmMain::tbMaganhClick()
{
    const game::CellSet vowels = game::hiddenVowelCells(PuzzleText, game::CellSet(m_hiddenCells));
    uncover(*this, vowels);
    LettersLeft -= int32_t(vowels.count());
    for (int k = 1; k <= game::LetterButtonCount; ++k) {
        if (game::isVowel(game::CapitalLetters[size_t(k - 1)]))
            letterButton(k)->setEnabled(false);
    }
}

void TfrmMain::tbSzabadClick()
{
    RoundScore = game::addScore(RoundScore, game::levelRow(PlayLevel).PassScore);
    lMostPont->setText(scoreCaption(RoundScore));
    closeRound(*this);
    windows().frmSzabad->eDuma->setText(ui::toQt(game::AnswerText(PuzzleText)));
    ui::showModal(*windows().frmSzabad);
    // Credited only now: while the window is up the total still shows what it was before the round.
    creditRound(*this);
}
