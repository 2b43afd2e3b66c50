// The main window's player and settings buttons (tbJatekos, tbBeallitas), restoring the last player at start
// and taking over a chosen player.
#include "app/main_window.h"
#include "game/status_text.h"
#include "players/beallitas_dialog.h"
#include "players/jatekosok_dialog.h"
#include "storage/file_names.h"
#include "ui/error_box.h"
#include "ui/fitted_text.h"
#include "ui/modal.h"
#include "ui/status_bar.h"
#include "ui/text.h"

#include <QLabel>
#include <QToolButton>

void TfrmMain::connectPlayerHandlers()
{
    connect(tbJatekos, &QToolButton::clicked, this, [this] { tbJatekosClick(); });
    connect(tbBeallitas, &QToolButton::clicked, this, [this] { tbBeallitasClick(); });
}

void TfrmMain::tbJatekosClick()
{
    TfrmJatekosok& dialog = *m_windows.frmJatekosok;
    dialog.loadOptions(PlayLevel, PlayLanguage, PlayCategories);
    // The current player's row shows this session's gains: the figures the exit save would write now.
    ui::runShowingErrors(m_modal, this, [this] { m_register.storeTotals(PlayerTotal, PlayerRounds); });
    if (m_modal.showModal(dialog) != QDialog::Accepted)
        return; // the choices made in the dialog are dropped; changes to the register stay
    ui::runShowingErrors(m_modal, this, [this, &dialog] {
        // OK on an empty register applies nothing, not even the options.
        if (m_register.isEmpty())
            return;
        const int32_t level = dialog.chosenLevel();
        const int32_t language = dialog.chosenLanguage();
        const int32_t categories = dialog.chosenCategories();
        const players::PlayerFigures player = m_register.choose(PlayerTotal, PlayerRounds);
        // What was stored before this OK: the keyboard play the player chose in the settings comes along.
        game::PlayerChoices choices
            = game::readPlayerChoices(SettingsStore, player.name, sharedChoices()).value_or(sharedChoices());
        ApplyPlayerChoice(player.name, player.total, player.rounds, level, language);
        PlayCategories = categories;
        followPlayerKeyboardPlay(choices.KeyboardPlay);
        announcePlayer();
        // The dialog showed the player's own choices, so what OK confirmed is theirs from now on.
        choices.PlayLevel = level;
        choices.PlayLanguage = language;
        choices.PlayCategories = categories;
        game::writePlayerChoices(SettingsStore, player.name, choices);
    });
}

void TfrmMain::restoreLastPlayer()
{
    try {
        m_register.open(AppDir + storage::PlayerRegisterFile);
    } catch (const std::exception& error) {
        // The records read before the error stay; no player is restored from a damaged register.
        ui::showError(m_modal, this, error.what());
        return;
    }
    std::optional<players::PlayerFigures> player;
    ui::runShowingErrors(m_modal, this, [this, &player] { player = m_register.restore(LastPlayer); });
    if (!player)
        return;
    // A player with choices of their own plays by them; the others by the last ones, as before.
    const game::PlayerChoices choices
        = game::readPlayerChoices(SettingsStore, player->name, sharedChoices()).value_or(sharedChoices());
    PlayCategories = choices.PlayCategories;
    m_windows.frmJatekosok->restoreOptions(choices.PlayLevel, choices.PlayLanguage, PlayCategories);
    ApplyPlayerChoice(player->name, player->total, player->rounds, choices.PlayLevel, choices.PlayLanguage);
    followPlayerKeyboardPlay(choices.KeyboardPlay);
}

game::PlayerChoices TfrmMain::sharedChoices() const
{
    return {PlayLanguage, PlayLevel, PlayCategories, std::nullopt};
}

void TfrmMain::ApplyPlayerChoice(const std::string& name, int32_t total, int32_t rounds, int32_t level,
                                 int32_t language)
{
    recordAbandonedRound();
    PlayerName = name;
    ui::showFitted(lNev, ui::toQt(PlayerName));
    PlayerTotal = total;
    lOsszPont->setText(QString::number(PlayerTotal));
    m_round.restartScore();
    lMostPont->setText(QStringLiteral("Pontszám: ") + QString::number(m_round.RoundScore()));
    PlayerRounds = rounds;
    PlayLevel = level;
    lFokozat->setText(ui::toQt(game::levelCaption(PlayLevel)));
    sBar->setPanelText(1, ui::toQt(game::levelName(PlayLevel)));
    PlayLanguage = language;
    sBar->setPanelText(3, ui::toQt(game::languageName(PlayLanguage)));
    sBar->setPanelText(4, ui::toQt(game::levelScoreText(PlayLevel)));

    // In the editor the typed puzzle and its toolbar stay; leaving the editor enables tbUj now that a
    // player is current. Otherwise a round in play ends here and the board is blanked.
    if (EditMode)
        return;
    applyMode(Mode::BetweenRounds);
    ResetBoard(true, true, false);
}

void TfrmMain::ClearPlayer()
{
    // Nobody's figures are shown, so no round can score for nobody; the captions are those of the first
    // start.
    m_roundRecord.reset(); // the deleted player's rounds go, this one with them
    PlayerName.clear();
    m_playerKeyboardPlay.reset(); // the keyboard stays as it plays, now by the shared setting
    PlayerTotal = 0;
    PlayerRounds = 0;
    m_round.restartScore();
    ui::showFitted(lNev, QStringLiteral("Játékos"));
    lOsszPont->setText(QStringLiteral("0"));
    lMostPont->setText(QStringLiteral("Pontszám:  0"));
    // In the editor the typed puzzle stays; leaving it finds no player and keeps tbUj disabled.
    if (EditMode)
        return;
    applyMode(Mode::NoPlayer);
    ResetBoard(true, true, false);
}

void TfrmMain::renamePlayerRounds(const std::string& oldName, const std::string& newName)
{
    (void)roundHistory(); // a damaged file is said before it is written again
    if (m_roundRecord && m_roundRecord->name == oldName)
        m_roundRecord->name = newName;
    // A backup kept by this save is told at the exit, with the history's other saves.
    if (const storage::SaveOutcome saved = m_history.renamePlayer(oldName, newName); !saved.ok())
        ui::showError(m_modal, this, saved.error);
}

void TfrmMain::removePlayerRounds(const std::string& name)
{
    (void)roundHistory();
    if (m_roundRecord && m_roundRecord->name == name)
        m_roundRecord.reset();
    if (const storage::SaveOutcome saved = m_history.removePlayer(name); !saved.ok())
        ui::showError(m_modal, this, saved.error);
}

void TfrmMain::tbBeallitasClick()
{
    TfrmBeallitas& dialog = *m_windows.frmBeallitas;
    dialog.loadSettings(MaxMistakes, ExactLevel);
    dialog.loadKeyboardPlay(keyboardPlay());
    dialog.loadAvoidRepeats(AvoidRepeats);
    if (m_modal.showModal(dialog) != QDialog::Accepted)
        return;
    game::Settings chosen = *this;
    chosen.MaxMistakes = dialog.chosenMaxMistakes();
    chosen.ExactLevel = dialog.chosenExactLevel();
    chosen.AvoidRepeats = dialog.chosenAvoidRepeats();
    useSettings(chosen); // mistakes above a lower limit come down to it
    chooseKeyboardPlay(dialog.chosenKeyboardPlay());
    showMistakes(); // and the gauge is seen again when a limit is set again after "no limit"
    ui::runShowingErrors(m_modal, this, [this] {
        using game::SettingKey;
        game::writeSettings(
            SettingsStore, *this,
            {SettingKey::MaxHiba, SettingKey::ExactLevel, SettingKey::KeyboardPlay, SettingKey::NoRepeat});
        // Keyboard play is the current player's own choice too: it comes back when they do.
        if (hasPlayer()) {
            game::PlayerChoices own = game::readPlayerChoices(SettingsStore, PlayerName, sharedChoices())
                                          .value_or(sharedChoices());
            own.KeyboardPlay = KeyboardPlay;
            game::writePlayerChoices(SettingsStore, PlayerName, own);
        }
    });
}

void TfrmMain::useSettings(const game::Settings& settings)
{
    static_cast<game::Settings&>(*this) = settings;
    m_round.setMistakeLimit(MaxMistakes);
}
