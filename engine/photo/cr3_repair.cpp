// CR3 (ISO base media) top-level box repair: the core box reader walks the top level, and box
// types are never examined.

#include "core/iso_box.h"
#include "photo/photo_formats.h"

namespace data_repair {

ByteBuffer repairCr3Boxes(ByteView data, RepairResult& report)
{
    const uint64_t c = findCr3Ftyp(data);
    if (c == npos)
        return copyBytes(data);
    ByteBuffer work = copyBytes(data.subspan(static_cast<size_t>(c)));
    if (c > 0)
        report.addAction("trim-prefix", "removed bytes before CR3 ISO-BMFF ftyp box", c);

    const uint64_t length = work.size();
    ByteBuffer out;
    out.reserve(length);
    bool copied = false;
    uint64_t o = 0;
    while (o + 8 <= length) {
        const uint64_t left = length - o;
        const IsoBox box = parseIsoBoxAnyType(work, o, length);
        if (!box.valid) {
            // With nothing copied the whole trimmed data is returned: no drop to report then.
            if (copied)
                report.addAction("drop-invalid-box", "dropped invalid CR3 box with impossible size", left);
            break;
        }
        const uint64_t at = out.size();
        appendRange(out, work, o, box.size);
        copied = true;
        if (box.clamped) { // the reader compares against what is left, so a 64-bit size cannot wrap
            if (box.headerSize == 8) {
                putBe32(out, at, static_cast<uint32_t>(left));
                report.addAction("clamp-box-size", "clamped CR3 box size to available data",
                                 readBe32(work, o) - left);
            }
            break;
        }
        o = box.end();
    }
    return copied ? out : work;
}

} // namespace data_repair
