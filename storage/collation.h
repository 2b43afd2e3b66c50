#pragma once
// Locale-aware comparison of Windows-1250 texts: the system's collator for the user's locale (platform/),
// tertiary strength.

#include <string>
#include <string_view>

namespace storage::collation {

// <0, 0, >0 like strcmp, by the collator of the default locale (LC_ALL / LC_COLLATE / LANG; on Windows the
// user's locale).
int compare(std::string_view a, std::string_view b);

// A byte string whose memcmp order equals compare(): cache it to sort many records fast.
std::string sortKey(std::string_view cp1250Text);

// Re-reads the default locale; tests that pin the locale call it after setting it.
void resetForDefaultLocale();

// Pins the locale ("hu_HU"), for tests that sort as a Hungarian user would whatever the machine's locale.
void useLocale(const std::string& locale);

} // namespace storage::collation
