#include "platform/system_collation.h"

#include <string>
#include <windows.h>

namespace platform::collation {
namespace {

std::wstring defaultLocale()
{
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    if (::GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH) > 0 && ::IsValidLocaleName(name))
        return name;
    return L"hu-HU";
}

// Never destroyed: the game's last save may run from exit(), after the destructors of later statics.
std::wstring& locale()
{
    static auto* name = new std::wstring(defaultLocale());
    return *name;
}

const wchar_t* wide(std::u16string_view text) { return reinterpret_cast<const wchar_t*>(text.data()); }

} // namespace

int compare(std::u16string_view a, std::u16string_view b)
{
    const int result = ::CompareStringEx(locale().c_str(), 0, wide(a), int(a.size()), wide(b), int(b.size()),
                                         nullptr, nullptr, 0);
    if (result == 0) // no collator for the name: plain code unit order, as a last resort
        return a.compare(b);
    return result - CSTR_EQUAL;
}

std::string sortKey(std::u16string_view text)
{
    const int length = ::LCMapStringEx(locale().c_str(), LCMAP_SORTKEY, wide(text), int(text.size()), nullptr,
                                       0, nullptr, nullptr, 0);
    if (length <= 0) {
        std::string bytes;
        for (const char16_t unit : text) {
            bytes += char(unit >> 8);
            bytes += char(unit & 0xFF);
        }
        return bytes;
    }
    std::string key(size_t(length), '\0');
    ::LCMapStringEx(locale().c_str(), LCMAP_SORTKEY, wide(text), int(text.size()),
                    reinterpret_cast<LPWSTR>(key.data()), length, nullptr, nullptr, 0);
    // The key ends with a zero byte; dropping it keeps memcmp order.
    if (!key.empty() && key.back() == '\0')
        key.pop_back();
    return key;
}

void useLocale(const std::string& name)
{
    if (name.empty()) {
        locale() = defaultLocale();
        return;
    }
    // "hu_HU" as POSIX spells it is "hu-HU" here.
    std::wstring wanted(name.begin(), name.end());
    for (auto& c : wanted)
        if (c == L'_')
            c = L'-';
    locale() = ::IsValidLocaleName(wanted.c_str()) ? wanted : L"hu-HU";
}

} // namespace platform::collation
