#include "players/nev_window.h"

TfrmNev::TfrmNev(Windows& windows, QWidget* parent)
    : QDialog(parent)
    , m_windows(windows)
{
    setObjectName(QStringLiteral("frmNev"));
}
