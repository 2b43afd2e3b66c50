#include "game/help_window.h"

#include "game/tables.h"
#include "ui/centre.h"
#include "ui/colours.h"
#include "ui/fonts.h"
#include "ui/own_colours.h"
#include "ui/text.h"

#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

QString rgb(const QColor& colour) { return colour.name(QColor::HexRgb); }

QString scoreTable()
{
    QString rows;
    for (size_t level = 1; level < game::LevelTable.size(); ++level) {
        const game::LevelRow& row = game::LevelTable[level];
        rows += QStringLiteral("<tr><td><b>%1</b></td><td align=right>%2</td><td align=right>%3</td>"
                               "<td align=right>%4</td><td align=right>%5</td></tr>")
                    .arg(ui::toQt(row.LevelName))
                    .arg(row.LetterScore)
                    .arg(row.MissScore)
                    .arg(row.HintScore)
                    .arg(row.PassScore);
    }
    return QStringLiteral("<table border=1 cellspacing=0 cellpadding=4 style='border-color:%1'>"
                          "<tr style='background-color:%2'><th>Fokozat</th><th>Betű (mezőnként)</th>"
                          "<th>Hiba</th><th>Súgó</th><th>Passz</th></tr>%3</table>")
        .arg(rgb(ui::Teal), rgb(ui::PanelColour), rows);
}

} // namespace

QString TfrmHogyan::pageText()
{
    const QString heading = QStringLiteral("<h3 style='color:%1'>").arg(rgb(ui::Blue));
    QString page;
    page += QStringLiteral("<h2 style='color:%1'>Hogyan játsszunk?</h2>").arg(rgb(ui::Red));
    page += heading + QStringLiteral("Kezdés</h3>");
    page += QStringLiteral(
        "<p>Először válasszon játékost: a bal felső gomb („Játékos váltása”) nyitja a játékosok listáját. "
        "Az „Új név” gombbal vehet fel új játékost (a név legfeljebb 20 betű), majd válassza ki a pontozási "
        "módot, a nyelvet és a kategóriákat, és nyomja meg az OK gombot.</p>"
        "<p>A kérdőjeles gomb („Kérek egy új feladatot”) ad egy feladványt. A kategóriája a tábla fölött "
        "látszik, a nyelve (vegyes nyelvnél) az állapotsorban.</p>");
    page += heading + QStringLiteral("A játék</h3>");
    page += QStringLiteral(
        "<p>A feladvány betűi sárga mezőkben rejtőznek; a szóközök és az írásjelek látszanak. Tippelni a "
        "képernyő betűgombjaival lehet. Ha a betű benne van, minden mezője előtűnik, és mindegyik pontot "
        "ér. Ha nincs benne, az hiba: pontot von le, és a piros hibasávot tölti. Ha a hibasáv megtelik, a "
        "menet elveszett; ha minden betű előtűnt, a menet megnyert. A menet pontszáma a játékos "
        "összpontszámához adódik.</p>"
        "<p>Elvesztett vagy feladott menet után a tábla megmutatja a megoldást: a meg nem talált betűk "
        "pirossal jelennek meg.</p>");
    page += heading + QStringLiteral("Pontozás</h3>");
    page += scoreTable();
    page += QStringLiteral("<p>Angol feladványban nincsenek ékezetes betűk, ezért a gombjaik nem "
                           "használhatók.</p>");
    page += heading + QStringLiteral("Segítségek</h3>");
    page += QStringLiteral(
        "<ul><li><b>Súgó</b> (az „i” gomb): megmutatja a feladvány súgósorait, menetenként egyszer, a fenti "
        "„Súgó” pontért.</li>"
        "<li><b>Magánhangzók</b> („AEI”): ingyen felfedi az összes magánhangzót. Csak akkor használható, ha "
        "a beállításokban a könnyebb szintek is engedélyezettek.</li>"
        "<li><b>Szabad a gazda...</b> (a fehér zászló): feladja a menetet a „Passz” pontért, és megmutatja a "
        "megoldást.</li></ul>"
        "<p>A fogaskerekes gomb állítja a hibahatárt (0: nincs hibahatár) és azt, hogy a könnyebb "
        "szintek feladványai is előjöhetnek-e.</p>");
    page += heading + QStringLiteral("A nap feladványa és a statisztika</h3>");
    page += QStringLiteral(
        "<p>A naptáras gomb a nap feladványát adja: minden nap, minden szinten és nyelven egy, ugyanaz "
        "minden "
        "családnál. Naponta egyszer játszható, és ugyanúgy pontoz, mint a többi menet. A játék nem ad olyan "
        "feladványt, amely a játékos utolsó köreiben már volt (ez a beállításokban kikapcsolható).</p>"
        "<p>A grafikonos gomb megmutatja a játékos eredményeit, pontjai alakulását és a család rangsorát a "
        "héten, a hónapban és mindenkorra.</p>");
    page += heading + QStringLiteral("Játék billentyűzettel</h3>");
    page += QStringLiteral(
        "<p>A beállításokban bekapcsolható a „Tippelés a billentyűzetről”. Ekkor menet közben a leütött "
        "betű megnyomja a gombját, az Enter két menet között új feladványt kér, az Esc, az Enter vagy a "
        "szóköz bezárja az eredményablakot, és a gombok billentyűkkel is elérhetők:</p>"
        "<ul><li>Ctrl+N: új feladvány</li><li>Ctrl+H: súgó</li><li>Ctrl+M: magánhangzók</li>"
        "<li>Ctrl+G: szabad a gazda</li><li>Ctrl+D: a nap feladványa</li><li>Ctrl+T: "
        "statisztika</li><li>Ctrl+J: játékos váltása</li>"
        "<li>Ctrl+, (vessző): beállítások</li><li>Ctrl+Q: kilépés</li></ul>"
        "<p>Ez a leírás mindig megnyitható az F1 billentyűvel.</p>");
    page += heading + QStringLiteral("Új feladvány beírása</h3>");
    page += QStringLiteral(
        "<p>A ceruzás gomb a táblát szerkesztővé kapcsolja. Kattintson egy mezőre, és írjon be egy betűt "
        "vagy írásjelet; a jobb gombos kattintás üríti a mezőt, a sorok melletti kis nyilak egy hellyel "
        "elforgatják a sort. A Ctrl+Enter (vagy a zöld pipa) megnyitja az adatlapot (kategória, súgósorok, "
        "nyelv, szint), és elmenti a feladványt; az Esc (vagy a piros kereszt) elveti.</p>");
    return page;
}

TfrmHogyan::TfrmHogyan(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmHogyan"));
    setWindowTitle(QStringLiteral("Hogyan játsszunk?"));
    setFont(ui::defaultFont());
    resize(520, 480);
    setAutoFillBackground(true);
    ui::useOwnColours(this, ui::WindowColour, ui::Black, ui::GreyedText);

    eSzoveg = new QTextBrowser(this);
    eSzoveg->setObjectName(QStringLiteral("eSzoveg"));
    eSzoveg->setAccessibleName(QStringLiteral("Hogyan játsszunk?"));
    QFont text(QStringLiteral("DejaVu Sans"));
    text.setPixelSize(13);
    eSzoveg->setFont(text);
    eSzoveg->setOpenLinks(false);
    eSzoveg->setHtml(pageText());
    // Read from the keyboard: the page takes Tab out of it rather than moving between its links.
    eSzoveg->setTabChangesFocus(true);

    btBezar = new QPushButton(QStringLiteral("Bezárás"), this);
    btBezar->setObjectName(QStringLiteral("btBezar"));
    btBezar->setAutoDefault(false);
    connect(btBezar, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(eSzoveg);
    layout->addWidget(btBezar, 0, Qt::AlignRight);
}

void TfrmHogyan::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ui::centreOnDesktop(*this);
    eSzoveg->setFocus();
}
