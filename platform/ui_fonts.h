#pragma once

// The interface names the Windows UI fonts ("Segoe UI", "Microsoft YaHei UI", "Microsoft JhengHei UI",
// "Yu Gothic UI"). Linux has none of them; this maps each to the installed family that covers the
// same script, so Chinese and Japanese text renders in a real CJK face instead of boxes.

#include <QString>
#include <QStringList>

namespace olm::repair {

// Linux families to try, best first, for a Windows UI family (empty for other names).
QStringList uiFontStandIns(const QString& windowsFamily);

// Registers the stand-ins as font substitutions for the four Windows UI families, keeping only
// families that are installed. Needs a QGuiApplication; call once at start-up.
void installUiFontStandIns();

} // namespace olm::repair
