#include "game/result_windows.h"

TfrmGratulalok::TfrmGratulalok(Windows& windows, QWidget* parent)
    : QDialog(parent)
    , m_windows(windows)
{
    setObjectName(QStringLiteral("frmGratulalok"));
}

TfrmSajnos::TfrmSajnos(Windows& windows, QWidget* parent)
    : QDialog(parent)
    , m_windows(windows)
{
    setObjectName(QStringLiteral("frmSajnos"));
}

TfrmSzabad::TfrmSzabad(Windows& windows, QWidget* parent)
    : QDialog(parent)
    , m_windows(windows)
{
    setObjectName(QStringLiteral("frmSzabad"));
}
