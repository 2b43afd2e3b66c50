#pragma once
// The one-line player name entry.

#include "app/windows.h"

#include <QDialog>

class TfrmNev : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmNev(Windows& windows, QWidget* parent = nullptr);

private:
    Windows& m_windows;
};
