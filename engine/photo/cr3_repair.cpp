// CR3 (ISO base media) top-level box repair: its own minimal box walk, types never examined.

#include "photo/photo_formats.h"

namespace data_repair {

ByteBuffer repairCr3Boxes(const ByteBuffer& data, RepairResult& report)
{
    const uint64_t c = findCr3Ftyp(data);
    if (c == npos)
        return data;
    ByteBuffer work(data.begin() + static_cast<std::ptrdiff_t>(c), data.end());
    if (c > 0)
        report.addAction("trim-prefix", "removed bytes before CR3 ISO-BMFF ftyp box", c);

    const uint64_t length = work.size();
    ByteBuffer out;
    out.reserve(length);
    bool copied = false;
    uint64_t o = 0;
    while (o + 8 <= length) {
        const uint64_t left = length - o;
        const uint32_t s = readBe32(work, o);
        uint64_t size = s;
        uint64_t headerLength = 8;
        bool invalid = false;
        if (s == 1) {
            if (left < 16)
                invalid = true;
            else {
                size = readBe64(work, o + 8);
                headerLength = 16;
            }
        } else if (s == 0) {
            size = left;
        }
        if (invalid || size < headerLength) {
            // With nothing copied the whole trimmed data is returned: no drop to report then.
            if (copied)
                report.addAction("drop-invalid-box", "dropped invalid CR3 box with impossible size", left);
            break;
        }
        if (size > left) { // compared against what is left: a 64-bit size near 2^64 cannot wrap
            const uint64_t at = out.size();
            appendRange(out, work, o, left);
            copied = true;
            if (headerLength == 8) {
                putBe32(out, at, static_cast<uint32_t>(left));
                report.addAction("clamp-box-size", "clamped CR3 box size to available data", size - left);
            }
            break;
        }
        appendRange(out, work, o, size);
        copied = true;
        o += size;
    }
    return copied ? out : work;
}

} // namespace data_repair
