#include "platform/system_collation.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <memory>
#include <vector>

namespace platform::collation {
namespace {

std::unique_ptr<icu::Collator> makeCollator()
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Collator> collator(icu::Collator::createInstance(icu::Locale::getDefault(), status));
    if (U_FAILURE(status) || !collator) {
        status = U_ZERO_ERROR;
        collator.reset(icu::Collator::createInstance(icu::Locale::getRoot(), status));
    }
    if (collator)
        collator->setStrength(icu::Collator::TERTIARY);
    return collator;
}

std::unique_ptr<icu::Collator>& collator()
{
    // Never destroyed: the game's last save may run from exit() (its display lost), after the destructors of
    // statics made later than its exit handler.
    static auto* instance = new std::unique_ptr<icu::Collator>(makeCollator());
    return *instance;
}

icu::UnicodeString unicodeOf(std::u16string_view text)
{
    return icu::UnicodeString(text.data(), int32_t(text.size()));
}

std::string bytesOf(std::u16string_view text)
{
    std::string bytes;
    for (const char16_t unit : text) {
        bytes += char(unit >> 8);
        bytes += char(unit & 0xFF);
    }
    return bytes;
}

} // namespace

int compare(std::u16string_view a, std::u16string_view b)
{
    auto& c = collator();
    if (!c)
        return a.compare(b);
    UErrorCode status = U_ZERO_ERROR;
    const auto result = c->compare(unicodeOf(a), unicodeOf(b), status);
    return result == UCOL_LESS ? -1 : result == UCOL_GREATER ? 1 : 0;
}

std::string sortKey(std::u16string_view utf16Text)
{
    auto& c = collator();
    if (!c)
        return bytesOf(utf16Text);
    const icu::UnicodeString text = unicodeOf(utf16Text);
    uint8_t local[128];
    int32_t length = c->getSortKey(text, local, int32_t(sizeof local));
    if (length <= int32_t(sizeof local))
        return std::string(reinterpret_cast<const char*>(local), length > 0 ? size_t(length - 1) : 0);
    std::vector<uint8_t> big(static_cast<size_t>(length));
    length = c->getSortKey(text, big.data(), length);
    // The key ends with a zero byte; dropping it keeps memcmp order and saves a byte.
    return std::string(reinterpret_cast<const char*>(big.data()), size_t(length - 1));
}

void useLocale(const std::string& locale)
{
    if (!locale.empty()) {
        UErrorCode status = U_ZERO_ERROR;
        icu::Locale::setDefault(icu::Locale(locale.c_str()), status);
    }
    collator() = makeCollator();
}

} // namespace platform::collation
