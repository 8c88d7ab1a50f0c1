// ZIP packages (Office Open XML, OpenDocument, plain ZIP) are judged as unzip -t and an office
// suite would: every entry's data inflates to its declared size and matches its CRC-32, streamed
// through zlib in small blocks whatever the entry's size, and the package's manifest and main part
// parse as XML. Sizes only bound the reading; no entry or count limit decides the verdict.

#include "app/output_checker.h"

#include "data_repair/format_extensions.h"

#include <QFile>
#include <QXmlStreamReader>
#include <QtEndian>

#include <zlib.h>

#include <algorithm>
#include <vector>

namespace olm::repair {

namespace {

constexpr qint64 kEndRecordSize = 22;
constexpr qint64 kMaxCommentSize = 65535;
constexpr qint64 kDirectoryRecordSize = 46;
constexpr qint64 kLocalHeaderSize = 30;
constexpr qint64 kZip64LocatorSize = 20;
constexpr qint64 kZip64EndSize = 56;
constexpr quint32 kEndSignature = 0x06054B50;
constexpr quint32 kZip64EndSignature = 0x06064B50;
constexpr quint32 kZip64LocatorSignature = 0x07064B50;
constexpr quint32 kDirectorySignature = 0x02014B50;
constexpr quint32 kLocalSignature = 0x04034B50;
constexpr qint64 kBlockSize = 262144;
// Relationship files are small; a larger one is no package's.
constexpr qint64 kMaxRelationshipBytes = 4194304;

quint16 le16(const char* p) { return qFromLittleEndian<quint16>(p); }
quint32 le32(const char* p) { return qFromLittleEndian<quint32>(p); }
quint64 le64(const char* p) { return qFromLittleEndian<quint64>(p); }

struct ZipEntryRecord {
    QString name;
    quint16 flags = 0;
    quint16 method = 0;
    quint32 crc32 = 0;
    quint64 compressedSize = 0;
    quint64 uncompressedSize = 0;
    quint64 localOffset = 0;
};

enum class PackageKind { Plain, OfficeOpenXml, OpenDocument };

PackageKind packageKind(const QString& suffix)
{
    const std::string ext = suffix.toStdString();
    if (data_repair::isListed(data_repair::extensions::kOfficeOpenXml, ext))
        return PackageKind::OfficeOpenXml;
    if (ext == "odt" || ext == "ods" || ext == "odp" || ext == "odg" || ext == "odf")
        return PackageKind::OpenDocument;
    return PackageKind::Plain;
}

class ZipCheck {
public:
    ZipCheck(const OutputFile& file, const ValidationControl& control) : file_(file), control_(control) {}

    bool run()
    {
        input_.setFileName(file_.path);
        if (!input_.open(QIODevice::ReadOnly) || !readDirectory())
            return false;
        const PackageKind kind = packageKind(file_.suffix);
        QByteArray relationships;
        for (const ZipEntryRecord& entry : entries_) {
            if (control_.isCancelled())
                return false;
            const bool manifest = (kind == PackageKind::OfficeOpenXml && entry.name == u"[Content_Types].xml")
                || (kind == PackageKind::OpenDocument && entry.name == u"META-INF/manifest.xml");
            const bool rels = kind == PackageKind::OfficeOpenXml && entry.name == u"_rels/.rels";
            XmlStreamCheck xml;
            if (!inflateEntry(entry, manifest || rels ? &xml : nullptr, rels ? &relationships : nullptr))
                return false;
            if ((manifest || rels) && !xml.finish())
                return false;
        }
        if (kind == PackageKind::Plain)
            return true;
        const QString manifestName =
            kind == PackageKind::OfficeOpenXml ? QStringLiteral("[Content_Types].xml") : QStringLiteral("META-INF/manifest.xml");
        const QString mainPart = kind == PackageKind::OfficeOpenXml ? officeDocumentPart(relationships) : QStringLiteral("content.xml");
        const ZipEntryRecord* manifestEntry = find(manifestName);
        const ZipEntryRecord* mainEntry = mainPart.isEmpty() ? nullptr : find(mainPart);
        if (manifestEntry == nullptr || mainEntry == nullptr)
            return false;
        XmlStreamCheck xml;
        return inflateEntry(*mainEntry, &xml, nullptr) && xml.finish();
    }

private:
    const ZipEntryRecord* find(const QString& name) const
    {
        const auto it = std::find_if(entries_.begin(), entries_.end(), [&](const ZipEntryRecord& e) { return e.name == name; });
        return it == entries_.end() ? nullptr : &*it;
    }

    QByteArray readAt(qint64 offset, qint64 length)
    {
        if (offset < 0 || length < 0 || offset > file_.size || length > file_.size - offset || !input_.seek(offset))
            return {};
        return input_.read(length);
    }

    bool readDirectory()
    {
        const qint64 size = file_.size;
        if (size < kEndRecordSize)
            return false;
        const qint64 tailSize = std::min<qint64>(size, kEndRecordSize + kMaxCommentSize);
        const QByteArray tail = readAt(size - tailSize, tailSize);
        if (tail.size() != tailSize)
            return false;
        // The end record is the one whose comment length makes it end exactly at the end of the file.
        qint64 found = -1;
        for (qint64 p = tailSize - kEndRecordSize; p >= 0; --p) {
            const char* record = tail.constData() + p;
            if (le32(record) == kEndSignature && p + kEndRecordSize + le16(record + 20) == tailSize) {
                found = p;
                break;
            }
        }
        if (found < 0)
            return false;
        const char* end = tail.constData() + found;
        if (le16(end + 4) != 0 || le16(end + 6) != 0)
            return false; // spanned archives are never an output
        quint64 total = le16(end + 10);
        quint64 directorySize = le32(end + 12);
        quint64 directoryOffset = le32(end + 16);
        const qint64 endOffset = size - tailSize + found;
        if (total == 0xFFFF || directorySize == 0xFFFFFFFFu || directoryOffset == 0xFFFFFFFFu) {
            const QByteArray locator = readAt(endOffset - kZip64LocatorSize, kZip64LocatorSize);
            if (locator.size() != kZip64LocatorSize || le32(locator.constData()) != kZip64LocatorSignature)
                return false;
            const quint64 recordOffset = le64(locator.constData() + 8);
            const QByteArray record = recordOffset > quint64(size) ? QByteArray() : readAt(qint64(recordOffset), kZip64EndSize);
            if (record.size() != kZip64EndSize || le32(record.constData()) != kZip64EndSignature)
                return false;
            total = le64(record.constData() + 32);
            directorySize = le64(record.constData() + 40);
            directoryOffset = le64(record.constData() + 48);
        }
        if (directoryOffset > quint64(size) || directorySize > quint64(size) - directoryOffset
            || total > directorySize / kDirectoryRecordSize)
            return false;
        if (!input_.seek(qint64(directoryOffset)))
            return false;
        const qint64 directoryEnd = qint64(directoryOffset + directorySize);
        entries_.reserve(static_cast<size_t>(total));
        quint64 compressedTotal = 0;
        for (quint64 i = 0; i < total; ++i) {
            const QByteArray record = input_.read(kDirectoryRecordSize);
            if (record.size() != kDirectoryRecordSize || le32(record.constData()) != kDirectorySignature)
                return false;
            const char* r = record.constData();
            ZipEntryRecord entry;
            entry.flags = le16(r + 8);
            entry.method = le16(r + 10);
            entry.crc32 = le32(r + 16);
            entry.compressedSize = le32(r + 20);
            entry.uncompressedSize = le32(r + 24);
            entry.localOffset = le32(r + 42);
            const qint64 nameSize = le16(r + 28), extraSize = le16(r + 30), commentSize = le16(r + 32);
            if (input_.pos() + nameSize + extraSize + commentSize > directoryEnd)
                return false;
            const QByteArray name = input_.read(nameSize);
            const QByteArray extra = input_.read(extraSize);
            if (name.size() != nameSize || extra.size() != extraSize || !input_.seek(input_.pos() + commentSize))
                return false;
            if (!applyZip64Extra(entry, extra))
                return false;
            // Entries share no bytes in a real archive: more data than the file holds means
            // entries overlap (a zip bomb), which would make the check read the file many times.
            compressedTotal += entry.compressedSize;
            if (compressedTotal > quint64(size))
                return false;
            entry.name = (entry.flags & 0x0800) != 0 ? QString::fromUtf8(name) : QString::fromLatin1(name);
            entries_.push_back(std::move(entry));
            if ((i & 1023) == 0 && control_.isCancelled())
                return false;
        }
        return true;
    }

    // Fields saturated at 0xFFFFFFFF take their values from the ZIP64 extra field, in order.
    static bool applyZip64Extra(ZipEntryRecord& entry, const QByteArray& extra)
    {
        const bool wantsSize = entry.uncompressedSize == 0xFFFFFFFFu;
        const bool wantsCompressed = entry.compressedSize == 0xFFFFFFFFu;
        const bool wantsOffset = entry.localOffset == 0xFFFFFFFFu;
        if (!wantsSize && !wantsCompressed && !wantsOffset)
            return true;
        qsizetype pos = 0;
        while (extra.size() - pos >= 4) {
            const quint16 id = le16(extra.constData() + pos);
            const quint16 length = le16(extra.constData() + pos + 2);
            if (extra.size() - pos - 4 < length)
                return false;
            if (id == 0x0001) {
                const char* field = extra.constData() + pos + 4;
                qsizetype left = length;
                for (auto [wanted, target] : {std::pair{wantsSize, &entry.uncompressedSize},
                                              std::pair{wantsCompressed, &entry.compressedSize},
                                              std::pair{wantsOffset, &entry.localOffset}}) {
                    if (!wanted)
                        continue;
                    if (left < 8)
                        return false;
                    *target = le64(field);
                    field += 8;
                    left -= 8;
                }
                return true;
            }
            pos += 4 + length;
        }
        return false;
    }

    // Streams one entry's data through CRC-32 (and zlib for deflate), feeding `xml` the inflated
    // bytes when given and keeping them in `kept` (up to a bound) when given.
    bool inflateEntry(const ZipEntryRecord& entry, XmlStreamCheck* xml, QByteArray* kept)
    {
        if ((entry.flags & 0x0001) != 0 || (entry.method != 0 && entry.method != 8))
            return false; // encrypted, or a method no office suite writes: nothing can vouch for it
        if (entry.localOffset > quint64(file_.size))
            return false;
        const QByteArray local = readAt(qint64(entry.localOffset), kLocalHeaderSize);
        if (local.size() != kLocalHeaderSize || le32(local.constData()) != kLocalSignature)
            return false;
        const quint64 dataStart = entry.localOffset + kLocalHeaderSize + le16(local.constData() + 26) + le16(local.constData() + 28);
        if (dataStart > quint64(file_.size) || entry.compressedSize > quint64(file_.size) - dataStart)
            return false;
        if (entry.method == 0 && entry.compressedSize != entry.uncompressedSize)
            return false;
        if (!input_.seek(qint64(dataStart)))
            return false;

        z_stream stream{};
        const bool deflated = entry.method == 8;
        if (deflated && inflateInit2(&stream, -MAX_WBITS) != Z_OK)
            return false;
        QByteArray output(deflated ? kBlockSize : 0, Qt::Uninitialized);
        uLong crc = ::crc32(0L, Z_NULL, 0);
        quint64 produced = 0;
        quint64 remaining = entry.compressedSize;
        bool ended = !deflated;
        bool ok = true;
        const auto take = [&](const char* data, qint64 length) {
            crc = ::crc32_z(crc, reinterpret_cast<const Bytef*>(data), static_cast<z_size_t>(length));
            produced += quint64(length);
            if (xml != nullptr)
                xml->feed(QByteArray::fromRawData(data, length));
            if (kept != nullptr && kept->size() + length <= kMaxRelationshipBytes)
                kept->append(data, length);
        };
        while (ok && remaining > 0) {
            if (control_.isCancelled()) {
                ok = false;
                break;
            }
            const QByteArray block = input_.read(qint64(std::min<quint64>(remaining, kBlockSize)));
            if (block.isEmpty()) {
                ok = false;
                break;
            }
            remaining -= quint64(block.size());
            done_ += block.size();
            if (!deflated) {
                take(block.constData(), block.size());
            } else {
                if (ended) {
                    ok = false; // data after the end of the deflate stream
                    break;
                }
                stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(block.constData()));
                stream.avail_in = static_cast<uInt>(block.size());
                while (stream.avail_in > 0 && !ended) {
                    stream.next_out = reinterpret_cast<Bytef*>(output.data());
                    stream.avail_out = static_cast<uInt>(output.size());
                    const int status = inflate(&stream, Z_NO_FLUSH);
                    const qint64 made = output.size() - qint64(stream.avail_out);
                    take(output.constData(), made);
                    if (status == Z_STREAM_END) {
                        ended = true;
                    } else if (status != Z_OK || produced > entry.uncompressedSize) {
                        ok = false;
                        break;
                    }
                }
                if (ended && stream.avail_in > 0)
                    ok = false;
            }
            control_.report(done_, file_.size);
        }
        // A stream whose last block ended exactly at the compressed size may still hold output.
        while (ok && deflated && !ended) {
            stream.next_in = nullptr;
            stream.avail_in = 0;
            stream.next_out = reinterpret_cast<Bytef*>(output.data());
            stream.avail_out = static_cast<uInt>(output.size());
            const int status = inflate(&stream, Z_NO_FLUSH);
            const qint64 made = output.size() - qint64(stream.avail_out);
            take(output.constData(), made);
            if (status == Z_STREAM_END)
                ended = true;
            else if (made == 0 || status != Z_OK)
                ok = false;
        }
        if (deflated)
            inflateEnd(&stream);
        return ok && ended && produced == entry.uncompressedSize && crc == entry.crc32;
    }

    // The main part named by the package relationships (type ".../officeDocument"), without its
    // leading slash.
    static QString officeDocumentPart(const QByteArray& relationships)
    {
        QXmlStreamReader reader(relationships);
        while (!reader.atEnd()) {
            if (reader.readNext() != QXmlStreamReader::StartElement || reader.name() != u"Relationship")
                continue;
            const QXmlStreamAttributes attributes = reader.attributes();
            if (attributes.value(QLatin1String("Type")).endsWith(u"/officeDocument")) {
                QString target = attributes.value(QLatin1String("Target")).toString();
                while (target.startsWith(u'/'))
                    target.remove(0, 1);
                return target;
            }
        }
        return {};
    }

    const OutputFile& file_;
    const ValidationControl& control_;
    QFile input_;
    std::vector<ZipEntryRecord> entries_;
    qint64 done_ = 0;
};

class ZipPackageOutputChecker final : public OutputChecker {
public:
    bool claimsSuffix(const QString& suffix) const override
    {
        const std::string ext = suffix.toStdString();
        return data_repair::isListed(data_repair::extensions::kOfficeOpenXml, ext)
            || data_repair::isListed(data_repair::extensions::kOtherPackages, ext)
            || data_repair::isListed(data_repair::extensions::kZip, ext);
    }

    bool claimsContent(const QByteArray& head) const override { return head.startsWith("PK\x03\x04"); }

    OutputValidationResult check(const OutputFile& file, const ValidationControl& control) const override
    {
        ZipCheck zip(file, control);
        return zip.run() ? structurePassed() : structureFailed();
    }
};

} // namespace

std::unique_ptr<OutputChecker> makeZipPackageOutputChecker() { return std::make_unique<ZipPackageOutputChecker>(); }

} // namespace olm::repair
