#pragma once

// File helpers behind saving a result and exporting a report: free names that never overwrite
// anything, a move into such a name that never replaces a file that appeared meanwhile, and an
// all-or-nothing JSON writer.

#include <QString>
#include <QVariantMap>

namespace olm::repair {

// "folder/name" when nothing stands there, else "base (2).suffix", "base (3).suffix", ... up to
// "(10000)" ("base (n)" for a name without suffix). A dangling link counts as taken. An empty
// string, with the system's text in `error`, when every name is taken or a name cannot be looked
// at (too long, a folder that cannot be searched).
QString uniqueOutputPath(const QString& folder, const QString& fileName, QString* error = nullptr);

// Moves the finished file `sourcePath` to the first free name that uniqueOutputPath would give,
// without ever replacing a file: a name taken between the choice and the move is skipped for the
// next one. Returns the final path, or an empty string when the move failed (source left as is),
// with the system's text in `error` and its error number in `systemError`.
QString moveToFreeOutputPath(const QString& sourcePath, const QString& folder, const QString& fileName,
                             QString* error = nullptr, int* systemError = nullptr);

// A short hidden name in `folder` for a file being written, independent of its final name.
QString partialFilePath(const QString& folder);

// Writes the bytes to a new file under partialFilePath(folder), created exclusively and never
// through a link, and checks that every byte reached the disk. Returns its path, or an empty
// string (nothing left behind) with the system's text in `error`.
QString writeNewFile(const QString& folder, const QByteArray& bytes, QString* error = nullptr);

// Writes the map as an indented JSON object to a path that must be free: the target is complete
// or absent, and an existing file or link there is never replaced or followed.
bool writeJsonFile(const QString& path, const QVariantMap& map, QString* error = nullptr);

} // namespace olm::repair
