#pragma once

// ASF repair pieces beyond the container entry points: borrowing a healthy sample's header for a
// file that lost its own, and rewriting the surviving packets with recomputed header fields.

#include <string>

#include "media/asf_layout.h"

namespace data_repair {

// Checks whether the sample's header fits a run of packets in the damaged file. On success
// joined (when given) receives the sample's header region followed by the surviving packets
// with recomputed fields, and layout (when given) the layout of that joined file. On failure
// message (when given) receives the reason.
bool joinAsfSampleHeader(ByteView damaged, ByteView sample, ByteBuffer* joined, AsfLayout* layout,
                         std::string* message);

// The header region and the accepted packets of layout, with file size, packet counts,
// durations and data object size recomputed.
ByteBuffer rewriteAsfPackets(ByteView bytes, const AsfLayout& layout);

} // namespace data_repair
