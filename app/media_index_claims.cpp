// The index claims of ISO base media files, judged from the tables' own headers: each table's entry
// count against the bytes its box holds, and the samples all tracks index against the file's size.

#include "app/media_index_claims.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <bit>
#include <string_view>

namespace olm::repair {

namespace {

constexpr int kMaxBoxDepth = 16;
// FFmpeg keeps one index entry (24 bytes) per sample: a check indexes at most one sample for every
// four bytes of the file, and this many more for tiny files.
constexpr quint64 kSampleAllowance = 65536;
constexpr qint64 kTableHeadBytes = 32;

bool isContainer(std::string_view type)
{
    for (const std::string_view container : {"moov", "trak", "mdia", "minf", "stbl", "edts", "moof", "traf", "mfra"})
        if (type == container)
            return true;
    return false;
}

class ClaimsWalk {
public:
    ClaimsWalk(const QString& path, qint64 size, const ValidationControl& control) : size_(size), control_(control)
    {
        file_.setFileName(path);
    }

    IndexClaims run()
    {
        if (!file_.open(QIODevice::ReadOnly))
            return IndexClaims::Fit; // FFmpeg meets the same error and fails the check
        walk(0, quint64(size_), 0);
        if (broken_ || indexedSamples_ > quint64(size_))
            return IndexClaims::Broken;
        if (tracks_ > kMaxCheckedTracks || indexedSamples_ > quint64(size_) / 4 + kSampleAllowance)
            return IndexClaims::TooMany;
        return IndexClaims::Fit;
    }

private:
    // What one track's tables say, judged when the track ends.
    struct Track {
        bool sound = false;
        quint64 constantSize = 0;
        quint64 samples = 0;
        bool unitDurations = false; // one time-to-sample entry of duration 1
    };

    QByteArray readAt(quint64 offset, qint64 length)
    {
        if (offset > quint64(size_) || !file_.seek(qint64(offset)))
            return {};
        return file_.read(std::min<qint64>(length, size_ - qint64(offset)));
    }

    void walk(quint64 start, quint64 end, int depth)
    {
        quint64 offset = start;
        while (!broken_ && end - offset >= 8 && !control_.isCancelled()) {
            const QByteArray header = readAt(offset, 16);
            if (header.size() < 8)
                return;
            quint64 boxSize = qFromBigEndian<quint32>(header.constData());
            const std::string_view type(header.constData() + 4, 4);
            quint64 headerSize = 8;
            if (boxSize == 1) {
                if (header.size() < 16)
                    return;
                boxSize = qFromBigEndian<quint64>(header.constData() + 8);
                headerSize = 16;
            } else if (boxSize == 0) {
                boxSize = end - offset;
            }
            if (boxSize < headerSize)
                return; // not a box: the rest of this level is not read as one
            // A box cut by the end of its parent is read as far as it goes, as FFmpeg does.
            const quint64 boxEnd = boxSize > end - offset ? end : offset + boxSize;
            const quint64 payload = offset + headerSize;
            if (type == "trak") {
                ++tracks_;
                track_ = Track();
                if (depth < kMaxBoxDepth)
                    walk(payload, boxEnd, depth + 1);
                endTrack();
            } else if (isContainer(type)) {
                if (depth < kMaxBoxDepth)
                    walk(payload, boxEnd, depth + 1);
            } else {
                readTable(type, payload, boxEnd - payload);
            }
            offset = boxEnd;
        }
    }

    // Whether `count` entries of `entryBytes` each fit in what the box has left after `used` bytes.
    void need(quint64 count, quint64 entryBytes, quint64 used, quint64 length)
    {
        if (used > length || (entryBytes > 0 && count > (length - used) / entryBytes))
            broken_ = true;
    }

    void readTable(std::string_view type, quint64 payload, quint64 length)
    {
        static constexpr std::string_view kTables[] = {"stts", "ctts", "stss", "stps", "stsc", "stco", "co64", "stsz",
                                                       "stz2", "elst", "sbgp", "trun", "tfra", "hdlr"};
        if (std::find(std::begin(kTables), std::end(kTables), type) == std::end(kTables))
            return;
        const QByteArray head = readAt(payload, std::min<quint64>(length, kTableHeadBytes));
        const auto u32 = [&](int at) -> quint64 {
            return head.size() >= at + 4 ? qFromBigEndian<quint32>(head.constData() + at) : 0;
        };
        if (head.size() < 8) {
            return; // too short to claim anything
        }
        const int version = static_cast<unsigned char>(head.at(0));
        const quint32 flags = quint32(u32(0)) & 0xFFFFFF;
        if (type == "hdlr") {
            track_.sound = head.size() >= 12 && head.mid(8, 4) == "soun";
        } else if (type == "stts") {
            need(u32(4), 8, 8, length);
            track_.unitDurations = u32(4) == 1 && u32(12) == 1;
        } else if (type == "ctts") {
            need(u32(4), 8, 8, length);
        } else if (type == "stss" || type == "stps" || type == "stco") {
            need(u32(4), 4, 8, length);
        } else if (type == "stsc") {
            need(u32(4), 12, 8, length);
        } else if (type == "co64") {
            need(u32(4), 8, 8, length);
        } else if (type == "stsz") {
            const quint64 constant = u32(4);
            const quint64 count = u32(8);
            if (constant == 0)
                need(count, 4, 12, length);
            track_.constantSize = constant;
            track_.samples += count;
        } else if (type == "stz2") {
            const quint64 fieldBits = head.size() >= 8 ? static_cast<unsigned char>(head.at(7)) : 0;
            const quint64 count = u32(8);
            if (fieldBits != 4 && fieldBits != 8 && fieldBits != 16)
                broken_ = true;
            else if (12 > length || (count * fieldBits + 7) / 8 > length - 12)
                broken_ = true;
            track_.samples += count;
        } else if (type == "elst") {
            need(u32(4), version == 1 ? 20 : 12, 8, length);
        } else if (type == "sbgp") {
            const int at = version == 1 ? 12 : 8;
            need(u32(at), 8, quint64(at) + 4, length);
        } else if (type == "trun") {
            const quint64 count = u32(4);
            const quint64 used = 8 + ((flags & 0x1) ? 4 : 0) + ((flags & 0x4) ? 4 : 0);
            need(count, 4 * quint64(std::popcount(flags & 0xF00)), used, length);
            indexedSamples_ += count; // every fragment sample has an index entry
        } else if (type == "tfra") {
            const quint32 sizes = quint32(u32(8));
            const quint64 entry = (version == 1 ? 16 : 8) + ((sizes >> 4) & 3) + ((sizes >> 2) & 3) + (sizes & 3) + 3;
            need(u32(12), entry, 16, length);
        }
    }

    void endTrack()
    {
        // Uncompressed sound of constant sample size is indexed a chunk at a time; its sample count
        // counts audio frames, not bytes (compressed QuickTime sound states one byte per frame).
        if (track_.constantSize != 0 && track_.sound && track_.unitDurations)
            return;
        if (track_.constantSize != 0 && track_.samples > quint64(size_) / track_.constantSize)
            broken_ = true; // the samples' bytes cannot be in this file
        indexedSamples_ += track_.samples;
    }

    QFile file_;
    const qint64 size_;
    const ValidationControl& control_;
    Track track_;
    quint64 indexedSamples_ = 0;
    int tracks_ = 0;
    bool broken_ = false;
};

} // namespace

IndexClaims readIsoIndexClaims(const QString& path, qint64 size, const ValidationControl& control)
{
    if (size <= 0)
        return IndexClaims::Fit;
    ClaimsWalk walk(path, size, control);
    return walk.run();
}

} // namespace olm::repair
