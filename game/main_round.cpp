// The main window's round handlers: drawing, letter buttons, help actions.
#include "app/main_window.h"

void TfrmMain::connectRoundHandlers()
{
}
