#pragma once
// "Hogyan játsszunk?": the rules, the levels' scores, the helps and their prices, keyboard play and the
// editor, in one page in the game's own colours. It opens on F1 and from its toolbar button, is read with
// the arrow and page keys, and closes on Esc or its button.

#include <QDialog>

class QPushButton;
class QTextBrowser;

class TfrmHogyan : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmHogyan(QWidget* parent = nullptr);

    QTextBrowser* eSzoveg = nullptr; // the page, with the keyboard focus
    QPushButton* btBezar = nullptr;

    // The page as HTML, its score table made from the game's level table.
    static QString pageText();

protected:
    void showEvent(QShowEvent* event) override;
};
