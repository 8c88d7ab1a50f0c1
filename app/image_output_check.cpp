// Pictures are decoded whole by the toolkit's image reader, up to the engine's working-memory
// limit. The reader fills a cut image with grey and only warns, so a warning of an image plug-in
// while this thread decodes fails the picture too (telling what was lost when the picture still
// came out at its declared size), and so does a file that stops before its format's end (PNG end
// chunk, GIF trailer, BMP pixel array). Camera RAW files pass when their TIFF image or an
// embedded JPEG preview decodes, or, for sensor data no reader decodes, when their TIFF structure
// holds.

#include "app/output_checker.h"

#include "data_repair/byte_buffer.h"
#include "data_repair/detection.h"
#include "data_repair/format_extensions.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QMutex>
#include <QtEndian>

#include <algorithm>
#include <atomic>
#include <limits>
#include <mutex>

#define KORVEX_TR_CONTEXT "olm::repair::OutputValidationService"
#include "common/ui_tr.h"

namespace olm::repair {

namespace {

constexpr qint64 kPreviewScanBytes = 16777216; // embedded previews of RAW files sit near the start
constexpr int kMaxPreviewTries = 8;
constexpr qint64 kMaxPreviewBytes = 67108864;
constexpr int kReducedEdge = 4096;

// --- Warnings of the image plug-ins, counted for the decode running on this thread ---

thread_local int* imageWarnings = nullptr;
QtMessageHandler previousHandler = nullptr;

void countingHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (imageWarnings != nullptr && type != QtDebugMsg && type != QtInfoMsg) {
        const QLatin1String category(context.category != nullptr ? context.category : "");
        if (category.startsWith(QLatin1String("qt.gui.imageio")) || category.startsWith(QLatin1String("qt.imageformats"))
            || category == QLatin1String("default"))
            ++*imageWarnings;
    }
    if (previousHandler != nullptr)
        previousHandler(type, context, message);
}

void installWarningCounter()
{
    static QMutex mutex;
    static bool installed = false;
    const QMutexLocker locker(&mutex);
    if (!installed) {
        previousHandler = qInstallMessageHandler(countingHandler);
        installed = true;
    }
}

// The reader refuses images above its allocation limit (128 MB by default, a 33 MP picture).
// Outputs are held to the engine's own working-memory limit instead, so every picture the engine
// can repair can be checked too.
void raiseAllocationLimit()
{
    static std::once_flag once;
    std::call_once(once, [] {
        const quint64 megabytes = data_repair::workingMemoryLimit() / (1024 * 1024);
        const int limit = int(std::min<quint64>(megabytes, quint64(std::numeric_limits<int>::max())));
        if (limit > QImageReader::allocationLimit())
            QImageReader::setAllocationLimit(limit);
    });
}

struct DecodeOutcome {
    bool decoded = false;
    // Decoded with warnings, yet to the size the file declares: the reader filled in what was missing.
    bool filled = false;
    QString error;
};

// Decodes the whole image from `device`; warnings during the decode fail it.
DecodeOutcome decodeWhole(QIODevice* device, const QByteArray& format = {})
{
    installWarningCounter();
    raiseAllocationLimit();
    int warnings = 0;
    imageWarnings = &warnings;
    QImageReader reader(device, format);
    // A picture too large for the reader's allocation limit is decoded at a reduced size: every
    // byte of it is still read, but the image held stays small.
    QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() * 4 > qint64(QImageReader::allocationLimit()) * 1024 * 1024 / 2) {
        size = size.scaled(kReducedEdge, kReducedEdge, Qt::KeepAspectRatio);
        reader.setScaledSize(size);
    }
    const QImage image = reader.read();
    imageWarnings = nullptr;
    if (image.isNull())
        return {false, false, reader.errorString()};
    return {warnings == 0, warnings > 0 && size.isValid() && image.size() == size, {}};
}

// What a picture that decoded only with its missing part filled in has lost, by its kind: a cut
// progressive JPEG lacks its later scans (the whole picture, less sharp), any other its lower part.
// The texts are the result page's, shared with the engine's findings of the same loss.
UiText lostPart(const OutputFile& file)
{
    const data_repair::ByteBuffer head(file.head.begin(), file.head.end());
    if (data_repair::hasJpegSignature(head)) {
        const qsizetype scan = file.head.indexOf("\xFF\xDA");
        const QByteArray header = scan >= 0 ? file.head.left(scan) : file.head;
        if (header.contains("\xFF\xC2") || header.contains("\xFF\xC6"))
            return UiText::translated("olm::repair::RepairWorkflowController",
                                      "图片后续的扫描数据已丢失，无法恢复，画面可能模糊或下部以填充色显示");
    }
    return UiText::translated("olm::repair::RepairWorkflowController", "图片下部的数据已丢失，无法恢复，该部分以填充色显示");
}

// The last bytes of the file with trailing zero padding (which card readers leave) removed.
QByteArray trimmedTail(QFile& file, qint64 size, qint64 length)
{
    if (!file.seek(std::max<qint64>(0, size - length)))
        return {};
    QByteArray tail = file.read(length);
    while (!tail.isEmpty() && tail.back() == '\0')
        tail.chop(1);
    return tail;
}

// False when the file visibly stops before its format's end.
bool reachesFormatEnd(const OutputFile& file)
{
    QFile input(file.path);
    if (!input.open(QIODevice::ReadOnly))
        return false;
    const data_repair::ByteBuffer head(file.head.begin(), file.head.end());
    // A cut JPEG is caught by the decoder's own warning; bytes after its end marker (camera
    // trailers) are no fault.
    if (data_repair::hasPngSignature(head))
        return trimmedTail(input, file.size, 65536).contains(QByteArray("IEND\xAE\x42\x60\x82"));
    if (data_repair::isGifStart(head))
        return trimmedTail(input, file.size, 65536).endsWith(';');
    if (data_repair::hasBmpSignature(head) && file.head.size() >= 54) {
        const char* h = file.head.constData();
        const quint32 pixelOffset = qFromLittleEndian<quint32>(h + 10);
        const quint32 headerSize = qFromLittleEndian<quint32>(h + 14);
        const quint32 compression = headerSize >= 40 ? qFromLittleEndian<quint32>(h + 30) : 0;
        if (headerSize < 40 || (compression != 0 && compression != 3))
            return true; // compressed rows have no fixed size; the decoder's warnings judge them
        const qint64 width = qFromLittleEndian<qint32>(h + 18);
        const qint64 height = qAbs(qint64(qFromLittleEndian<qint32>(h + 22)));
        const qint64 bits = qFromLittleEndian<quint16>(h + 28);
        const qint64 stride = ((width * bits + 31) / 32) * 4;
        return width > 0 && bits > 0 && qint64(pixelOffset) + stride * height <= file.size;
    }
    return true;
}

class ImageOutputChecker final : public OutputChecker {
public:
    bool claimsSuffix(const QString& suffix) const override
    {
        static const QStringList suffixes = {QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("png"),
                                             QStringLiteral("gif"), QStringLiteral("bmp"),  QStringLiteral("tif"),
                                             QStringLiteral("tiff"), QStringLiteral("webp")};
        return suffixes.contains(suffix);
    }

    bool claimsContent(const QByteArray& head) const override
    {
        const data_repair::ByteBuffer bytes(head.begin(), head.end());
        return data_repair::hasJpegSignature(bytes) || data_repair::hasPngSignature(bytes)
            || data_repair::isGifStart(bytes) || data_repair::hasBmpSignature(bytes);
    }

    OutputValidationResult check(const OutputFile& file, const ValidationControl& control) const override
    {
        QFile input(file.path);
        if (!input.open(QIODevice::ReadOnly))
            return unreadableOutput();
        const DecodeOutcome outcome = decodeWhole(&input);
        control.report(file.size, file.size);
        if (!outcome.decoded || !reachesFormatEnd(file)) {
            const UiText reason = outcome.error.isEmpty() ? uiTr("图像数据不完整") : UiText(outcome.error);
            return {false, uiTr("图片解码验证失败：%1").arg(reason), outcome.filled ? lostPart(file) : UiText()};
        }
        return {true, uiTr("图片可由独立解码器读取")};
    }
};

// --- Camera RAW ---

bool isTiffStart(const QByteArray& head)
{
    return head.startsWith(QByteArray("II*\0", 4)) || head.startsWith(QByteArray("MM\0*", 4));
}

bool decodesAsJpegAt(QFile& input, qint64 offset, qint64 length)
{
    if (offset < 0 || length <= 0 || length > kMaxPreviewBytes || offset > input.size() - length || !input.seek(offset))
        return false;
    QByteArray bytes = input.read(length);
    if (bytes.size() != length || !bytes.startsWith("\xFF\xD8"))
        return false;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return decodeWhole(&buffer, "jpeg").decoded;
}

// The JPEG previews a TIFF-based RAW file names in its first directories (JPEGInterchangeFormat
// and its length, in IFD0, IFD1 and the SubIFDs of IFD0).
bool tiffPreviewDecodes(QFile& input, const QByteArray& head)
{
    const bool little = head.startsWith("II");
    const auto u16 = [&](qint64 at) -> quint32 {
        return at + 2 <= head.size() ? (little ? qFromLittleEndian<quint16>(head.constData() + at)
                                               : qFromBigEndian<quint16>(head.constData() + at)) : 0;
    };
    const auto u32 = [&](qint64 at) -> quint32 {
        return at + 4 <= head.size() ? (little ? qFromLittleEndian<quint32>(head.constData() + at)
                                               : qFromBigEndian<quint32>(head.constData() + at)) : 0;
    };
    QList<quint32> directories{u32(4)};
    for (int visited = 0; visited < directories.size() && visited < 16; ++visited) {
        const qint64 ifd = directories.at(visited);
        if (ifd < 8 || ifd + 2 > head.size())
            continue;
        const quint32 count = std::min<quint32>(u16(ifd), 512);
        quint32 previewOffset = 0, previewLength = 0;
        for (quint32 i = 0; i < count; ++i) {
            const qint64 entry = ifd + 2 + qint64(i) * 12;
            const quint32 tag = u16(entry);
            const quint32 type = u16(entry + 2);
            const quint32 values = u32(entry + 4);
            const quint32 value = type == 3 ? u16(entry + 8) : u32(entry + 8);
            if (tag == 0x0201)
                previewOffset = value;
            else if (tag == 0x0202)
                previewLength = value;
            else if (tag == 0x014A && visited == 0) {
                // SubIFDs: one offset inline, or a list of them.
                if (values == 1)
                    directories.append(value);
                else
                    for (quint32 k = 0; k < std::min<quint32>(values, 8); ++k)
                        directories.append(u32(qint64(value) + qint64(k) * 4));
            }
        }
        if (visited == 0)
            directories.append(u32(ifd + 2 + qint64(count) * 12));
        if (previewOffset != 0 && decodesAsJpegAt(input, previewOffset, previewLength))
            return true;
    }
    return false;
}

// --- The TIFF structure of camera sensor data ---

// Sensor data (colour filter array or linear raw) is no picture the image reader decodes: such a
// file is judged by its TIFF structure instead. Its directories must lie inside the file, every
// directory with image data must have as many offsets as byte counts, every strip or tile inside
// the file, and uncompressed data at least the bytes its size declares; one of them must hold the
// sensor data.
class TiffStructure {
public:
    TiffStructure(QFile& input, bool little) : input_(input), little_(little), size_(input.size()) {}

    bool holdsSensorData()
    {
        QList<quint64> directories{u32(4)};
        bool sensorData = false;
        for (int visited = 0; visited < directories.size(); ++visited) {
            if (visited >= kMaxDirectories)
                return false;
            Directory directory;
            if (!readDirectory(directories.at(visited), directory))
                return false;
            if (visited < kChainLength && directory.next != 0)
                directories.append(directory.next);
            for (const quint64 sub : values(directory, 330))
                directories.append(sub);
            if (failed_ || !imageDataHolds(directory))
                return false;
            const quint64 photometric = first(directory, 262, 0);
            sensorData = sensorData || ((photometric == 32803 || photometric == 34892) && hasImageData(directory));
        }
        return sensorData && !failed_;
    }

private:
    static constexpr int kMaxDirectories = 64;
    static constexpr int kChainLength = 16;
    static constexpr quint64 kMaxEntries = 4096;
    static constexpr quint64 kMaxValues = 1 << 20;

    struct Directory {
        QByteArray entries;
        quint64 next = 0;
    };

    QByteArray read(quint64 at, quint64 length)
    {
        if (at > quint64(size_) || length > quint64(size_) - at || !input_.seek(qint64(at))) {
            failed_ = true;
            return {};
        }
        QByteArray bytes = input_.read(qint64(length));
        if (quint64(bytes.size()) != length)
            failed_ = true;
        return bytes;
    }
    quint32 u16(const QByteArray& b, qsizetype at) const
    {
        return little_ ? qFromLittleEndian<quint16>(b.constData() + at) : qFromBigEndian<quint16>(b.constData() + at);
    }
    quint32 u32(const QByteArray& b, qsizetype at) const
    {
        return little_ ? qFromLittleEndian<quint32>(b.constData() + at) : qFromBigEndian<quint32>(b.constData() + at);
    }
    quint32 u32(quint64 at)
    {
        const QByteArray b = read(at, 4);
        return b.size() == 4 ? u32(b, 0) : 0;
    }

    bool readDirectory(quint64 at, Directory& directory)
    {
        const QByteArray countBytes = read(at, 2);
        if (failed_ || at < 8)
            return false;
        const quint64 count = u16(countBytes, 0);
        if (count == 0 || count > kMaxEntries)
            return false;
        directory.entries = read(at + 2, count * 12 + 4);
        if (failed_)
            return false;
        directory.next = u32(directory.entries, qsizetype(count * 12));
        directory.entries.chop(4);
        return true;
    }

    // The SHORT or LONG values of a tag, read where they are kept; none when the tag is absent.
    QList<quint64> values(const Directory& directory, quint32 tag)
    {
        QList<quint64> list;
        for (qsizetype entry = 0; entry + 12 <= directory.entries.size(); entry += 12) {
            if (u16(directory.entries, entry) != tag)
                continue;
            const quint32 type = u16(directory.entries, entry + 2);
            const quint64 count = u32(directory.entries, entry + 4);
            const quint64 width = type == 3 ? 2 : type == 4 || type == 13 ? 4 : 0;
            if (width == 0 || count == 0 || count > kMaxValues) {
                failed_ = true;
                return {};
            }
            const QByteArray bytes = count * width <= 4 ? directory.entries.mid(entry + 8, 4)
                                                        : read(u32(directory.entries, entry + 8), count * width);
            if (failed_)
                return {};
            for (quint64 i = 0; i < count; ++i)
                list.append(width == 2 ? u16(bytes, qsizetype(i * 2)) : u32(bytes, qsizetype(i * 4)));
            return list;
        }
        return list;
    }
    quint64 first(const Directory& directory, quint32 tag, quint64 absent)
    {
        const QList<quint64> list = values(directory, tag);
        return list.isEmpty() ? absent : list.first();
    }
    bool hasImageData(const Directory& directory) { return !values(directory, 273).isEmpty() || !values(directory, 324).isEmpty(); }

    bool imageDataHolds(const Directory& directory)
    {
        const bool tiled = values(directory, 273).isEmpty();
        const QList<quint64> offsets = values(directory, tiled ? 324 : 273);
        const QList<quint64> counts = values(directory, tiled ? 325 : 279);
        if (offsets.isEmpty())
            return !failed_; // a directory of metadata only
        if (failed_ || offsets.size() != counts.size())
            return false;
        quint64 total = 0;
        for (qsizetype i = 0; i < offsets.size(); ++i) {
            if (counts[i] == 0 || offsets[i] > quint64(size_) || counts[i] > quint64(size_) - offsets[i])
                return false;
            total += counts[i];
        }
        // Uncompressed data has the size its directory declares.
        const quint64 width = first(directory, 256, 0), height = first(directory, 257, 0);
        const quint64 bits = first(directory, 258, 1), samples = first(directory, 277, 1);
        if (first(directory, 259, 1) != 1 || width == 0 || height == 0 || width > 1000000 || height > 1000000
            || bits > 64 || samples > 16)
            return !failed_;
        const quint64 planes = first(directory, 284, 1) == 2 ? samples : 1;
        const quint64 pixelSamples = samples / planes;
        quint64 needed = 0;
        if (tiled) {
            const quint64 tileWidth = first(directory, 322, 0), tileLength = first(directory, 323, 0);
            if (tileWidth == 0 || tileLength == 0 || tileWidth > width * 16 || tileLength > height * 16)
                return false;
            const quint64 tiles = (width + tileWidth - 1) / tileWidth * ((height + tileLength - 1) / tileLength) * planes;
            if (quint64(offsets.size()) != tiles)
                return false;
            needed = tiles * ((tileWidth * pixelSamples * bits + 7) / 8 * tileLength);
        } else {
            needed = (width * pixelSamples * bits + 7) / 8 * height * planes;
        }
        return !failed_ && total >= needed;
    }

    QFile& input_;
    bool little_;
    qint64 size_;
    bool failed_ = false;
};

// Any JPEG that starts near the beginning of the file and decodes (RAF, CR3 and CRW keep their
// previews there).
bool scannedPreviewDecodes(QFile& input)
{
    if (!input.seek(0))
        return false;
    const QByteArray start = input.read(kPreviewScanBytes);
    int tries = 0;
    for (qsizetype at = start.indexOf("\xFF\xD8\xFF"); at >= 0 && tries < kMaxPreviewTries;
         at = start.indexOf("\xFF\xD8\xFF", at + 3), ++tries) {
        const qsizetype end = start.indexOf("\xFF\xD9", at);
        const qint64 length = end >= 0 ? end + 2 - at : std::min<qint64>(input.size() - at, kMaxPreviewBytes);
        if (decodesAsJpegAt(input, at, length))
            return true;
    }
    return false;
}

class CameraRawOutputChecker final : public OutputChecker {
public:
    bool claimsSuffix(const QString& suffix) const override
    {
        const std::string ext = suffix.toStdString();
        return ext != "tif" && ext != "tiff" && data_repair::isListed(data_repair::extensions::kTiffRaw, ext);
    }

    bool claimsContent(const QByteArray&) const override { return false; }

    OutputValidationResult check(const OutputFile& file, const ValidationControl& control) const override
    {
        QFile input(file.path);
        if (!input.open(QIODevice::ReadOnly))
            return unreadableOutput();
        bool decoded = false;
        bool structureHolds = false;
        if (isTiffStart(file.head)) {
            decoded = tiffPreviewDecodes(input, file.head);
            if (!decoded && input.seek(0))
                decoded = decodeWhole(&input, "tiff").decoded;
            if (!decoded)
                structureHolds = TiffStructure(input, file.head.startsWith("II")).holdsSensorData();
        }
        if (!decoded && !structureHolds && !control.isCancelled())
            decoded = scannedPreviewDecodes(input);
        control.report(file.size, file.size);
        if (structureHolds && !decoded)
            return structurePassed();
        if (!decoded)
            return {false, uiTr("图片解码验证失败：%1").arg(uiTr("未找到可解码的图像或内嵌预览"))};
        return {true, uiTr("图片可由独立解码器读取")};
    }
};

} // namespace

std::unique_ptr<OutputChecker> makeImageOutputChecker() { return std::make_unique<ImageOutputChecker>(); }
std::unique_ptr<OutputChecker> makeCameraRawOutputChecker() { return std::make_unique<CameraRawOutputChecker>(); }

} // namespace olm::repair
