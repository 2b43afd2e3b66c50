#include "editor/uj_dialog.h"

TfrmUj::TfrmUj(Windows& windows, QWidget* parent)
    : QDialog(parent)
    , m_windows(windows)
{
    setObjectName(QStringLiteral("frmUj"));
}
