#pragma once
// Locale-aware comparison of Windows-1250 texts: ICU's collator for the default locale, tertiary strength.

#include <string>
#include <string_view>

namespace storage::collation {

// <0, 0, >0 like strcmp, by the collator of ICU's default locale (LC_ALL / LC_COLLATE / LANG).
int compare(std::string_view a, std::string_view b);

// A byte string whose memcmp order equals compare(): cache it to sort many records fast.
std::string sortKey(std::string_view cp1250Text);

// Re-reads the default locale; tests that pin the locale call it after setting it.
void resetForDefaultLocale();

} // namespace storage::collation
