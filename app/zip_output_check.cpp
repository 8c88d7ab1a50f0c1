// ZIP packages (Office Open XML, OpenDocument, plain ZIP) are judged as unzip -t and an office
// suite would: every entry's data inflates to its declared size and matches its CRC-32, streamed
// through zlib in small blocks whatever the entry's size, and the package's manifest and main part
// parse as XML. Sizes only bound the reading; no entry or count limit decides the verdict. What may
// be inflated in all follows the package's own size (a ratio and a fixed allowance), so a small
// package that claims gigabytes is not verifiable within the limits rather than an hour's work.

#include "app/output_checker.h"

#include "data_repair/format_extensions.h"
#include "services/zip_directory.h"

#include <QFile>
#include <QXmlStreamReader>
#include <QtEndian>

#include <zlib.h>

#include <algorithm>
#include <utility>

namespace olm::repair {

namespace {

constexpr qint64 kLocalHeaderSize = 30;
constexpr quint32 kLocalSignature = 0x04034B50;
constexpr qint64 kBlockSize = 262144;
// Relationship files are small; a larger one is no package's.
constexpr qint64 kMaxRelationshipBytes = 4194304;
// The bytes all entries may inflate to: this allowance plus this many times the package's size.
constexpr quint64 kInflateAllowance = 268435456; // 256 MiB
constexpr quint64 kInflateRatio = 128; // XML parts seldom compress past 100:1

quint16 le16(const char* p) { return qFromLittleEndian<quint16>(p); }
quint32 le32(const char* p) { return qFromLittleEndian<quint32>(p); }

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

    OutputValidationResult run()
    {
        const bool passed = check();
        if (overBudget_)
            return beyondLimits();
        return passed ? structurePassed() : structureFailed();
    }

private:
    bool check()
    {
        input_.setFileName(file_.path);
        if (!input_.open(QIODevice::ReadOnly) || !readDirectory())
            return false;
        // The central directory states every entry's size: a package claiming more than it may
        // inflate to is refused before any of it is inflated.
        quint64 claimed = 0;
        for (const ZipDirectoryEntry& entry : entries_)
            claimed += std::min<quint64>(entry.uncompressedSize, inflateBudget());
        if (claimed > inflateBudget()) {
            overBudget_ = true;
            return false;
        }
        const PackageKind kind = packageKind(file_.suffix);
        QByteArray relationships;
        for (const ZipDirectoryEntry& entry : entries_) {
            if (control_.isCancelled())
                return false;
            const bool manifest = (kind == PackageKind::OfficeOpenXml && entry.name == u"[Content_Types].xml")
                || (kind == PackageKind::OpenDocument && entry.name == u"META-INF/manifest.xml");
            const bool rels = kind == PackageKind::OfficeOpenXml && entry.name == u"_rels/.rels";
            XmlStreamCheck xml;
            if (!inflateEntry(entry, manifest || rels ? &xml : nullptr, rels ? &relationships : nullptr))
                return false;
            if (xml.overLimit()) {
                overBudget_ = true;
                return false;
            }
            if ((manifest || rels) && !xml.finish())
                return false;
        }
        if (kind == PackageKind::Plain)
            return true;
        const QString manifestName =
            kind == PackageKind::OfficeOpenXml ? QStringLiteral("[Content_Types].xml") : QStringLiteral("META-INF/manifest.xml");
        const QString mainPart = kind == PackageKind::OfficeOpenXml ? officeDocumentPart(relationships) : QStringLiteral("content.xml");
        const ZipDirectoryEntry* manifestEntry = find(manifestName);
        const ZipDirectoryEntry* mainEntry = mainPart.isEmpty() ? nullptr : find(mainPart);
        if (manifestEntry == nullptr || mainEntry == nullptr)
            return false;
        XmlStreamCheck xml;
        const bool parsed = inflateEntry(*mainEntry, &xml, nullptr) && xml.finish();
        overBudget_ = overBudget_ || xml.overLimit();
        return parsed;
    }

    quint64 inflateBudget() const { return kInflateAllowance + kInflateRatio * quint64(std::max<qint64>(file_.size, 0)); }

    // A stop, or the end of the check's time: either ends the inflating at once.
    bool mustStop()
    {
        if (file_.overTime())
            overBudget_ = true;
        return overBudget_ || control_.isCancelled();
    }
    const ZipDirectoryEntry* find(const QString& name) const
    {
        const auto it = std::find_if(entries_.begin(), entries_.end(), [&](const ZipDirectoryEntry& e) { return e.name == name; });
        return it == entries_.end() ? nullptr : &*it;
    }

    QByteArray readAt(qint64 offset, qint64 length)
    {
        if (offset < 0 || length < 0 || offset > file_.size || length > file_.size - offset || !input_.seek(offset))
            return {};
        return input_.read(length);
    }

    // Any number of entries, ZIP64 included, as unzip reads them; entries that overlap are refused,
    // so the check never inflates the same data many times over.
    bool readDirectory()
    {
        ZipDirectoryOptions options;
        options.zip64 = true;
        options.recordsWithinDirectory = true;
        options.refuseOverlap = true;
        options.cancelled = [this] { return control_.isCancelled(); };
        ZipDirectory directory = readZipDirectory(input_, file_.size, options);
        entries_ = std::move(directory.entries);
        return directory.fault == ZipDirectoryFault::None;
    }

    // Streams one entry's data through CRC-32 (and zlib for deflate), feeding `xml` the inflated
    // bytes when given and keeping them in `kept` (up to a bound) when given.
    bool inflateEntry(const ZipDirectoryEntry& entry, XmlStreamCheck* xml, QByteArray* kept)
    {
        if ((entry.flags & 0x0001) != 0 || (entry.method != 0 && entry.method != 8))
            return false; // encrypted, or a method no office suite writes: nothing can vouch for it
        if (entry.localHeaderOffset > quint64(file_.size))
            return false;
        const QByteArray local = readAt(qint64(entry.localHeaderOffset), kLocalHeaderSize);
        if (local.size() != kLocalHeaderSize || le32(local.constData()) != kLocalSignature)
            return false;
        const quint64 dataStart = entry.localHeaderOffset + kLocalHeaderSize + le16(local.constData() + 26) + le16(local.constData() + 28);
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
            if (xml != nullptr && !xml->overLimit())
                xml->feed(QByteArray::fromRawData(data, length));
            if (kept != nullptr && kept->size() + length <= kMaxRelationshipBytes)
                kept->append(data, length);
        };
        while (ok && remaining > 0) {
            if (mustStop()) {
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
                    if (mustStop()) {
                        ok = false; // one block may inflate to hundreds of megabytes
                        break;
                    }
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
            if (mustStop()) {
                ok = false;
                break;
            }
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
    QList<ZipDirectoryEntry> entries_;
    qint64 done_ = 0;
    bool overBudget_ = false;
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
        return zip.run();
    }
};

} // namespace

std::unique_ptr<OutputChecker> makeZipPackageOutputChecker() { return std::make_unique<ZipPackageOutputChecker>(); }

} // namespace olm::repair
