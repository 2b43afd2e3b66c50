// The main window's editor mode: cells, typed keys, row scrolling, accept and discard.
#include "app/main_window.h"

#include <QKeyEvent>

void TfrmMain::connectEditorHandlers()
{
}

void TfrmMain::FormKeyPress(QKeyEvent* event)
{
    (void)event;
}

void TfrmMain::FormKeyUp(QKeyEvent* event)
{
    (void)event;
}
