#pragma once
// The eight windows of the game, made once at start in this order and living until the end.
// The main window keeps this to reach the dialogs it shows; the dialogs know none of the others.

class TfrmMain;
class TfrmUj;
class TfrmJatekosok;
class TfrmNev;
class TfrmBeallitas;
class TfrmGratulalok;
class TfrmSajnos;
class TfrmSzabad;

struct Windows
{
    TfrmMain* frmMain = nullptr;
    TfrmUj* frmUj = nullptr;
    TfrmJatekosok* frmJatekosok = nullptr;
    TfrmNev* frmNev = nullptr;
    TfrmBeallitas* frmBeallitas = nullptr;
    TfrmGratulalok* frmGratulalok = nullptr;
    TfrmSajnos* frmSajnos = nullptr;
    TfrmSzabad* frmSzabad = nullptr;
};
