#include "core/iso_box.h"

#include <algorithm>
#include <array>
#include <utility>

namespace data_repair {

namespace {

bool printableType(ByteView buffer, uint64_t pos)
{
    for (uint64_t i = 0; i < 4; ++i) {
        const uint8_t c = readU8(buffer, pos + i);
        if (c < 0x20 || c > 0x7E)
            return false;
    }
    return true;
}

} // namespace

IsoBox parseIsoBox(ByteView buffer, uint64_t start, uint64_t limit)
{
    IsoBox box = parseIsoBoxAnyType(buffer, start, limit);
    if (!box.type.empty() && !printableType(buffer, start + 4)) {
        IsoBox rejected;
        rejected.offset = start;
        rejected.type = std::move(box.type);
        return rejected;
    }
    return box;
}

IsoBox parseIsoBoxAnyType(ByteView buffer, uint64_t start, uint64_t limit)
{
    IsoBox box;
    box.offset = start;
    const uint64_t end = std::min<uint64_t>(limit, buffer.size());
    if (start > end || end - start < 8)
        return box;
    const uint64_t available = end - start;
    const uint32_t size32 = readBe32(buffer, start);
    box.type = bytesToString(buffer, start + 4, 4);
    uint64_t length = size32;
    if (size32 == 1) {
        if (available < 16)
            return box;
        length = readBe64(buffer, start + 8);
        box.headerSize = 16;
    } else if (size32 == 0) {
        length = available;
    }
    if (length < box.headerSize)
        return box;
    if (length > available) {
        length = available;
        box.clamped = true;
    }
    box.size = length;
    box.valid = true;
    return box;
}

void forEachIsoBox(ByteView buffer, uint64_t start, uint64_t limit,
                   const std::function<bool(const IsoBox&)>& visit)
{
    const uint64_t end = std::min<uint64_t>(limit, buffer.size());
    uint64_t pos = start;
    while (pos <= end && end - pos > 7) {
        const IsoBox box = parseIsoBox(buffer, pos, end);
        if (!box.valid)
            return;
        if (!visit(box))
            return;
        const uint64_t next = box.end();
        if (next <= pos || box.clamped)
            return;
        pos = next;
    }
}

std::vector<IsoBox> listIsoBoxes(ByteView buffer, uint64_t start, uint64_t limit)
{
    std::vector<IsoBox> boxes;
    forEachIsoBox(buffer, start, limit, [&](const IsoBox& box) {
        boxes.push_back(box);
        return true;
    });
    return boxes;
}

IsoBox findIsoBox(const std::vector<IsoBox>& list, std::string_view type)
{
    for (const IsoBox& box : list)
        if (box.type == type)
            return box;
    return IsoBox{};
}

bool isIsoContainerBox(std::string_view type)
{
    static const std::array<std::string_view, 10> containers = {"moov", "trak", "mdia", "minf", "stbl",
                                                                "edts", "dinf", "udta", "meta", "ilst"};
    return std::find(containers.begin(), containers.end(), type) != containers.end();
}

} // namespace data_repair
