#include "platform/ui_fonts.h"

#include <QFont>
#include <QFontDatabase>

namespace olm::repair {

namespace {

const char* const kWindowsUiFamilies[] = {"Segoe UI", "Microsoft YaHei UI", "Microsoft JhengHei UI", "Yu Gothic UI"};

} // namespace

QStringList uiFontStandIns(const QString& windowsFamily)
{
    // Debian: fonts-noto-cjk carries one face per CJK writing standard; fonts-noto-core and
    // fonts-dejavu-core the Latin faces. A Latin UI still keeps a CJK face last, for the language
    // names and file names it shows in Chinese or Japanese script.
    if (windowsFamily == QLatin1String("Microsoft YaHei UI"))
        return {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans"), QStringLiteral("DejaVu Sans")};
    if (windowsFamily == QLatin1String("Microsoft JhengHei UI"))
        return {QStringLiteral("Noto Sans CJK TC"), QStringLiteral("Noto Sans"), QStringLiteral("DejaVu Sans")};
    if (windowsFamily == QLatin1String("Yu Gothic UI"))
        return {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans"), QStringLiteral("DejaVu Sans")};
    if (windowsFamily == QLatin1String("Segoe UI"))
        return {QStringLiteral("Noto Sans"), QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK SC")};
    return {};
}

void installUiFontStandIns()
{
    const QStringList installed = QFontDatabase::families();
    for (const char* name : kWindowsUiFamilies) {
        const QString family = QString::fromLatin1(name);
        if (installed.contains(family))
            continue; // the real face is there (a Windows font package): use it
        QStringList available;
        for (const QString& standIn : uiFontStandIns(family)) {
            if (installed.contains(standIn))
                available.append(standIn);
        }
        QFont::removeSubstitutions(family);
        if (!available.isEmpty())
            QFont::insertSubstitutions(family, available);
    }
}

} // namespace olm::repair
