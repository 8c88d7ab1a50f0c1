#pragma once

// The structure of an ASF file as far as its repair needs it: the header, file properties and
// data objects, the fixed-size data packets and which of them survive in a damaged file.
// Everything here only reads.

#include <cstdint>
#include <vector>

#include "data_repair/byte_buffer.h"

namespace data_repair {

// The error-correction bytes every packet of one file starts with; they let a packet be
// recognised inside foreign bytes.
struct AsfPacketSignature {
    bool usable = false;
    bool hasErrorCorrection = false;
    ByteBuffer bytes; // flags byte and error-correction data; empty without error correction
};

// Accepted packets that follow each other without a gap.
struct AsfPacketRun {
    uint64_t offset = 0;
    uint64_t count = 0;
};

struct AsfLayout {
    bool valid = false;
    uint64_t headerOffset = 0;
    uint64_t filePropertiesOffset = npos;
    uint64_t dataObjectOffset = npos;
    uint64_t firstPacketOffset = 0;
    uint32_t packetSize = 0;
    uint64_t declaredPacketCount = 0;
    uint64_t declaredDataObjectSize = 0;
    // Accepted packets in ascending order, kept as runs so that the list stays small whatever
    // the file holds.
    std::vector<AsfPacketRun> packetRuns;
    uint64_t packetCount = 0;
    uint64_t resyncCount = 0;
    uint64_t skippedBytes = 0;
};

inline constexpr uint64_t kAsfObjectHeaderSize = 24;
inline constexpr uint64_t kAsfDataObjectHeaderSize = 50;

ByteView asfFilePropertiesGuid();
ByteView asfDataObjectGuid();

// Offset of the first header object GUID, or npos.
uint64_t findAsfHeaderGuid(ByteView bytes);
AsfPacketSignature readAsfPacketSignature(ByteView bytes, uint64_t firstPacketOffset);
// Structural test of one packet (the signature is tested separately).
bool isValidAsfPacket(ByteView bytes, uint64_t offset, uint64_t packetSize);
// Send time plus duration (milliseconds) of a structurally valid packet; false otherwise.
bool asfPacketEndTime(ByteView bytes, uint64_t offset, uint64_t packetSize, uint64_t& endTime);

// Reads the layout from the header at headerOffset. Without an override the file's first packet
// gives the signature; ignoreDeclaredCount lets the walk run past the declared packet count.
AsfLayout parseAsfLayout(ByteView bytes, uint64_t headerOffset, const AsfPacketSignature* signatureOverride,
                         bool ignoreDeclaredCount);

// Walks the packets from firstPacketOffset, resynchronising after damage, and records them in
// layout (packetRuns, packetCount, resyncCount, skippedBytes). At most maxPackets are accepted.
void walkAsfPackets(ByteView bytes, uint64_t firstPacketOffset, uint64_t packetSize,
                    const AsfPacketSignature& signature, uint64_t maxPackets, AsfLayout& layout);

} // namespace data_repair
