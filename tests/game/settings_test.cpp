// The settings value: each key read within its range once, written in the order asked.
#include "game/settings.h"
#include "storage/settings_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

class SettingsFile : public ::testing::Test
{
protected:
    SettingsFile()
    {
        std::filesystem::create_directories(m_folder);
        store.setPath((m_folder / "Brumvelda.ini").string());
    }
    ~SettingsFile() override { std::filesystem::remove_all(m_folder); }
    void write(const std::string& text) { std::ofstream(store.path(), std::ios::binary) << text; }
    std::string text() const
    {
        std::ifstream in(store.path(), std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        return all.str();
    }

    std::filesystem::path m_folder
        = std::filesystem::temp_directory_path() / ("settings-test-" + std::to_string(::getpid()));
    storage::SettingsStore store;
};

TEST_F(SettingsFile, EachKeyIsHeldToItsRange)
{
    struct Case
    {
        const char* file;
        game::Settings expected;
    };
    const Case cases[] = {
        {"", {}},
        {"[Main]\nMaxHiba=-3\nExactLevel=1\nKeyboardPlay=0\n[Last]\nLanguage=3\nLevel=4\nCategories=1\nUser="
         "Anna\n",
         {-3, 1, false, 3, 4, 1, "Anna"}},
        {"[Main]\nMaxHiba=0\nExactLevel=2\nKeyboardPlay=2\n[Last]\nLanguage=0\nLevel=7\nCategories=70000\n",
         {0, 0, std::nullopt, 1, 1, 65535, ""}},
        {"[Main]\nExactLevel=-1\nKeyboardPlay=1\n[Last]\nLanguage=4\nLevel=0\nCategories=0\n",
         {10, 0, true, 1, 1, 65535, ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        write(c.file);
        const game::Settings read = game::readSettings(store);
        EXPECT_EQ(read.MaxMistakes, c.expected.MaxMistakes);
        EXPECT_EQ(read.ExactLevel, c.expected.ExactLevel);
        EXPECT_EQ(read.KeyboardPlay, c.expected.KeyboardPlay);
        EXPECT_EQ(read.PlayLanguage, c.expected.PlayLanguage);
        EXPECT_EQ(read.PlayLevel, c.expected.PlayLevel);
        EXPECT_EQ(read.PlayCategories, c.expected.PlayCategories);
        EXPECT_EQ(read.LastPlayer, c.expected.LastPlayer);
    }
}

TEST_F(SettingsFile, OnlyTheKeysAskedForAreWrittenInTheirOrder)
{
    using game::SettingKey;
    game::Settings settings {7, 1, std::nullopt, 2, 3, 12, "Bea"};
    game::writeSettings(store, settings,
                        {SettingKey::Language, SettingKey::Level, SettingKey::Categories, SettingKey::User});
    EXPECT_EQ(text(), "[Last]\nLanguage=2\nLevel=3\nCategories=12\nUser=Bea\n");
    // An unset keyboard play leaves the file as it is; a chosen one is written.
    game::writeSettings(store, settings,
                        {SettingKey::MaxHiba, SettingKey::ExactLevel, SettingKey::KeyboardPlay});
    settings.KeyboardPlay = true;
    game::writeSettings(store, settings, {SettingKey::KeyboardPlay});
    EXPECT_EQ(text(),
              "[Last]\nLanguage=2\nLevel=3\nCategories=12\nUser=Bea\n\n[Main]\nMaxHiba=7\nExactLevel="
              "1\nKeyboardPlay=1\n");
}

TEST_F(SettingsFile, NoRepeatIsOnUnlessTurnedOff)
{
    using game::SettingKey;
    for (const auto& [file, expected] :
         std::initializer_list<std::pair<const char*, bool>> {{"", true},
                                                              {"[Main]\nNoRepeat=0\n", false},
                                                              {"[Main]\nNoRepeat=1\n", true},
                                                              {"[Main]\nNoRepeat=2\n", true},
                                                              {"[Main]\nNoRepeat=x\n", true}}) {
        write(file);
        EXPECT_EQ(game::readSettings(store).AvoidRepeats, expected) << file;
    }
    game::Settings settings;
    settings.AvoidRepeats = false;
    game::writeSettings(store, settings, {SettingKey::NoRepeat});
    EXPECT_EQ(text(), "[Main]\nNoRepeat=0\n");
    EXPECT_FALSE(game::readSettings(store).AvoidRepeats);
}

// Every byte a name may hold, as the register's longest names may hold them.
std::string everyByte()
{
    std::string name;
    for (int i = 0; i < 255; ++i)
        name += char(1 + i % 255);
    return name;
}

TEST_F(SettingsFile, AnyNameKeepsItsOwnChoicesBesideTheSharedOnes)
{
    const std::string shared = "[Main]\nMaxHiba=4\n[Last]\nLanguage=2\nLevel=3\nCategories=5\nUser=Anna\n";
    write(shared);
    const std::string names[] = {"Anna",
                                 "Anna ",
                                 "a]b",
                                 "x=y",
                                 ";c",
                                 "[d]",
                                 " e ",
                                 "#f",
                                 "\"g\"",
                                 "h\\",
                                 "anna",
                                 "\xC1rp\xE1"
                                 "d \xD5",
                                 "Kov\xE1"
                                 "cs",
                                 everyByte()};
    int32_t level = 1;
    for (const std::string& name : names) {
        const game::PlayerChoices choices {1 + level % 3, 1 + level % 4, level, level % 2 == 0};
        game::writePlayerChoices(store, name, choices);
        ++level;
    }
    level = 1;
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const std::string section = game::playerSection(name);
        EXPECT_EQ(section.find_first_not_of("0123456789ABCDEF", 8), std::string::npos) << section;
        const game::PlayerChoices expected {1 + level % 3, 1 + level % 4, level, level % 2 == 0};
        EXPECT_EQ(game::readPlayerChoices(store, name, {}), expected);
        ++level;
    }
    // The shared keys read as before, and the file starts with them untouched.
    const game::Settings read = game::readSettings(store);
    EXPECT_EQ(read.MaxMistakes, 4);
    EXPECT_EQ(read.PlayLanguage, 2);
    EXPECT_EQ(read.PlayLevel, 3);
    EXPECT_EQ(read.PlayCategories, 5);
    EXPECT_EQ(read.LastPlayer, "Anna");
    EXPECT_EQ(text().substr(0, shared.size()), shared);
    EXPECT_FALSE(game::readPlayerChoices(store, "Bea", {}));
}

TEST_F(SettingsFile, APlayersChoicesAreHeldToTheirRanges)
{
    const game::PlayerChoices shared {2, 3, 12, true};
    const std::string section = "[" + game::playerSection("Anna") + "]\n";
    struct Case
    {
        const char* keys;
        game::PlayerChoices expected;
    };
    const Case cases[] = {
        {"Language=3\nLevel=4\nCategories=1\nKeyboardPlay=0\n", {3, 4, 1, false}},
        {"Level=2\n", {2, 2, 12, true}}, // what is missing is the shared choice
        {"Language=4\nLevel=0\nCategories=70000\nKeyboardPlay=2\n", {1, 1, 65535, true}},
        {"Language=x\nCategories=0\n", {2, 3, 65535, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        write(section + c.keys);
        EXPECT_EQ(game::readPlayerChoices(store, "Anna", shared), c.expected);
    }
}

TEST_F(SettingsFile, RenamedPlayersTakeTheirChoicesAndDeletedOnesLoseThem)
{
    const game::PlayerChoices anna {2, 4, 7, std::nullopt};
    game::writePlayerChoices(store, "Anna", anna);
    game::writeSettings(store, game::Settings {}, {game::SettingKey::Level});

    game::renamePlayerChoices(store, "Anna", "Anna]B", false);
    EXPECT_FALSE(game::readPlayerChoices(store, "Anna", {}));
    EXPECT_EQ(game::readPlayerChoices(store, "Anna]B", {}), anna);
    EXPECT_EQ(text().find("KeyboardPlay"), std::string::npos) << "an unset keyboard play is left out";

    // A namesake who stays behind keeps the old section.
    game::renamePlayerChoices(store, "Anna]B", "Cili", true);
    EXPECT_EQ(game::readPlayerChoices(store, "Anna]B", {}), anna);
    EXPECT_EQ(game::readPlayerChoices(store, "Cili", {}), anna);

    // A player without a section takes nobody's along.
    const std::string before = text();
    game::renamePlayerChoices(store, "Dora", "Cili", false);
    EXPECT_EQ(text(), before);

    game::removePlayerChoices(store, "Cili");
    EXPECT_FALSE(game::readPlayerChoices(store, "Cili", {}));
    EXPECT_EQ(game::readPlayerChoices(store, "Anna]B", {}), anna);
    EXPECT_EQ(game::readSettings(store).PlayLevel, 1);
}

} // namespace
