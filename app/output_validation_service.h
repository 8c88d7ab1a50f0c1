#pragma once

// A second opinion on a repaired output, independent of the engine that wrote it: does the file
// have the structure its suffix declares? Reads only the file; never writes, never runs anything.

#include "common/ui_text.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace olm::repair {

struct OutputValidationResult {
    bool valid = false;
    UiText message;
};

namespace OutputValidationService {

inline constexpr qint64 kTextLimit = 67108864;   // 64 MiB, inclusive
inline constexpr qint64 kWindowSize = 1048576;   // head and tail windows
inline constexpr qint64 kScanBlockSize = 1048576;

OutputValidationResult validateOutput(const QString& path);

bool startsWithBytes(const QByteArray& bytes, const QByteArray& prefix);
// True when every marker occurs somewhere in the file; streams it in 1 MiB blocks with an overlap,
// so a marker across a block boundary is found too.
bool fileContainsAllMarkers(const QString& path, const QList<QByteArray>& markers);

} // namespace OutputValidationService

} // namespace olm::repair
