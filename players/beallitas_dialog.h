#pragma once
// The general settings: mistake limit and exact level.

#include "app/windows.h"

#include <QDialog>

class TfrmBeallitas : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmBeallitas(Windows& windows, QWidget* parent = nullptr);

private:
    Windows& m_windows;
};
