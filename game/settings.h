#pragma once
// The settings file's values as one plain value: every key with its section, default and the range a read
// value is held to, in one table (game/settings.cpp). The file is read once, at start, and written through
// writeSettings alone.

#include "game/tables.h"

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

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
    bool AvoidRepeats = true; // "Main"/"NoRepeat": the draw passes over puzzles of the last rounds
};

enum class SettingKey { MaxHiba, ExactLevel, KeyboardPlay, Language, Level, Categories, User, NoRepeat };

// Every key, each held to its range; a missing file or key gives the default.
Settings readSettings(const storage::SettingsStore& store);

// Writes `keys` of `settings`, in the order given, each at once; a write error is thrown, and the keys after
// it are not written. An unset KeyboardPlay is left as the file has it.
void writeSettings(storage::SettingsStore& store, const Settings& settings,
                   std::initializer_list<SettingKey> keys);

// What one player chose for themselves, kept in a section of the settings file named after the player, with
// the "Last" and "Main" keys' names and ranges. A player without one plays by the shared choices.
struct PlayerChoices
{
    int32_t PlayLanguage = Hungarian;
    int32_t PlayLevel = 1;
    int32_t PlayCategories = AllCategories;
    std::optional<bool> KeyboardPlay; // unset: the shared setting, or a screen reader
    bool operator==(const PlayerChoices&) const = default;
};

// "Jatekos." and the name's bytes in hexadecimal: any byte of a name, ']' '=' ';' and blanks included, is
// safe in a section name then.
std::string playerSection(std::string_view name);

// The player's own choices, each key held to its range, a missing one taken from `shared`; nothing when the
// player has no section.
std::optional<PlayerChoices> readPlayerChoices(const storage::SettingsStore& store, std::string_view name,
                                               const PlayerChoices& shared);
// The player's whole section in one write; an unset KeyboardPlay is left out.
void writePlayerChoices(storage::SettingsStore& store, std::string_view name, const PlayerChoices& choices);
// A renamed player keeps their section under the new name; the old one goes unless `keepOld` (another
// player still has that name). Nothing is written for a player without a section.
void renamePlayerChoices(storage::SettingsStore& store, std::string_view oldName, std::string_view newName,
                         bool keepOld);
void removePlayerChoices(storage::SettingsStore& store, std::string_view name);

} // namespace game
