// What a screen reader says as a round goes on: each move of the round in words, as the main window's
// announcement. Only letters the board already shows and letters that are not in the puzzle are named.
#include "app/main_window.h"

#include "game/round.h"
#include "game/tables.h"
#include "ui/accessible_controls.h"
#include "ui/announcer.h"
#include "ui/flat_button.h"
#include "ui/text.h"

void TfrmMain::announceMove(char letter, const game::RoundMove& move)
{
    const int found = int(move.uncovered.count());
    const QString name = letter ? ui::toQt(std::string(1, letter)) : QString();
    QString said;
    if (found > 0)
        said = letter ? QStringLiteral("Megvan: %1, %2 helyen.").arg(name).arg(found)
                      : QStringLiteral("Magánhangzók felfedve, %1 helyen.").arg(found);
    else if (letter)
        said = QStringLiteral("Nincs benne: %1.").arg(name);
    else if (move.end == game::RoundEnd::GoesOn)
        said = QStringLiteral("Nincs több rejtett magánhangzó.");
    if (move.mistake)
        said += QStringLiteral(" Hibák: %1 / %2.").arg(m_round.MistakeCount()).arg(m_round.mistakeLimit());
    switch (move.end) {
    case game::RoundEnd::Won:
        said += QStringLiteral(" Megfejtve!");
        break;
    case game::RoundEnd::Lost:
        said += QStringLiteral(" Elfogyott a hibakeret.");
        break;
    case game::RoundEnd::GivenUp:
        said += QStringLiteral(" Feladva.");
        break;
    case game::RoundEnd::GoesOn:
        if (found > 0)
            said += QStringLiteral(" Még %1 rejtett betű.").arg(m_round.LettersLeft());
        break;
    }
    ui::announce(this, said.trimmed());
}

void TfrmMain::announceDraw(const QString& category)
{
    int rows = 0;
    for (int row = 0; row < game::CellCount / game::RowLength; ++row) {
        bool hasLetter = false;
        for (int k = 1; k <= game::RowLength; ++k)
            hasLetter = hasLetter || m_round.isHidden(row * game::RowLength + k);
        rows += hasLetter ? 1 : 0;
    }
    ui::announce(this,
                 QStringLiteral("Új feladvány. Kategória: %1. %2 rejtett betű, %3 sorban.")
                     .arg(category)
                     .arg(m_round.LettersLeft())
                     .arg(rows));
}

void TfrmMain::announceRoundEnd()
{
    const QString total = PlayerName.empty()
        ? QStringLiteral("Összpontszám: %1.").arg(PlayerTotal)
        : QStringLiteral("%1 összpontszáma: %2.").arg(ui::toQt(PlayerName)).arg(PlayerTotal);
    ui::announce(
        this,
        QStringLiteral("A kör pontszáma: %1. %2 Új feladvány: Ctrl+N.").arg(m_round.RoundScore()).arg(total));
}

void TfrmMain::sayAnnouncementsNow()
{
    if (auto* announcer = findChild<ui::Announcer*>())
        announcer->flush();
}

void TfrmMain::announcePlayer()
{
    ui::announce(this,
                 QStringLiteral("Játékos: %1, %2 pont. Új feladvány: Ctrl+N.")
                     .arg(ui::toQt(PlayerName))
                     .arg(PlayerTotal));
}

void TfrmMain::announceHints()
{
    QString said = QStringLiteral("Segítség:");
    for (const std::string& hint : {m_round.PuzzleHint1(), m_round.PuzzleHint2()}) {
        QString line = ui::toQt(hint).trimmed();
        if (line.isEmpty())
            continue;
        if (!line.endsWith(QLatin1Char('.')) && !line.endsWith(QLatin1Char('!'))
            && !line.endsWith(QLatin1Char('?')))
            line += QLatin1Char('.');
        said += QLatin1Char(' ') + line;
    }
    ui::announce(this, said + QStringLiteral(" A kör pontszáma: %1.").arg(m_round.RoundScore()));
}

void TfrmMain::announceUsedLetter(ui::FlatButton* button)
{
    ui::announce(this, button->accessibleName() + QLatin1Char('.'));
}

void TfrmMain::nameLetterButton(ui::FlatButton* button, LetterState state)
{
    QString name = button->text();
    if (state == LetterState::Used)
        name += QStringLiteral(", már tippelt");
    else if (state == LetterState::NotInRound)
        name += QStringLiteral(", ebben a körben nem játszik");
    // Every change is an event for the screen reader: only real ones are sent.
    if (button->accessibleName() != name)
        button->setAccessibleName(name);
}
