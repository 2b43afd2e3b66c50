// The main window's round handlers: drawing, letter buttons, the end of a round and the help actions.
// The round itself is m_round; these handlers pass the player's moves to it and draw what it answers.
#include "app/main_window.h"

#include "game/calendar.h"
#include "game/daily_puzzle.h"
#include "game/puzzle_draw.h"
#include "game/result_windows.h"
#include "game/round.h"
#include "game/status_text.h"
#include "players/jatekosok_dialog.h"
#include "players/round_history.h"
#include "storage/schemas.h"
#include "ui/board_cell.h"
#include "ui/colours.h"
#include "ui/error_box.h"
#include "ui/flat_button.h"
#include "ui/gauge.h"
#include "ui/modal.h"
#include "ui/shadow_label.h"
#include "ui/status_bar.h"
#include "ui/text.h"
#include "ui/title.h"

#include <QDateTime>
#include <QLabel>
#include <QToolButton>

namespace {

QString scoreCaption(int32_t score) { return QStringLiteral("Pontszám: ") + QString::number(score); }

} // namespace

void TfrmMain::connectRoundHandlers()
{
    connect(tbUj, &QToolButton::clicked, this,
            [this] { ui::runShowingErrors(m_modal, this, [this] { sbUjClick(); }); });
    connect(tbInfo, &QToolButton::clicked, this,
            [this] { ui::runShowingErrors(m_modal, this, [this] { tbInfoClick(); }); });
    connect(tbMaganh, &QToolButton::clicked, this,
            [this] { ui::runShowingErrors(m_modal, this, [this] { tbMaganhClick(); }); });
    connect(tbSzabad, &QToolButton::clicked, this,
            [this] { ui::runShowingErrors(m_modal, this, [this] { tbSzabadClick(); }); });
    connect(tbNapi, &QToolButton::clicked, this,
            [this] { ui::runShowingErrors(m_modal, this, [this] { tbNapiClick(); }); });
    for (ui::FlatButton* button : b) {
        connect(button, &QToolButton::clicked, this,
                [this, button] { ui::runShowingErrors(m_modal, this, [this, button] { b1Click(button); }); });
    }
}

void TfrmMain::showMistakes()
{
    eHiba->setMaximum(m_round.mistakeLimit());
    eHiba->setPosition(m_round.MistakeCount());
    eHiba->setVisible(m_round.countsMistakes());
}

void TfrmMain::showMove(const game::RoundMove& move)
{
    for (int k = 1; k <= game::CellCount; ++k) {
        if (move.uncovered[size_t(k - 1)])
            cell(k)->revealLetter(ui::LetterTextColour);
    }
    for (int k = 1; k <= game::LetterButtonCount; ++k) {
        if (move.withdrawn[size_t(k - 1)]) {
            letterButton(k)->setEnabled(false);
            nameLetterButton(letterButton(k), LetterState::Used);
        }
    }
    if (move.hintsShown) {
        eSugo1->setText(ui::toQt(m_round.PuzzleHint1()));
        eSugo2->setText(ui::toQt(m_round.PuzzleHint2()));
    }
    if (move.mistake)
        showMistakes();
}

void TfrmMain::sbUjClick()
{
    if (EditMode || PuzzleCount <= 0)
        return;

    const game::DrawChoice choice {PlayLevel, PlayLanguage, PlayCategories, ExactLevel};
    // Puzzles the player met lately are passed over while the choice has others.
    game::RecentPuzzles recent;
    if (AvoidRepeats) {
        const std::vector<std::string_view> met
            = players::lastPuzzles(roundHistory(), PlayerName, game::RecentRoundLimit);
        recent = game::recentPuzzles(dbLista, choice, met);
    }
    prepareDraw();
    const int32_t start = std::uniform_int_distribution<int32_t>(0, PuzzleCount - 1)(m_random);
    const game::DrawnRound drawn = game::drawRound(m_round, dbLista, PuzzleCount, start, choice, recent);
    showMistakes(); // back at 0, drawn or not
    if (!drawn.drawn) {
        m_modal.showMessage(this, QMessageBox::NoIcon, ui::applicationTitle(),
                            QStringLiteral("Nincs ilyen!!"));
        // Nothing was drawn: between rounds again, the board still showing the last puzzle.
        applyMode(Mode::BetweenRounds);
        return;
    }
    showDrawnRound(drawn.Kategoria, dbLista.asString(storage::puzzle::Szoveg), false);
}

void TfrmMain::tbNapiClick()
{
    if (EditMode || !hasPlayer())
        return;
    const int32_t today = game::dayOfMinutes(clockMinutes());
    // The day's puzzle is Hungarian for a player who plays both languages.
    const int32_t language = PlayLanguage == game::English ? game::English : game::Hungarian;
    if (players::dailyPlayed(roundHistory(), PlayerName, language, PlayLevel, today)) {
        m_modal.showMessage(this, QMessageBox::Information, ui::applicationTitle(),
                            QStringLiteral("A mai feladványt ezen a szinten már megfejtetted vagy "
                                           "megpróbáltad.\nHolnap új feladvány vár!"));
        return;
    }
    // From the pack installed with the game, so that every family gets the same puzzle; the player's own
    // list, which began as a copy of it, when it is not there.
    storage::Table pack(storage::puzzleColumns());
    storage::Table* source = &dbLista;
    if (!m_options.puzzlePack.empty()) {
        pack.setFilePath(m_options.puzzlePack);
        try {
            pack.open();
            if (!pack.isEmpty())
                source = &pack;
        } catch (const std::exception&) {
            // A pack that cannot be read leaves the player's own list; the pack is never written.
        }
    }
    const int position = game::dailyPuzzle(game::civilDate(today), language, PlayLevel, *source);
    if (position < 0) {
        m_modal.showMessage(this, QMessageBox::NoIcon, ui::applicationTitle(),
                            QStringLiteral("Nincs ilyen!!"));
        return;
    }
    source->moveTo(position);
    prepareDraw();
    const game::DrawChoice choice {PlayLevel, language, game::AllCategories, ExactLevel};
    const game::DrawnRound drawn = game::startFromCurrent(m_round, *source, choice);
    showMistakes();
    showDrawnRound(drawn.Kategoria, source->asString(storage::puzzle::Szoveg), true);
}

void TfrmMain::prepareDraw()
{
    tbUj->setEnabled(false);
    tbNapi->setEnabled(false);
    tbMod->setEnabled(false);
    if (ExactLevel == 0)
        tbMaganh->setEnabled(true);
    tbSzabad->setEnabled(true);
    eSugo1->clear();
    eSugo2->clear();
    ResetBoard(false, true, true);
}

void TfrmMain::showDrawnRound(int32_t category, const std::string& listText, bool daily)
{
    applyMode(Mode::RoundInPlay, {m_round.hintsOffered(), !m_round.offersAccentedLetters()});
    // With both languages chosen the player sees which one this puzzle is in.
    sBar->setPanelText(3, ui::toQt(game::languageText(PlayLanguage, m_round.puzzleLanguage())));
    lMostPont->setText(scoreCaption(m_round.RoundScore()));
    PlayerRounds = game::addScore(PlayerRounds, 1);
    // The puzzle of the day says so where the category shows, and to a screen reader with it.
    const QString categoryName = ui::toQt(game::CategoryNames[size_t(category)]);
    lKategoria->setText(daily ? QStringLiteral("A nap feladványa: ") + categoryName : categoryName);
    lKategoria->show();
    announceDraw(lKategoria->text());

    const std::string& text = m_round.PuzzleText();
    for (int k = 1; k <= game::CellCount; ++k) {
        const QString caption = ui::toQt(std::string_view(text).substr(size_t(k - 1), 1));
        if (m_round.isHidden(k))
            cell(k)->hideLetter(caption, ui::LetterCellColour);
        else
            cell(k)->setLook(caption, ui::PlainCellColour, ui::SignTextColour);
    }

    players::RoundRecord record;
    record.name = PlayerName;
    record.time = clockMinutes();
    record.text = listText;
    record.language = m_round.puzzleLanguage();
    record.level = PlayLevel;
    record.category = category;
    record.daily = daily;
    m_roundRecord = std::move(record);
}

void TfrmMain::b1Click(ui::FlatButton* Sender)
{
    if (EditMode)
        return;
    Sender->setEnabled(false);
    // The button's number is its place in CapitalLetters, so its letter needs no trip through Unicode.
    const char letter = game::CapitalLetters[size_t(Sender->tag() - 1)];
    const game::RoundMove move = m_round.guess(letter);
    showMove(move);
    lMostPont->setText(scoreCaption(m_round.RoundScore()));
    announceMove(letter, move);

    switch (move.end) {
    case game::RoundEnd::Lost:
        ShowLoss();
        break;
    case game::RoundEnd::Won:
        ShowWin();
        break;
    case game::RoundEnd::GoesOn:
    case game::RoundEnd::GivenUp:
        break;
    }
}

void TfrmMain::creditRound()
{
    PlayerTotal = game::addScore(PlayerTotal, m_round.RoundScore());
    lOsszPont->setText(QString::number(PlayerTotal));
    keepRoundInRegister(PlayerTotal);
}

void TfrmMain::recordRound(int32_t outcome, int32_t creditedScore)
{
    if (!m_roundRecord)
        return;
    players::RoundRecord record = std::move(*m_roundRecord);
    m_roundRecord.reset();
    record.outcome = outcome;
    record.score = creditedScore;
    record.mistakes = m_round.MistakeCount();
    record.hintsBought = m_round.hintsBought();
    // A history that cannot be written is said once, by the exit, which writes it again.
    (void)m_history.record(record);
    // A history read only now may have been damaged: said over the window once.
    (void)roundHistory();
}

void TfrmMain::recordAbandonedRound()
{
    // The round's score so far is never credited, so the history credits nothing either and its sums stay
    // those of the register.
    if (m_round.inPlay())
        recordRound(storage::history::Abandoned, 0);
    m_roundRecord.reset();
}

const std::vector<players::RoundRecord>& TfrmMain::roundHistory()
{
    const std::vector<players::RoundRecord>& rounds = m_history.rounds();
    if (const std::string error = m_history.takeLoadError(); !error.empty())
        ui::showError(m_modal, this, error);
    return rounds;
}

int32_t TfrmMain::clockMinutes() const
{
    if (m_options.clockMinutes)
        return *m_options.clockMinutes;
    const QDateTime now = QDateTime::currentDateTime();
    return game::localMinutes({now.date().year(), now.date().month(), now.date().day()}, now.time().hour(),
                              now.time().minute());
}

void TfrmMain::keepRoundInRegister(int32_t total)
{
    try {
        m_register.storeTotals(total, PlayerRounds);
    } catch (const std::exception&) {
        return; // the exit save stores them again and says what went wrong
    }
    // A register that cannot be written is said once, by the exit save, not after every round.
    (void)m_register.save();
}

void TfrmMain::saveListQuietly()
{
    // The exit save writes the list again and tells of a failure, and of a damaged list kept aside here.
    const storage::SaveOutcome saved = dbLista.save();
    if (!saved.keptBackup.empty())
        m_keptListBackup = saved.keptBackup;
}

void TfrmMain::showAnswerOnBoard()
{
    // The letters still hidden are uncovered in a colour of their own, apart from the ones found.
    const game::RoundMove answer = m_round.uncoverAnswer();
    for (int k = 1; k <= game::CellCount; ++k) {
        if (answer.uncovered[size_t(k - 1)])
            cell(k)->revealLetter(ui::MissedLetterColour);
    }
}

void TfrmMain::ShowLoss()
{
    applyMode(Mode::BetweenRounds); // keyboard off, the board as it stands
    creditRound();
    recordRound(storage::history::Lost, m_round.RoundScore());
    TfrmSajnos& window = *windows().frmSajnos;
    window.eDuma->setText(ui::toQt(game::AnswerText(m_round.PuzzleText())));
    window.showScores(m_round.RoundScore(), PlayerTotal);
    sayAnnouncementsNow();
    m_modal.showModal(window);
    showAnswerOnBoard();
    announceRoundEnd();
}

void TfrmMain::ShowWin()
{
    applyMode(Mode::BetweenRounds);
    creditRound();
    recordRound(storage::history::Won, m_round.RoundScore());
    windows().frmGratulalok->showScores(m_round.RoundScore(), PlayerTotal);
    sayAnnouncementsNow();
    m_modal.showModal(*windows().frmGratulalok);
    announceRoundEnd();
}

void TfrmMain::tbInfoClick()
{
    showMove(m_round.buyHints());
    tbInfo->setEnabled(false);
    lMostPont->setText(scoreCaption(m_round.RoundScore()));
    announceHints();
}

void TfrmMain::tbMaganhClick()
{
    const game::RoundMove move = m_round.uncoverVowels();
    showMove(move);
    announceMove(0, move);
}

void TfrmMain::tbSzabadClick()
{
    announceMove(0, m_round.giveUp());
    lMostPont->setText(scoreCaption(m_round.RoundScore()));
    applyMode(Mode::BetweenRounds);
    TfrmSzabad& window = *windows().frmSzabad;
    window.eDuma->setText(ui::toQt(game::AnswerText(m_round.PuzzleText())));
    // Kept before the window shows, though the total shown changes only after it; the window tells it.
    const int32_t newTotal = game::addScore(PlayerTotal, m_round.RoundScore());
    keepRoundInRegister(newTotal);
    recordRound(storage::history::GivenUp, m_round.RoundScore());
    window.showScores(m_round.RoundScore(), newTotal);
    sayAnnouncementsNow();
    m_modal.showModal(window);
    // Credited only now: while the window is up the total still shows what it was before the round.
    creditRound();
    showAnswerOnBoard();
    announceRoundEnd();
}
