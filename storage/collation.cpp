#include "storage/collation.h"

#include "platform/system_collation.h"
#include "storage/cp1250.h"

namespace storage::collation {

int compare(std::string_view a, std::string_view b)
{
    return platform::collation::compare(cp1250::toUtf16(a), cp1250::toUtf16(b));
}

std::string sortKey(std::string_view cp1250Text)
{
    return platform::collation::sortKey(cp1250::toUtf16(cp1250Text));
}

void resetForDefaultLocale() { platform::collation::useLocale({}); }

void useLocale(const std::string& locale) { platform::collation::useLocale(locale); }

} // namespace storage::collation
