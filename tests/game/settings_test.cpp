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

} // namespace
