#pragma once

// Committing a QSaveFile honestly: its commit() closes the device without looking at whether the
// buffered bytes reached the disk, so a full disk would leave a short file reported as written.

#include <QSaveFile>
#include <QString>

namespace olm::repair {

// Flushes the buffered bytes, then commits. On any failure the target is left as it was (the
// temporary file is discarded) and `error` (when given) holds the file error text.
bool commitSaveFile(QSaveFile& file, QString* error = nullptr);

} // namespace olm::repair
