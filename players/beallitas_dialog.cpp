#include "players/beallitas_dialog.h"

TfrmBeallitas::TfrmBeallitas(Windows& windows, QWidget* parent)
    : QDialog(parent)
    , m_windows(windows)
{
    setObjectName(QStringLiteral("frmBeallitas"));
}
