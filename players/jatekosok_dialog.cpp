#include "players/jatekosok_dialog.h"

TfrmJatekosok::TfrmJatekosok(Windows& windows, QWidget* parent)
    : QDialog(parent)
    , m_windows(windows)
{
    setObjectName(QStringLiteral("frmJatekosok"));
}

void TfrmJatekosok::storeCurrentPlayerTotals(int32_t total, int32_t rounds)
{
    // Filled in with the player register.
    (void)total;
    (void)rounds;
}
