#pragma once

// Opening a file the program reads without trusting what stands at its path. A pipe opened for
// reading blocks until a writer appears, and a device or folder is no file to read: the path is
// opened without waiting and what was opened is checked to be a regular file before anything is
// read, so a pipe or device put in a file's place fails at once instead of freezing a job or the
// window.

#include "common/ui_text.h"

#include <QFile>
#include <QString>

#include <sys/types.h>

namespace olm::repair {

// Opens `path` read-only into `file` (any extra open flags, such as Unbuffered, are added). On
// failure returns false with `error` (when given) holding why: the system's error text, or that the
// path is no regular file (a folder, pipe, socket or device), which also sets `notRegular`.
bool openRegularFile(QFile& file, const QString& path, UiText* error = nullptr,
                     QIODevice::OpenMode extraMode = QIODevice::NotOpen, bool* notRegular = nullptr);

// What tells one file apart from a file put in its place: device, inode, size and modification
// time. Invalid when the file could not be looked at.
struct FileIdentity {
    bool valid = false;
    dev_t device = 0;
    ino_t inode = 0;
    qint64 size = 0;
    qint64 modifiedSeconds = 0;
    qint64 modifiedNanoseconds = 0;

    // Two identities match only when both are valid and every field agrees.
    bool matches(const FileIdentity& other) const;
};

// The identity of an open file, and of the file at a path (its link followed).
FileIdentity fileIdentity(const QFile& openFile);
FileIdentity fileIdentity(const QString& path);

} // namespace olm::repair
