#pragma once
// The three picture windows that announce a finished round: won, lost, given up.

#include "app/windows.h"

#include <QDialog>

class TfrmGratulalok : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmGratulalok(Windows& windows, QWidget* parent = nullptr);

private:
    Windows& m_windows;
};

class TfrmSajnos : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmSajnos(Windows& windows, QWidget* parent = nullptr);

private:
    Windows& m_windows;
};

class TfrmSzabad : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmSzabad(Windows& windows, QWidget* parent = nullptr);

private:
    Windows& m_windows;
};
