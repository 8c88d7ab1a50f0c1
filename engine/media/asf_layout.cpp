#include "media/asf_layout.h"

#include <algorithm>

#include "data_repair/checkpoint.h"
#include "data_repair/detection.h"

namespace data_repair {

namespace {

inline constexpr uint64_t kFilePropertiesUsable = 104;
inline constexpr uint64_t kMaxPacketSize = 0x1000000;
inline constexpr uint64_t kMaxDeclaredPackets = 100000000;
inline constexpr uint64_t kMaxPacketDurationMs = 60000;

// Width in bytes of a field whose size the length-type flags give as a 2-bit code.
uint64_t fieldWidth(uint8_t code)
{
    static constexpr uint64_t widths[4] = {0, 1, 2, 4};
    return widths[code & 3];
}

bool signatureMatches(ByteView bytes, uint64_t pos, const AsfPacketSignature& signature)
{
    if (pos >= bytes.size())
        return false;
    if (!signature.bytes.empty())
        return matchesAt(bytes, pos, signature.bytes);
    return (bytes[pos] & 0x80) == 0;
}

bool packetAccepted(ByteView bytes, uint64_t pos, uint64_t packetSize, const AsfPacketSignature& signature)
{
    return signatureMatches(bytes, pos, signature) && isValidAsfPacket(bytes, pos, packetSize);
}

void appendPacket(AsfLayout& layout, uint64_t pos, uint64_t packetSize)
{
    auto& runs = layout.packetRuns;
    if (!runs.empty() && runs.back().offset + runs.back().count * packetSize == pos)
        ++runs.back().count;
    else
        runs.push_back(AsfPacketRun{pos, 1});
    ++layout.packetCount;
}

// Removes the last accepted packet and returns its offset.
uint64_t removeLastPacket(AsfLayout& layout, uint64_t packetSize)
{
    auto& run = layout.packetRuns.back();
    const uint64_t offset = run.offset + (run.count - 1) * packetSize;
    if (--run.count == 0)
        layout.packetRuns.pop_back();
    --layout.packetCount;
    return offset;
}

} // namespace

ByteView asfFilePropertiesGuid()
{
    static const ByteBuffer guid = {0xA1, 0xDC, 0xAB, 0x8C, 0x47, 0xA9, 0xCF, 0x11,
                                    0x8E, 0xE4, 0x00, 0xC0, 0x0C, 0x20, 0x53, 0x65};
    return guid;
}

ByteView asfDataObjectGuid()
{
    static const ByteBuffer guid = {0x36, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11,
                                    0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C};
    return guid;
}

uint64_t findAsfHeaderGuid(ByteView bytes) { return findBytes(bytes, asfHeaderGuid()); }

AsfPacketSignature readAsfPacketSignature(ByteView bytes, uint64_t firstPacketOffset)
{
    AsfPacketSignature signature;
    if (firstPacketOffset >= bytes.size())
        return signature;
    const uint8_t flags = bytes[firstPacketOffset];
    signature.hasErrorCorrection = (flags & 0x80) != 0;
    if (!signature.hasErrorCorrection) {
        signature.usable = true;
        return signature;
    }
    const uint64_t length = flags & 0x0F;
    if (length == 0 || !fits(bytes, firstPacketOffset, length + 1))
        return signature;
    signature.bytes = sliceBytes(bytes, firstPacketOffset, length + 1);
    signature.usable = true;
    return signature;
}

bool asfPacketEndTime(ByteView bytes, uint64_t p, uint64_t packetSize, uint64_t& endTime)
{
    if (packetSize < 8 || !fits(bytes, p, packetSize))
        return false;
    const uint64_t end = p + packetSize;
    uint64_t q = p;
    if ((bytes[p] & 0x80) != 0) {
        const uint64_t length = bytes[p] & 0x0F;
        if (length == 0 || length + 1 > end - p)
            return false;
        q = p + 1 + length;
    }
    if (end - q < 2)
        return false;
    const uint8_t lengthType = bytes[q];
    const uint64_t packetLengthWidth = fieldWidth(lengthType >> 5);
    const uint64_t t = q + 2 + packetLengthWidth + fieldWidth(lengthType >> 1) + fieldWidth(lengthType >> 3);
    if (t > end || end - t < 6)
        return false;
    uint64_t packetLength = 0;
    if (packetLengthWidth == 1)
        packetLength = bytes[q + 2];
    else if (packetLengthWidth == 2)
        packetLength = readLe16(bytes, q + 2);
    else if (packetLengthWidth == 4)
        packetLength = readLe32(bytes, q + 2);
    if (packetLength != 0 && packetLength != packetSize)
        return false;
    const uint64_t duration = readLe16(bytes, t + 4);
    if (duration > kMaxPacketDurationMs)
        return false;
    endTime = static_cast<uint64_t>(readLe32(bytes, t)) + duration;
    return true;
}

bool isValidAsfPacket(ByteView bytes, uint64_t offset, uint64_t packetSize)
{
    uint64_t ignored = 0;
    return asfPacketEndTime(bytes, offset, packetSize, ignored);
}

void walkAsfPackets(ByteView bytes, uint64_t first, uint64_t packetSize, const AsfPacketSignature& signature,
                    uint64_t maxPackets, AsfLayout& layout)
{
    const uint64_t size = bytes.size();
    auto accepted = [&](uint64_t at) { return packetAccepted(bytes, at, packetSize, signature); };
    uint64_t pos = first;
    while (layout.packetCount < maxPackets && pos <= size && size - pos >= packetSize) {
        checkpoint(pos, size);
        if (accepted(pos)) {
            appendPacket(layout, pos, packetSize);
            pos += packetSize;
            continue;
        }
        // Resynchronise: the first position from which three packets in a row are accepted. The
        // search starts just after the last good packet and, when the damaged region is longer
        // than a packet, goes on to the end of the file rather than giving up on everything
        // after it. Each resync is followed by at least three accepted packets, so the searched
        // regions never overlap and the walk stays linear.
        const uint64_t start = pos > packetSize ? std::max(first, pos - packetSize + 1) : first;
        uint64_t found = npos;
        for (uint64_t c = start; c <= size && size - c >= 3 * packetSize; ++c) {
            checkpointStep(c, size);
            if (accepted(c) && accepted(c + packetSize) && accepted(c + 2 * packetSize)) {
                found = c;
                break;
            }
        }
        if (found == npos)
            break;
        if (found < pos && layout.packetCount > 0) {
            // Bytes were cut out of the packet before the break: it is incomplete.
            layout.skippedBytes += found - removeLastPacket(layout, packetSize);
        } else if (found > pos) {
            // Bytes were inserted or overwritten: the packet before stays intact.
            layout.skippedBytes += found - pos;
        }
        ++layout.resyncCount;
        pos = found;
    }
}

AsfLayout parseAsfLayout(ByteView bytes, uint64_t headerOffset, const AsfPacketSignature* signatureOverride,
                         bool ignoreDeclaredCount)
{
    AsfLayout layout;
    layout.headerOffset = headerOffset;
    const uint64_t size = bytes.size();
    if (headerOffset == npos || !fitsIn(size, headerOffset, 30))
        return layout;
    const uint64_t headerSize = readLe64(bytes, headerOffset + 16);
    if (headerSize < 30 || headerSize > size - headerOffset)
        return layout;
    const uint64_t headerEnd = headerOffset + headerSize;
    layout.filePropertiesOffset = findBytes(bytes, asfFilePropertiesGuid(), headerOffset + kAsfObjectHeaderSize);
    layout.dataObjectOffset = findBytes(bytes, asfDataObjectGuid(), headerEnd);
    const uint64_t fp = layout.filePropertiesOffset;
    const uint64_t data = layout.dataObjectOffset;
    if (fp == npos || fp > headerEnd || headerEnd - fp < kFilePropertiesUsable)
        return layout;
    if (data == npos || !fitsIn(size, data, kAsfDataObjectHeaderSize))
        return layout;
    const uint64_t packetSize = readLe32(bytes, fp + 92);
    const uint64_t maxPacketSize = readLe32(bytes, fp + 96);
    layout.declaredPacketCount = readLe64(bytes, data + 40);
    layout.declaredDataObjectSize = readLe64(bytes, data + 16);
    layout.firstPacketOffset = data + kAsfDataObjectHeaderSize;
    layout.packetSize = static_cast<uint32_t>(packetSize);
    if (packetSize == 0 || packetSize != maxPacketSize || packetSize > kMaxPacketSize ||
        layout.declaredPacketCount > kMaxDeclaredPackets)
        return layout;
    const AsfPacketSignature signature =
        signatureOverride != nullptr ? *signatureOverride : readAsfPacketSignature(bytes, layout.firstPacketOffset);
    if (!signature.usable)
        return layout;
    walkAsfPackets(bytes, layout.firstPacketOffset, packetSize, signature,
                   ignoreDeclaredCount ? npos : layout.declaredPacketCount, layout);
    layout.valid = layout.packetCount > 0;
    return layout;
}

} // namespace data_repair
