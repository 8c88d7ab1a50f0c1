#pragma once

// The central directory of a ZIP archive, read by the Office preview and by output validation. The
// reading trusts nothing it finds: every offset and length is checked against the file before it
// is used. What one caller refuses and the other accepts (ZIP64, counts past a limit, entries that
// overlap) is chosen through the options.

#include <QFile>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace olm::repair {

// The end of central directory record without its comment: no ZIP archive is shorter.
inline constexpr qint64 kZipEndRecordSize = 22;

struct ZipDirectoryEntry {
    QString name;
    quint16 flags = 0;
    quint16 method = 0;
    quint32 crc32 = 0;
    quint64 compressedSize = 0;
    quint64 uncompressedSize = 0;
    quint64 localHeaderOffset = 0;
};

// Why a directory was refused.
enum class ZipDirectoryFault {
    None,
    EndUnreadable,        // the end of the file could not be read
    NoEndRecord,          // no end record ends exactly at the end of the file
    Spanned,              // the archive spans several disks
    Zip64,                // the archive needs ZIP64 and it is not allowed
    Zip64EndInvalid,      // the ZIP64 locator or end record is missing or broken
    TooManyEntries,       // more entries than the options allow
    DirectoryOutOfRange,  // the directory lies outside the file, or cannot hold its records
    DirectoryUnreadable,  // the directory's start could not be reached
    RecordInvalid,        // a record is short or has no record signature
    Zip64Entry,           // an entry needs ZIP64 and it is not allowed
    Zip64ExtraInvalid,    // an entry's ZIP64 extra field is missing or too short
    RecordTruncated,      // a record's name, extra field or comment runs past its bound
    NameInvalid,          // a name holds a NUL character
    Overlapping,          // the entries' data adds up to more than the file
    Cancelled,
};

struct ZipDirectoryOptions {
    // At most this many entries; any number when empty.
    std::optional<quint64> maxEntries;
    // Reads the ZIP64 locator, end record and extra fields. Without it an archive or entry that
    // needs them is refused.
    bool zip64 = false;
    // The end record's count of entries on its disk must equal the total, as in every single-disk
    // archive; a difference is taken for a spanned archive.
    bool entriesOnDiskMatchTotal = false;
    // The records must lie inside the directory the end record declares: no more of them than its
    // size holds, no name, extra field or comment past its end. Without it only the file bounds them.
    bool recordsWithinDirectory = false;
    // Entries share no bytes in a real archive: more compressed data than the file holds means they
    // overlap (a zip bomb's shape).
    bool refuseOverlap = false;
    // Names holding a NUL character are refused.
    bool refuseNulInNames = false;
    // Asked every 1024 records; true stops the reading.
    std::function<bool()> cancelled;
};

struct ZipDirectory {
    ZipDirectoryFault fault = ZipDirectoryFault::None;
    // Every entry in directory order; empty when refused.
    QList<ZipDirectoryEntry> entries;
};

// Reads the central directory of the open `file`, `size` bytes long. The end record is the one whose
// comment length makes it end exactly at the end of the file: a signature inside a comment does not
// qualify. Names are UTF-8 when the entry's flag says so, Latin-1 otherwise.
ZipDirectory readZipDirectory(QFile& file, qint64 size, const ZipDirectoryOptions& options);

} // namespace olm::repair
