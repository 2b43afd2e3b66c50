#pragma once
// Locale-aware comparison of Unicode texts by the system's collator for the user's locale, tertiary strength:
// ICU's default locale on Linux (LC_ALL / LC_COLLATE / LANG), the user's default locale on Windows
// (CompareStringEx), Hungarian when that cannot be had.

#include <string>
#include <string_view>

namespace platform::collation {

// <0, 0, >0 like strcmp.
int compare(std::u16string_view a, std::u16string_view b);

// A byte string whose memcmp order equals compare().
std::string sortKey(std::u16string_view text);

// Uses `locale` ("hu_HU", "en_US") from now on; empty: takes the default locale again (ICU's, which
// follows LANG; the user's on Windows). Tests pin the locale this way.
void useLocale(const std::string& locale);

} // namespace platform::collation
