#pragma once
// The player register and the round options; made at start-up, it opens the register and restores the last player.

#include "app/windows.h"

#include <QDialog>
#include <cstdint>

class TfrmJatekosok : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmJatekosok(Windows& windows, QWidget* parent = nullptr);

    // Exit save: writes the current player's totals into that player's own record and posts it;
    // does nothing when no player is current. Errors are thrown (the caller shows them).
    void storeCurrentPlayerTotals(int32_t total, int32_t rounds);

private:
    Windows& m_windows;
};
