// Every control speaks Hungarian: toolbar buttons by their tool tip's first line, labels by their text, the
// gauge by its figures, the dialogs' fields and the result windows by what they show.
#include "accessibility_fixture.h"

#include "editor/uj_dialog.h"
#include "players/beallitas_dialog.h"
#include "players/nev_window.h"
#include "ui/spin_field.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLineEdit>

using namespace round_testing;
using namespace a11y_testing;

namespace {

using AccessibleNames = RoundTest;

TEST_F(AccessibleNames, ToolbarButtonsAreNamedByTheFirstLineOfTheirToolTip)
{
    startWith({{"ALMA"}});
    TfrmMain& w = main();
    const std::pair<QToolButton*, QString> buttons[] = {
        {w.tbJatekos, "Játékos váltása"},
        {w.tbBeallitas, "Általános beállítások"},
        {w.tbUj, "Kérek egy új feladatot"},
        {w.tbInfo, "Segítség a feladvánnyal kapcsolatban"},
        {w.tbMaganh, "Magánhangzók megjelenítése"},
        {w.tbSzabad, "Szabad a gazda..."},
        {w.tbMod, "Új feladat beírása"},
        {w.tbModOK, "A feladvány elfogadása"},
        {w.tbModCancel, "A feladvány elvetése"},
        {w.tbExit, "Kilépés a programból"},
    };
    for (const auto& [button, name] : buttons) {
        EXPECT_EQ(nameOf(button), name);
        EXPECT_EQ(accessible(button)->role(), QAccessible::Button);
    }
    EXPECT_TRUE(
        accessible(w.tbJatekos)->text(QAccessible::Description).contains("és a játékmenet beállítása"));
    EXPECT_TRUE(accessible(w.tbInfo)->state().disabled);
    EXPECT_FALSE(accessible(w.tbJatekos)->state().disabled);
}

TEST_F(AccessibleNames, LettersLabelsAndTheGaugeAreReadable)
{
    startWith({{"ALMA"}}, 3, "MaxHiba=5");
    TfrmMain& w = main();
    EXPECT_EQ(nameOf(w.letterButton(2)), "Á");
    EXPECT_TRUE(accessible(w.letterButton(2))->state().disabled);
    EXPECT_EQ(nameOf(w.lNev), "Anna");
    EXPECT_EQ(nameOf(w.lOsszPont), "100");
    EXPECT_EQ(nameOf(w.lFokozat), "Fokozat: KÖZEPES");
    EXPECT_EQ(nameOf(w.lMostPont), "Pontszám: 0");
    EXPECT_EQ(nameOf(w.eHiba), "Hibák: 0 / 5");
    EXPECT_EQ(accessible(w.eHiba)->valueInterface()->maximumValue().toInt(), 5);

    draw();
    EXPECT_EQ(nameOf(w.lKategoria), "Tárgy");
    press('L');
    EXPECT_TRUE(accessible(w.letterButton(15))->state().disabled) << "a used letter says so";
    EXPECT_FALSE(accessible(w.letterButton(1))->state().disabled);
}

TEST_F(AccessibleNames, DialogFieldsAndResultWindowsAreNamed)
{
    startWith({{"ALMA"}});
    // Hidden dialogs get their controls at their first showing; ask for them as a showing would.
    windows.frmBeallitas->ensureBuilt();
    windows.frmNev->ensureBuilt();
    windows.frmUj->ensureBuilt();
    EXPECT_EQ(nameOf(windows.frmUj->e1), "1. sor:");
    EXPECT_EQ(nameOf(windows.frmUj->eSg1), "Súgószöveg, 1. sor");
    EXPECT_EQ(nameOf(windows.frmUj->eSg2), "Súgószöveg, 2. sor");
    EXPECT_EQ(nameOf(windows.frmUj->rgUjNyelv), "Nyelv");
    EXPECT_EQ(nameOf(windows.frmBeallitas->eMaxHiba), "Maximálisan megengedett hiba (0 nincs hibahatár)");
    EXPECT_EQ(nameOf(windows.frmBeallitas->rgPontos), "Nehézségi szintek");
    EXPECT_EQ(nameOf(windows.frmBeallitas->cbBillentyu), "Tippelés a billentyűzetről");
    EXPECT_EQ(nameOf(windows.frmBeallitas->cbNemIsmetel),
              "Nem ad olyan feladványt, amely az utolsó körökben már volt");
    EXPECT_EQ(nameOf(windows.frmNev->eNev), "A játékos neve");

    draw();
    expectResult<TfrmGratulalok>([](TfrmGratulalok& shown) {
        EXPECT_EQ(nameOf(&shown), "GRATULÁLOK!");
        EXPECT_EQ(nameOf(shown.RxLabel1), "GRATULÁLOK!");
        EXPECT_EQ(nameOf(shown.CoolButton1), "Bezárás");
    });
    pressAll("ALM");
    EXPECT_EQ(modals.pending(), 0);
}

} // namespace

namespace {

TEST_F(AccessibleNames, APlayerNameIsFittedToItsLabelAndReadInFull)
{
    folder.writePuzzles({{"ALMA"}});
    const std::string twenty = "Kov\xE1"
                               "csn\xE9 Szab\xF3 Ilona";
    folder.writePlayers({{twenty, 0, 0}});
    startAs(twenty);
    QLabel* label = main().lNev;
    const auto fits = [label] {
        return QFontMetrics(label->font()).horizontalAdvance(label->text()) <= label->contentsRect().width();
    };
    EXPECT_TRUE(fits());
    EXPECT_EQ(label->text(), "Kovácsné Szabó Ilona") << "narrowed, not cut";
    EXPECT_EQ(nameOf(label), "Kovácsné Szabó Ilona");
    EXPECT_GT(label->contentsMargins().left(), 0) << "no gap after \"Név:\"";

    // Too wide even narrowed: elided, the whole name in the tool tip and for screen readers.
    main().ApplyPlayerChoice(std::string(20, 'W'), 0, 0, 1, 1);
    EXPECT_TRUE(fits());
    EXPECT_TRUE(label->text().endsWith(QChar(0x2026)));
    EXPECT_EQ(label->toolTip(), QString(20, 'W'));
    EXPECT_EQ(nameOf(label), QString(20, 'W'));

    main().ApplyPlayerChoice("Bo", 0, 0, 1, 1);
    EXPECT_EQ(label->text(), "Bo");
    EXPECT_EQ(label->font().stretch(), QFont::Unstretched);
    EXPECT_TRUE(label->toolTip().isEmpty());
    EXPECT_EQ(nameOf(label), "Bo");
}

} // namespace
