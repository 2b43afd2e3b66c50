#include "tools/help_text.h"

namespace tabla {

const std::string_view HelpText =
    R"(Használat: brumvelda-tabla PARANCS FÁJL
          brumvelda-tabla --help

A Brumvelda három táblafájlját nézi meg, ellenőrzi és tölti fel a játék nélkül.
A tábla fajtáját a fájlnév kiterjesztése adja meg:
  .lis  feladványlista (Brumvelda.lis)
  .jat  játékosnyilvántartás (Brumvelda.jat)
  .tor  a körök naplója (Brumvelda.tor)

Parancsok:
  check FÁJL   Betölti a fájlt úgy, ahogy a játék, és kiírja a rekordok számát.
  dump FÁJL    Kiírja a rekordokat tabulátorral tagolt UTF-8 szövegként, elöl az
               oszlopnevek sorával. A feladványlista és a napló a fájlbeli
               sorrendben, a játékosok név szerint rendezve jelennek meg. Az Atlag
               a többi oszlopból számolt érték.
  import FÁJL  A szabványos bemenetről olvas ugyanilyen szöveget, és a rekordokat a
               fájl végéhez fűzi (ha a fájl nincs meg, létrehozza). Kiírja a
               hozzáadott rekordok számát. Vagy minden sor bekerül, vagy egy sem:
               hiba esetén a fájl változatlan marad.
  shuffle [--seed N] FÁJL
               Összekeveri a feladványlista rekordjait, és minden nyelv, szint és
               kategória feladványait egyenletesen elosztja a listában. A játék egy
               véletlen rekordtól indulva az első megfelelőt húzza ki, ezért egy
               egy tömbben álló kategóriából szinte mindig ugyanazt a feladványt
               adná; keverés után minden feladvány nagyjából egyforma eséllyel
               jön. Importálás után érdemes futtatni. Ugyanaz a mag (N) ugyanazt a
               sorrendet adja. Vagy az egész lista új sorrendben kerül a fájlba,
               vagy semmi sem változik. Kiírja a rekordok számát.

Oszlopok:
  feladványlista:        Szoveg Nyelv Sugo1 Sugo2 Fokozat Kategoria
  játékosnyilvántartás:  Nev OsszPont Jatszott Atlag
  a körök naplója:       Nev Idopont Szoveg Nyelv Fokozat Kategoria Kimenet Pont
                         Hibak Sugo Napi
Az első sor az oszlopneveket sorolja fel, tetszőleges sorrendben. A Sugo1, Sugo2,
OsszPont, Jatszott, Pont, Hibak, Sugo és Napi oszlop elhagyható (üres szöveg,
illetve 0 lesz); az Atlag oszlopot az import figyelmen kívül hagyja.

A mezők írásmódja:
  \N           üres (null) érték
  \\ \t \n \r  fordított perjel, tabulátor, soremelés, kocsivissza a szövegben
A dump így írja ki a szövegben álló vezérlőkaraktereket, de az import nem fogad
el vezérlőkaraktert (\t, \n, \r, nulla bájt és a többi) szövegben: a hiba
sorát és oszlopát megnevezi. Az elején álló UTF-8 bájtsorrend-jelet kihagyja.

Szabályok a feladványokra:
  Nyelv 1-2 (1 magyar, 2 angol), Fokozat 1-4 (Gyerek, Kezdő, Közepes, Haladó),
  Kategoria 1-16. A súgók elejéről és végéről a szóközök lemaradnak, utána
  legfeljebb 100 karakteresek lehetnek.
  Szoveg: a pontosan 39 karakteres szöveg cellánként kerül a táblára (három
  13 karakteres sor egymás után). Minden más szöveg mondat: szavait a program
  szótörés nélkül legfeljebb három, 13 karakteres sorba tördeli, minden sort
  középre igazít (páratlan maradéknál a több szóköz jobbra kerül); egy sor a
  középső sorba, két sor az első kettőbe kerül. A kisbetűk nagybetűvé válnak.
  Csak betű, szóköz és a . , ! ? : ; - + * / jelek állhatnak benne; a táblán el
  nem férő mondat és a betű nélküli feladvány hiba.
Szabályok a játékosokra:
  Nev kötelező, legfeljebb 20 karakter; OsszPont és Jatszott egész szám.
Szabályok a naplóra (egy sor egy véget ért kör, abban a sorrendben, ahogy véget értek):
  Nev a játékos neve, mint fent. Idopont a kör végének helyi ideje ÉÉÉÉ-HH-NN ÓÓ:PP
  alakban (például 2024-03-15 18:05), időzóna nélkül. Szoveg a feladvány, Nyelv,
  Fokozat és Kategoria a feladványéi, a feladványlista szabályai szerint.
  Kimenet: 1 nyert, 2 vesztett, 3 feladta, 4 félbemaradt (játékosváltás vagy
  kilépés). Pont a kör pontszáma (egész szám), Hibak a hibák száma (nem negatív),
  Sugo 1, ha a súgót megvette, Napi 1, ha a nap feladványa volt (különben 0).

Amíg a játék fut és használja a fájlt (a saját mappájában vagy hivatkozáson át),
az import és a shuffle nem ír (a játék kilépéskor felülírná); a check és a dump
ekkor is működik. Az import előbb a teljes bemenetet olvassa be, csak utána
zárolja a mappát.

Kilépési kód: 0 siker, 1 hiba (a fájl vagy a bemenet hibás, a játék fut, a
kimenet nem írható), 2 hibás parancssor.
Hibaüzenetek:
  brumvelda-tabla: FÁJL: ÜZENET         a fájl nem tölthető be vagy nem írható
  brumvelda-tabla: <stdin>:SOR: ÜZENET  az import bemenetének hibás sora
  brumvelda-tabla: <stdin>:SOR:OSZLOP: ÜZENET
                                        hibás karakter a sor adott oszlopában

Példák:
  brumvelda-tabla check Brumvelda.lis
  brumvelda-tabla dump Brumvelda.jat > jatekosok.tsv
  brumvelda-tabla shuffle Brumvelda.lis
  printf 'Szoveg\tNyelv\tFokozat\tKategoria\nszeles ut\t1\t2\t3\n' |
      brumvelda-tabla import Brumvelda.lis
)";

} // namespace tabla
