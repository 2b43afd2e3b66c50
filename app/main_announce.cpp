// What a screen reader says as a round goes on: each move of the round in words, as the main window's
// announcement. Only letters the board already shows and letters that are not in the puzzle are named.
#include "app/main_window.h"

#include "game/round.h"
#include "game/tables.h"
#include "ui/accessible_controls.h"
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
    ui::announce(this,
                 QStringLiteral("Új feladvány. Kategória: %1. %2 rejtett betű.")
                     .arg(category)
                     .arg(m_round.LettersLeft()));
}
