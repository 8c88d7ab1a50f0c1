#pragma once

#include <QString>

namespace olm::repair {

// Shows a file in the desktop's file manager: the freedesktop FileManager1 "ShowItems" call over
// the session bus, and when no file manager answers, the file's folder opened with the desktop's
// default handler. Returns whether either was handed over.
bool revealInFileManager(const QString& filePath);

} // namespace olm::repair
