// The main window's player and settings buttons (tbJatekos, tbBeallitas).
#include "app/main_window.h"

void TfrmMain::connectPlayerHandlers()
{
}
