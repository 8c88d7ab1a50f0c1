#pragma once

// Synthetic ASF files with exact control over objects and packets, for the ASF tests.

#include <algorithm>
#include <functional>

#include "container_fixtures.h"
#include "media/asf_layout.h"
#include "media/asf_repair.h"

namespace asf_fixtures {

using data_repair::ByteBuffer;

inline constexpr uint64_t kPacketSize = 256;
inline constexpr uint64_t kOriginalPlayDuration = 123456789;
inline constexpr uint64_t kOriginalSendDuration = 98765432;

inline const ByteBuffer kHeaderGuid = {0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11,
                                       0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C};

// Header object (with a 104-byte file properties object inside), data object and fixed packets
// that carry the 3-byte error-correction signature 82 00 00. Packet k has send time k x 100 ms
// and duration 100 ms (0 and 0 when not timed).
struct SyntheticAsf {
    uint64_t packets = 10;
    uint64_t declaredPackets = 10;
    ByteBuffer errorCorrection = {0x82, 0x00, 0x00};
    bool timed = true;
    uint8_t fill = 0x11;

    uint64_t dataObjectOffset() const { return 30 + 104; }
    uint64_t firstPacketOffset() const { return dataObjectOffset() + 50; }
    std::vector<uint64_t> packetOffsets() const
    {
        std::vector<uint64_t> out;
        for (uint64_t k = 0; k < packets; ++k)
            out.push_back(firstPacketOffset() + k * kPacketSize);
        return out;
    }

    ByteBuffer build() const
    {
        using namespace data_repair;
        ByteBuffer b = kHeaderGuid;
        appendLe64(b, 30 + 104);
        appendLe32(b, 1);
        appendBytes(b, {0x01, 0x02});
        appendBytes(b, asfFilePropertiesGuid());
        appendLe64(b, 104);
        b.insert(b.end(), 16, 0xF1);           // file id
        appendLe64(b, 0);                      // file size (40)
        appendLe64(b, 0);                      // creation date (48)
        appendLe64(b, declaredPackets);        // data packets count (56)
        appendLe64(b, kOriginalPlayDuration);  // play duration (64)
        appendLe64(b, kOriginalSendDuration);  // send duration (72)
        appendLe64(b, 3100);                   // preroll (80)
        appendLe32(b, 2);                      // flags (88)
        appendLe32(b, kPacketSize);            // minimum packet size (92)
        appendLe32(b, kPacketSize);            // maximum packet size (96)
        appendLe32(b, 100000);                 // maximum bitrate (100)
        appendBytes(b, asfDataObjectGuid());
        appendLe64(b, 50 + packets * kPacketSize);
        b.insert(b.end(), 16, 0xF1);
        appendLe64(b, declaredPackets);
        appendBytes(b, {0x01, 0x01});
        for (uint64_t k = 0; k < packets; ++k) {
            ByteBuffer packet = errorCorrection;
            appendBytes(packet, {0x00, 0x00}); // length-type flags (every width 0), property flags
            appendLe32(packet, timed ? static_cast<uint32_t>(k * 100) : 0);
            appendLe16(packet, timed ? 100 : 0);
            packet.resize(kPacketSize, fill);
            appendBytes(b, packet);
        }
        return b;
    }
};

inline std::vector<uint64_t> packetOffsets(const data_repair::AsfLayout& layout)
{
    std::vector<uint64_t> out;
    for (const auto& run : layout.packetRuns)
        for (uint64_t i = 0; i < run.count; ++i)
            out.push_back(run.offset + i * layout.packetSize);
    return out;
}

} // namespace asf_fixtures
