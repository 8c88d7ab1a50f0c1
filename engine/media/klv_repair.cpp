#include "data_repair/output_writer.h"
#include "media/container_support.h"
#include "media/klv_units.h"

namespace data_repair {

namespace {

const ByteBuffer kUniversalLabelPrefix = {0x06, 0x0E, 0x2B, 0x34};
inline constexpr uint64_t kKeySize = 16;

bool keyAt(ByteView bytes, uint64_t pos) { return matchesAt(bytes, pos, kUniversalLabelPrefix); }

} // namespace

uint64_t klvUnitSizeAt(ByteView bytes, uint64_t a)
{
    if (!keyAt(bytes, a) || !fits(bytes, a, kKeySize + 1))
        return 0;
    const uint64_t remaining = bytes.size() - a;
    const uint8_t b = bytes[a + kKeySize];
    uint64_t value = b;
    uint64_t field = 1;
    if (b >= 0x80) {
        // BER long form: 1 to 8 big-endian length bytes; 0x80 (indefinite) is not used in KLV.
        const uint64_t n = b & 0x7F;
        if (n < 1 || n > 8 || !fits(bytes, a + kKeySize + 1, n))
            return 0;
        value = 0;
        for (uint64_t i = 0; i < n; ++i)
            value = (value << 8) | bytes[a + kKeySize + 1 + i];
        field = n + 1;
    }
    // Compared against what is left instead of added up, so a huge length cannot wrap.
    const uint64_t header = kKeySize + field;
    if (remaining < header || value > remaining - header)
        return 0;
    return header + value;
}

void forEachKlvUnit(ByteView bytes, const std::function<void(const KlvUnit&)>& visit)
{
    // A unit right after the previous one (or at the very start) is taken as it is. After a gap
    // the hit may be a label inside damaged bytes, so it counts only when another key, or the
    // end of the file, follows it. Every step moves forward: the scan stays linear.
    uint64_t expected = 0;
    for (uint64_t a = findBytes(bytes, kUniversalLabelPrefix); a != npos;) {
        const uint64_t size = klvUnitSizeAt(bytes, a);
        const bool chained = a == expected;
        if (size > 0 && (chained || a + size == bytes.size() || keyAt(bytes, a + size))) {
            visit(KlvUnit{a, size});
            expected = a + size;
            a = findBytes(bytes, kUniversalLabelPrefix, expected);
        } else {
            a = findBytes(bytes, kUniversalLabelPrefix, a + 1);
        }
    }
}

std::vector<KlvUnit> listKlvUnits(ByteView bytes)
{
    std::vector<KlvUnit> units;
    forEachKlvUnit(bytes, [&](const KlvUnit& unit) { units.push_back(unit); });
    return units;
}

bool hasKlvKey(ByteView bytes)
{
    const auto unitThenKey = [&](uint64_t a) {
        const uint64_t size = klvUnitSizeAt(bytes, a);
        return size > 0 && keyAt(bytes, a + size);
    };
    return findCheckedPattern(bytes, kUniversalLabelPrefix, unitThenKey, true) != npos;
}

RepairResult analyzeKlv(const RepairRequest& request, ByteView bytes, const std::string& defaultFormat)
{
    RepairResult result = prepareVideoResult(request, bytes);
    result.format = ownFormatName(result.format, {"mxf", "klv"}, defaultFormat);
    uint64_t first = npos;
    uint64_t count = 0;
    forEachKlvUnit(bytes, [&](const KlvUnit& unit) {
        if (count++ == 0)
            first = unit.offset;
    });
    if (count == 0) {
        reportStructureNotFound(result, "KLV universal label was not found", kVideoKlvNotFound, "KLV structure not found");
        return result;
    }
    if (first > 0)
        result.addFinding(HeaderMissing, Warning, "garbage bytes before first KLV unit", 0, first, true, 0.9);
    result.confidence = 0.82;
    return result;
}

RepairResult repairKlvFrom(RepairResult result, const RepairRequest& request, ByteView bytes,
                           const std::string& defaultFormat)
{
    if (!shouldRepair(result, request))
        return result;
    const std::string extension = result.format.empty() || result.format == "unknown" ? defaultFormat : result.format;
    buildAndWriteVideo(result, request, bytes, extension, kVideoKlvWrite, 0.84, [&](OutputPieces& out) {
        uint64_t units = 0;
        forEachKlvUnit(bytes, [&](const KlvUnit& unit) {
            out.appendInput(unit.offset, unit.size);
            ++units;
        });
        result.addAction("rewrite-klv-units", "rewrote complete KLV units and dropped incomplete tail", units);
    });
    return result;
}

} // namespace data_repair
