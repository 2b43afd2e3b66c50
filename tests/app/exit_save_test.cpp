// Leaving the program: by the exit button or the close box, the session is saved once.
#include "players/jatekosok_dialog.h"
#include "support/window_fixture.h"
#include "ui/check_group.h"

#include <QCloseEvent>
#include <QPushButton>

using testing_support::PuzzleRow;
using testing_support::WindowTest;

namespace {

class ExitSave : public WindowTest
{
protected:
    void prepare()
    {
        folder.writeSettings("[Main]\nMaxHiba=6\nExactLevel=1\n[Last]\nLanguage=2\nLevel=3\nCategories=12\n");
        folder.writePuzzles({{"ALMA", 1, "", "", 1, 1}, {"HOUSE", 2, "h", "", 3, 2}});
        folder.writePlayers({{"Anna", 0, 0}});
    }
    // The session as it is left: a player chosen with other options during the run.
    void play()
    {
        withDialog<TfrmJatekosok>(main().tbJatekos, [this](TfrmJatekosok& players) {
            testing_support::choose(players.rgNyelv, 2);
            testing_support::choose(players.rgFokozat, 1);
            testing_support::choose(players.cgKatAlap, 1);
            players.cgKat->setValue(7);
            click(players.btOK);
        });
    }
};

// The options confirmed for Anna are hers too, in her own section ("Anna" in hexadecimal).
const char* const ExpectedSettings
    = "[Main]\nMaxHiba=6\nExactLevel=1\n[Last]\nLanguage=3\nLevel=2\nCategories=7\nUser=Anna\n"
      "\n[Jatekos.416E6E61]\nLanguage=3\nLevel=2\nCategories=7\n";

TEST_F(ExitSave, ExitButtonWritesTheLastChoicesAndThePuzzleList)
{
    prepare();
    startProgram();
    play();
    click(main().tbExit);
    EXPECT_TRUE(main().sessionSaved());
    EXPECT_FALSE(main().isVisible());
    EXPECT_FALSE(main().dbLista.isOpen());
    EXPECT_EQ(folder.readFile("Brumvelda.ini"), ExpectedSettings);
    const auto puzzles = folder.readPuzzles();
    ASSERT_EQ(puzzles.size(), 2u);
    EXPECT_EQ(puzzles[1].Szoveg, "HOUSE");
    EXPECT_FALSE(folder.exists("Brumvelda.lis.$$$"));
}

TEST_F(ExitSave, CloseBoxWritesTheSameAsTheExitButton)
{
    prepare();
    startProgram();
    play();
    EXPECT_TRUE(main().close());
    EXPECT_TRUE(main().sessionSaved());
    EXPECT_EQ(folder.readFile("Brumvelda.ini"), ExpectedSettings);
    EXPECT_EQ(folder.readPuzzles().size(), 2u);
}

TEST_F(ExitSave, SessionIsSavedOnlyOnce)
{
    prepare();
    startProgram();
    click(main().tbExit);
    // Anything after the save must not write again: neither a later close event nor a second call.
    std::filesystem::remove(folder.file("Brumvelda.ini"));
    QCloseEvent event;
    QCoreApplication::sendEvent(&main(), &event);
    main().SaveSession();
    EXPECT_FALSE(folder.exists("Brumvelda.ini"));
}

TEST_F(ExitSave, UserIsWrittenEvenWhenNoPlayerIsCurrent)
{
    startProgram();
    takeOverName("");
    click(main().tbExit);
    EXPECT_EQ(folder.readFile("Brumvelda.ini"), "[Last]\nLanguage=1\nLevel=1\nCategories=65535\nUser=\n");
    // No list was there at the start: an empty one is not written, so that the next start copies the shipped
    // list again instead of finding an empty one for ever.
    EXPECT_FALSE(folder.exists("Brumvelda.lis"));
}

TEST_F(ExitSave, UnwritableSettingsAreReportedAndThePuzzleListIsStillSaved)
{
    prepare();
    startProgram();
    main().dbLista.append();
    main().dbLista.setString(storage::puzzle::Szoveg, "UJ");
    main().dbLista.setInt(storage::puzzle::Nyelv, 1);
    main().dbLista.setInt(storage::puzzle::Fokozat, 1);
    main().dbLista.setInt(storage::puzzle::Kategoria, 1);
    main().dbLista.post();
    // The settings file cannot be replaced: a folder stands where it should be.
    std::filesystem::remove(folder.file("Brumvelda.ini"));
    std::filesystem::create_directory(folder.file("Brumvelda.ini"));
    modals.expectMessageTitled("Brumvelda");
    click(main().tbExit);
    EXPECT_EQ(folder.readPuzzles().size(), 3u);
}

} // namespace
