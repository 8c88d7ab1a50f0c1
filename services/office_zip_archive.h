#pragma once

// A small, distrustful reader of the ZIP containers behind DOCX, XLSX and PPTX: it reads only the
// central directory and the entries asked for by exact name, refuses multi-disk, ZIP64, encrypted
// entries and methods other than stored and deflate, caps every size before allocating, and checks
// every extracted entry against its CRC-32.

#include "common/ui_text.h"
#include "services/zip_directory.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace olm::repair {

class OfficeZipArchive {
public:
    static constexpr qint64 kMaxContainerSize = 268435456;   // 256 MiB
    static constexpr int kMaxEntries = 10000;
    static constexpr qint64 kMaxEntrySize = 16777216;         // 16 MiB uncompressed
    static constexpr qint64 kMaxCompressedSize = 33554432;    // 32 MiB
    static constexpr qint64 kMaxExtractedPerArchive = 33554432;

    explicit OfficeZipArchive(const QString& path);

    // Opens the file and reads the whole central directory; sets `error` on failure.
    bool readDirectory(UiText& error);
    // The bytes of the first entry named exactly `name`; empty with `error` set on failure. A
    // missing entry is no error when `optional`.
    QByteArray readEntry(const QString& name, UiText& error, bool optional = false);

    const QList<ZipDirectoryEntry>& entries() const { return entries_; }
    qint64 extractedBytes() const { return extractedBytes_; }

private:
    QString path_;
    QFile file_;
    QList<ZipDirectoryEntry> entries_;
    qint64 extractedBytes_ = 0;
};

// Entry names the expression matches, sorted by zipEntryNumber (sheet2 before sheet10).
QStringList listEntriesMatching(const OfficeZipArchive& archive, const QRegularExpression& expression);
// The number right before ".xml" at the end of the name; 0 when there is none or it does not fit.
int zipEntryNumber(const QString& name);

} // namespace olm::repair
