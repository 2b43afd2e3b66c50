#include "game/settings.h"

#include "storage/settings_store.h"

#include <array>

namespace game {

namespace {

// A stored number outside [low, high] is read as `otherwise`.
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
};

constexpr std::array<IntKey, 5> IntKeys = {{
    {SettingKey::MaxHiba, "Main", "MaxHiba", &Settings::MaxMistakes, 10, INT32_MIN, INT32_MAX, 10},
    {SettingKey::ExactLevel, "Main", "ExactLevel", &Settings::ExactLevel, 0, 0, 1, 0},
    {SettingKey::Language, "Last", "Language", &Settings::PlayLanguage, Hungarian, Hungarian, MixedLanguages,
     Hungarian},
    {SettingKey::Level, "Last", "Level", &Settings::PlayLevel, 1, 1, 4, 1},
    {SettingKey::Categories, "Last", "Categories", &Settings::PlayCategories, AllCategories, 1, AllCategories,
     AllCategories},
}};

constexpr const char* KeyboardPlaySection = "Main";
constexpr const char* KeyboardPlayName = "KeyboardPlay";
constexpr const char* UserSection = "Last";
constexpr const char* UserName = "User";

const IntKey* intKey(SettingKey key)
{
    for (const IntKey& entry : IntKeys) {
        if (entry.key == key)
            return &entry;
    }
    return nullptr;
}

} // namespace

Settings readSettings(const storage::SettingsStore& store)
{
    Settings settings;
    for (const IntKey& entry : IntKeys) {
        const int32_t stored = store.ReadSettingInt(entry.section, entry.name, entry.defaultValue);
        settings.*entry.value = stored >= entry.low && stored <= entry.high ? stored : entry.otherwise;
    }
    const int32_t keyboardPlay = store.ReadSettingInt(KeyboardPlaySection, KeyboardPlayName, -1);
    if (keyboardPlay == 0 || keyboardPlay == 1)
        settings.KeyboardPlay = keyboardPlay == 1;
    settings.LastPlayer = store.ReadSettingStr(UserSection, UserName, "");
    return settings;
}

void writeSettings(storage::SettingsStore& store, const Settings& settings,
                   std::initializer_list<SettingKey> keys)
{
    for (const SettingKey key : keys) {
        if (const IntKey* entry = intKey(key))
            store.WriteSettingInt(entry->section, entry->name, settings.*entry->value);
        else if (key == SettingKey::User)
            store.WriteSettingStr(UserSection, UserName, settings.LastPlayer);
        else if (key == SettingKey::KeyboardPlay && settings.KeyboardPlay)
            store.WriteSettingInt(KeyboardPlaySection, KeyboardPlayName, *settings.KeyboardPlay ? 1 : 0);
    }
}

} // namespace game
