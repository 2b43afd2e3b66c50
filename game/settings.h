#pragma once
// The settings file's values as one plain value: every key with its section, default and the range a read
// value is held to, in one table (game/settings.cpp). The file is read once, at start, and written through
// writeSettings alone.

#include "game/tables.h"

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>

namespace storage {
class SettingsStore;
}

namespace game {

struct Settings
{
    int32_t MaxMistakes = 10; // "Main"/"MaxHiba": 0 or less is no limit, any number is kept
    int32_t ExactLevel = 0; // "Main"/"ExactLevel": 1 draws the chosen level only
    std::optional<bool> KeyboardPlay; // "Main"/"KeyboardPlay": unset follows a screen reader
    int32_t PlayLanguage = Hungarian; // "Last"/"Language"
    int32_t PlayLevel = 1; // "Last"/"Level"
    int32_t PlayCategories = AllCategories; // "Last"/"Categories"
    std::string LastPlayer; // "Last"/"User": the player to restore at start, Windows-1250
    bool AvoidRepeats = true;
};

enum class SettingKey { MaxHiba, ExactLevel, KeyboardPlay, Language, Level, Categories, User };

// Every key, each held to its range; a missing file or key gives the default.
Settings readSettings(const storage::SettingsStore& store);

// Writes `keys` of `settings`, in the order given, each at once; a write error is thrown, and the keys after
// it are not written. An unset KeyboardPlay is left as the file has it.
void writeSettings(storage::SettingsStore& store, const Settings& settings,
                   std::initializer_list<SettingKey> keys);

} // namespace game
