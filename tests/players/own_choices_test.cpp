// Each player's own round options and keyboard play: kept when confirmed, shown in the player dialog,
// brought back when the player is chosen or restored, and following the player's record when it is renamed
// or deleted.
#include "game/settings.h"
#include "players_fixture.h"

namespace {

using players_testing::PlayersTest;
using testing_support::choose;
using testing_support::clickMark;

class OwnChoices : public PlayersTest
{
protected:
    storage::SettingsStore settingsFile()
    {
        storage::SettingsStore store;
        store.setPath(folder.file("Brumvelda.ini"));
        return store;
    }
    std::optional<game::PlayerChoices> storedFor(const std::string& name)
    {
        return game::readPlayerChoices(settingsFile(), name, {});
    }
    void storeFor(const std::string& name, const game::PlayerChoices& choices)
    {
        storage::SettingsStore store = settingsFile();
        game::writePlayerChoices(store, name, choices);
    }
    // What the main window plays by now.
    game::PlayerChoices inPlay()
    {
        const game::GameVariables& v = main().variables();
        return {v.PlayLanguage, v.PlayLevel, v.PlayCategories, main().keyboardPlay()};
    }
    static game::PlayerChoices shown(TfrmJatekosok& players)
    {
        return {players.chosenLanguage(), players.chosenLevel(), players.chosenCategories(), std::nullopt};
    }
    void setKeyboardPlay(bool on)
    {
        withDialog<TfrmBeallitas>(main().tbBeallitas, [on](TfrmBeallitas& settings) {
            if (settings.cbBillentyu->isChecked() != on)
                clickMark(settings.cbBillentyu);
            click(settings.btOK);
        });
    }
    void choosePlayer(const QString& name)
    {
        withPlayerDialog([name](TfrmJatekosok& players) {
            clickPlayer(players, name);
            pressOk(players);
        });
    }
};

TEST_F(OwnChoices, SelectingAPlayerShowsTheirChoicesAndOkMakesThemTheGames)
{
    folder.writePlayers({{"Anna", 0, 0}, {"Bea", 0, 0}});
    folder.writeSettings("[Last]\nLanguage=1\nLevel=1\nCategories=65535\nUser=Bea\n");
    storeFor("Anna", {2, 3, 5, true});
    startProgram();
    EXPECT_EQ(inPlay(), (game::PlayerChoices {1, 1, 65535, false})) << "Bea has none: the last ones";

    withPlayerDialog([](TfrmJatekosok& players) {
        EXPECT_EQ(shown(players), (game::PlayerChoices {1, 1, 65535, std::nullopt}));
        clickPlayer(players, "Anna");
        EXPECT_EQ(shown(players), (game::PlayerChoices {2, 3, 5, std::nullopt}));
        EXPECT_EQ(players.cgKatAlap->itemIndex(), 1);
        EXPECT_TRUE(players.cgKat->isEnabled());
        pressOk(players);
    });
    EXPECT_EQ(inPlay(), (game::PlayerChoices {2, 3, 5, true}));
    EXPECT_EQ(main().lFokozat->text(), QStringLiteral("Fokozat: KÖZEPES"));

    // Bea has no choices of her own: the dialog keeps showing what it showed, and OK makes that hers.
    withPlayerDialog([](TfrmJatekosok& players) {
        clickPlayer(players, "Bea");
        EXPECT_EQ(shown(players), (game::PlayerChoices {2, 3, 5, std::nullopt}));
        choose(players.rgFokozat, 1);
        pressOk(players);
    });
    EXPECT_EQ(inPlay(), (game::PlayerChoices {2, 2, 5, false})) << "no keyboard play of her own";
    EXPECT_EQ(storedFor("Bea"), (game::PlayerChoices {2, 2, 5, std::nullopt}));
    EXPECT_EQ(storedFor("Anna"), (game::PlayerChoices {2, 3, 5, true})) << "untouched by Bea's OK";

    // Cancel keeps the game's choices even after the selection showed another player's.
    withPlayerDialog([](TfrmJatekosok& players) {
        clickPlayer(players, "Anna");
        pressCancel(players);
    });
    EXPECT_EQ(inPlay(), (game::PlayerChoices {2, 2, 5, false}));
    exitProgram();
    EXPECT_TRUE(settingsText().contains("[Last]\nLanguage=2\nLevel=2\nCategories=5\nUser=Bea\n"))
        << settingsText().toStdString();
}

TEST_F(OwnChoices, TheRestoredPlayerStartsWithTheirOwnChoices)
{
    folder.writePlayers({{"Anna", 0, 0}, {"Bea", 0, 0}});
    folder.writeSettings(
        "[Main]\nKeyboardPlay=0\n[Last]\nLanguage=1\nLevel=1\nCategories=65535\nUser=Anna\n");
    storeFor("Anna", {3, 4, 6, true});
    startProgram();
    EXPECT_EQ(inPlay(), (game::PlayerChoices {3, 4, 6, true}));
    EXPECT_EQ(statusPanel(3), "VEGYES");
    withPlayerDialog([](TfrmJatekosok& players) {
        EXPECT_EQ(shown(players), (game::PlayerChoices {3, 4, 6, std::nullopt}));
        pressCancel(players);
    });
    // The others play by the shared keyboard play the file holds.
    choosePlayer("Bea");
    EXPECT_FALSE(main().keyboardPlay());
}

TEST_F(OwnChoices, KeyboardPlayChosenInTheSettingsIsTheCurrentPlayers)
{
    folder.writePlayers({{"Anna", 0, 0}, {"Bea", 0, 0}});
    startAs("Anna");
    setKeyboardPlay(true);
    EXPECT_EQ(storedFor("Anna")->KeyboardPlay, true);
    choosePlayer("Bea");
    EXPECT_TRUE(main().keyboardPlay()) << "Bea has none: the shared setting, last set by Anna";
    setKeyboardPlay(false);
    EXPECT_EQ(storedFor("Bea")->KeyboardPlay, false);
    choosePlayer("Anna");
    EXPECT_TRUE(main().keyboardPlay());
    choosePlayer("Bea");
    EXPECT_FALSE(main().keyboardPlay());
}

TEST_F(OwnChoices, NobodysChoiceFollowsTheScreenReader)
{
    screenReaderAtStart = true;
    folder.writePlayers({{"Anna", 0, 0}, {"Bea", 0, 0}});
    folder.writeSettings("[Last]\nUser=Anna\n");
    storeFor("Anna", {1, 1, 65535, false});
    startProgram();
    EXPECT_FALSE(main().keyboardPlay()) << "Anna turned it off for herself";
    choosePlayer("Bea");
    EXPECT_TRUE(main().keyboardPlay());
}

TEST_F(OwnChoices, RenamedPlayersKeepTheirChoicesAndDeletedOnesLoseThem)
{
    folder.writePlayers({{"Anna", 0, 0}, {"Bea", 0, 0}, {"Bea", 5, 1}, {"Dora", 0, 0}});
    folder.writeSettings("[Last]\nUser=Dora\n");
    const game::PlayerChoices anna {2, 4, 3, true};
    const game::PlayerChoices bea {1, 2, 9, std::nullopt};
    storeFor("Anna", anna);
    storeFor("Bea", bea);
    // Their rounds follow the records the same way.
    auto roundOf = [](const char* name) {
        players::RoundRecord round;
        round.name = name;
        round.text = "ALMA";
        return round;
    };
    folder.writeHistory({roundOf("Anna"), roundOf("Bea"), roundOf("Dora"), roundOf("Anna")});
    auto namesInHistory = [this] {
        std::vector<std::string> names;
        for (const players::RoundRecord& round : folder.readHistory())
            names.push_back(round.name);
        return names;
    };
    startProgram();
    withPlayerDialog([this](TfrmJatekosok& players) {
        clickPlayer(players, "Anna");
        expectNameEntry(QStringLiteral("Anna ]=;"));
        click(players.sbMod);
        // One of two namesakes renamed: the one left keeps the section, the renamed one takes a copy.
        clickPlayer(players, "Bea");
        expectNameEntry(QStringLiteral("Cili"));
        click(players.sbMod);
        pressCancel(players);
    });
    EXPECT_FALSE(storedFor("Anna"));
    EXPECT_EQ(storedFor("Anna ]=;"), anna);
    EXPECT_EQ(storedFor("Bea"), bea);
    EXPECT_EQ(storedFor("Cili"), bea);
    // The renamed Bea's rounds cannot be told from her namesake's: they stay with the name still played.
    EXPECT_EQ(namesInHistory(), (std::vector<std::string> {"Anna ]=;", "Bea", "Dora", "Anna ]=;"}));

    withPlayerDialog([this](TfrmJatekosok& players) {
        clickPlayer(players, "Anna ]=;");
        modals.expectMessage(QMessageBox::Yes);
        click(players.sbDel);
        clickPlayer(players, "Bea");
        modals.expectMessage(QMessageBox::Yes);
        click(players.sbDel);
        pressCancel(players);
    });
    EXPECT_FALSE(storedFor("Anna ]=;"));
    EXPECT_FALSE(storedFor("Bea"));
    EXPECT_EQ(storedFor("Cili"), bea);
    EXPECT_EQ(namesInHistory(), std::vector<std::string> {"Dora"});
}

} // namespace
