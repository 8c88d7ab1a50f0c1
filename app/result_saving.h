#pragma once

// File helpers behind saving a result and exporting a report: free names that never overwrite
// anything, a move into such a name that never replaces a file that appeared meanwhile, and an
// all-or-nothing JSON writer.

#include <QString>
#include <QVariantMap>

namespace olm::repair {

// "folder/name" when nothing stands there, else "base (2).suffix", "base (3).suffix", ...
// ("base (n)" for a name without suffix). A dangling link counts as taken.
QString uniqueOutputPath(const QString& folder, const QString& fileName);

// Moves the finished file `sourcePath` to the first free name that uniqueOutputPath would give,
// without ever replacing a file: a name taken between the choice and the move is skipped for the
// next one. Returns the final path, or an empty string when the move failed (source left as is).
QString moveToFreeOutputPath(const QString& sourcePath, const QString& folder, const QString& fileName);

// Writes the map as an indented JSON object through a save file: the target is complete or absent.
bool writeJsonFile(const QString& path, const QVariantMap& map, QString* error = nullptr);

} // namespace olm::repair
