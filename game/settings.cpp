#include "game/settings.h"

#include "storage/ascii_case.h"
#include "storage/settings_store.h"

#include <algorithm>
#include <array>

namespace game {

namespace {

// A stored number outside [low, high] is read as `otherwise`. The keys a player also keeps for themselves
// name their place in PlayerChoices; the player's section uses the same key name and range.
struct IntKey
{
    SettingKey key;
    const char* section;
    const char* name;
    int32_t Settings::*value;
    int32_t defaultValue;
    int32_t low;
    int32_t high;
    int32_t otherwise;
    int32_t PlayerChoices::*own = nullptr;
};

constexpr std::array<IntKey, 5> IntKeys = {{
    {SettingKey::MaxHiba, "Main", "MaxHiba", &Settings::MaxMistakes, 10, INT32_MIN, INT32_MAX, 10},
    {SettingKey::ExactLevel, "Main", "ExactLevel", &Settings::ExactLevel, 0, 0, 1, 0},
    {SettingKey::Language, "Last", "Language", &Settings::PlayLanguage, Hungarian, Hungarian, MixedLanguages,
     Hungarian, &PlayerChoices::PlayLanguage},
    {SettingKey::Level, "Last", "Level", &Settings::PlayLevel, 1, 1, 4, 1, &PlayerChoices::PlayLevel},
    {SettingKey::Categories, "Last", "Categories", &Settings::PlayCategories, AllCategories, 1, AllCategories,
     AllCategories, &PlayerChoices::PlayCategories},
}};

// Switches stored as 1 or 0; anything else reads as the default.
struct BoolKey
{
    SettingKey key;
    const char* section;
    const char* name;
    bool Settings::*value;
    bool defaultValue;
};

constexpr std::array<BoolKey, 1> BoolKeys = {{
    {SettingKey::NoRepeat, "Main", "NoRepeat", &Settings::AvoidRepeats, true},
}};

constexpr const char* KeyboardPlaySection = "Main";
constexpr const char* KeyboardPlayName = "KeyboardPlay";
constexpr const char* UserSection = "Last";
constexpr const char* UserName = "User";
constexpr const char* PlayerSectionPrefix = "Jatekos.";

template <typename Entry, std::size_t N>
const Entry* find(const std::array<Entry, N>& table, SettingKey key)
{
    for (const Entry& entry : table) {
        if (entry.key == key)
            return &entry;
    }
    return nullptr;
}

// 0 or 1 as a switch; anything else is no choice.
std::optional<bool> switchValue(int32_t stored)
{
    if (stored == 0 || stored == 1)
        return stored == 1;
    return std::nullopt;
}

const std::string* valueOf(const storage::SettingsStore::SectionKeys& keys, std::string_view name)
{
    const auto found = std::find_if(keys.begin(), keys.end(), [name](const auto& entry) {
        return storage::sameIgnoringAsciiCase(entry.first, name);
    });
    return found == keys.end() ? nullptr : &found->second;
}

} // namespace

Settings readSettings(const storage::SettingsStore& store)
{
    Settings settings;
    for (const IntKey& entry : IntKeys) {
        const int32_t stored = store.ReadSettingInt(entry.section, entry.name, entry.defaultValue);
        settings.*entry.value = stored >= entry.low && stored <= entry.high ? stored : entry.otherwise;
    }
    for (const BoolKey& entry : BoolKeys)
        settings.*entry.value
            = switchValue(store.ReadSettingInt(entry.section, entry.name, -1)).value_or(entry.defaultValue);
    settings.KeyboardPlay = switchValue(store.ReadSettingInt(KeyboardPlaySection, KeyboardPlayName, -1));
    settings.LastPlayer = store.ReadSettingStr(UserSection, UserName, "");
    return settings;
}

void writeSettings(storage::SettingsStore& store, const Settings& settings,
                   std::initializer_list<SettingKey> keys)
{
    for (const SettingKey key : keys) {
        if (const IntKey* entry = find(IntKeys, key))
            store.WriteSettingInt(entry->section, entry->name, settings.*entry->value);
        else if (const BoolKey* entry = find(BoolKeys, key))
            store.WriteSettingInt(entry->section, entry->name, settings.*entry->value ? 1 : 0);
        else if (key == SettingKey::User)
            store.WriteSettingStr(UserSection, UserName, settings.LastPlayer);
        else if (key == SettingKey::KeyboardPlay && settings.KeyboardPlay)
            store.WriteSettingInt(KeyboardPlaySection, KeyboardPlayName, *settings.KeyboardPlay ? 1 : 0);
    }
}

std::string playerSection(std::string_view name)
{
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string section = PlayerSectionPrefix;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        section += Digits[byte >> 4];
        section += Digits[byte & 15];
    }
    return section;
}

std::optional<PlayerChoices> readPlayerChoices(const storage::SettingsStore& store, std::string_view name,
                                               const PlayerChoices& shared)
{
    const storage::SettingsStore::SectionKeys keys = store.ReadSection(playerSection(name));
    if (keys.empty())
        return std::nullopt;
    PlayerChoices choices = shared;
    for (const IntKey& entry : IntKeys) {
        int32_t stored = 0;
        const std::string* text = entry.own ? valueOf(keys, entry.name) : nullptr;
        if (text && storage::parseSettingInt(*text, stored))
            choices.*entry.own = stored >= entry.low && stored <= entry.high ? stored : entry.otherwise;
    }
    int32_t keyboardPlay = -1;
    if (const std::string* text = valueOf(keys, KeyboardPlayName);
        text && storage::parseSettingInt(*text, keyboardPlay))
        if (const std::optional<bool> own = switchValue(keyboardPlay))
            choices.KeyboardPlay = own;
    return choices;
}

void writePlayerChoices(storage::SettingsStore& store, std::string_view name, const PlayerChoices& choices)
{
    storage::SettingsStore::SectionKeys keys;
    for (const IntKey& entry : IntKeys) {
        if (entry.own)
            keys.emplace_back(entry.name, std::to_string(choices.*entry.own));
    }
    if (choices.KeyboardPlay)
        keys.emplace_back(KeyboardPlayName, *choices.KeyboardPlay ? "1" : "0");
    store.ReplaceSection(playerSection(name), keys);
}

void renamePlayerChoices(storage::SettingsStore& store, std::string_view oldName, std::string_view newName,
                         bool keepOld)
{
    if (oldName == newName)
        return;
    const storage::SettingsStore::SectionKeys keys = store.ReadSection(playerSection(oldName));
    if (keys.empty())
        return;
    // The new section is written first: a failure in between leaves the choices under both names, never
    // under none.
    store.ReplaceSection(playerSection(newName), keys);
    if (!keepOld)
        store.ReplaceSection(playerSection(oldName), {});
}

void removePlayerChoices(storage::SettingsStore& store, std::string_view name)
{
    store.ReplaceSection(playerSection(name), {});
}

} // namespace game
