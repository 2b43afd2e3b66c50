#pragma once
// The details dialog that completes a typed puzzle and stores it in the puzzle list.

#include "app/windows.h"

#include <QDialog>

class TfrmUj : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmUj(Windows& windows, QWidget* parent = nullptr);

private:
    Windows& m_windows;
};
