#include "ui/fonts.h"

#include <QDir>
#include <QFontDatabase>

namespace ui {

int loadFontsFrom(const QString& folder)
{
    const QDir dir(folder);
    int loaded = 0;
    for (const QString& name : dir.entryList({QStringLiteral("*.ttf")}, QDir::Files, QDir::Name)) {
        if (QFontDatabase::addApplicationFont(dir.filePath(name)) >= 0)
            ++loaded;
    }
    return loaded;
}

} // namespace ui
