// OLE compound file header repair, judged by Python's olefile.

#include <gtest/gtest.h>

#include <functional>

#include "document/ole_repair.h"
#include "document_test_support.h"

using namespace data_repair;
using namespace doc_test;
using test_support::readAll;
using test_support::TempDir;

namespace {

constexpr uint32_t kFree = 0xFFFFFFFF, kEnd = 0xFFFFFFFE, kFatSector = 0xFFFFFFFD;

// A compound file of the given major version (3: 512-byte sectors, 4: 4096) with a root entry
// and the given streams (each at least 4096 bytes, so no mini stream is needed).
ByteBuffer makeOle(int version, const std::vector<std::pair<std::u16string, ByteBuffer>>& streams)
{
    const uint64_t ss = version == 4 ? 4096 : 512;
    ByteBuffer file(ss, 0);
    const uint8_t sig[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    std::copy(std::begin(sig), std::end(sig), file.begin());
    putLe16(file, 24, 0x3E);
    putLe16(file, 26, static_cast<uint16_t>(version));
    putLe16(file, 28, 0xFFFE);
    putLe16(file, 30, version == 4 ? 12 : 9);
    putLe16(file, 32, 6);
    putLe32(file, 40, version == 4 ? 1 : 0);
    putLe32(file, 44, 1);    // one FAT sector
    putLe32(file, 48, 1);    // directory at sector 1
    putLe32(file, 56, 4096); // mini stream cutoff
    putLe32(file, 60, kEnd);
    putLe32(file, 68, kEnd);
    putLe32(file, 76, 0); // DIFAT[0] = sector 0
    for (int i = 1; i < 109; ++i)
        putLe32(file, 76 + 4 * i, kFree);

    std::vector<uint32_t> fat(ss / 4, kFree);
    fat[0] = kFatSector;
    fat[1] = kEnd;
    ByteBuffer directory(ss, 0);
    ByteBuffer data;
    auto entry = [&](size_t index, const std::u16string& name, uint8_t type, uint32_t start, uint64_t size,
                     uint32_t right, uint32_t child) {
        const uint64_t base = index * 128;
        for (size_t i = 0; i < name.size(); ++i)
            putLe16(directory, base + 2 * i, name[i]);
        putLe16(directory, base + 64, static_cast<uint16_t>(2 * (name.size() + 1)));
        directory[base + 66] = type;
        directory[base + 67] = 1;
        putLe32(directory, base + 68, kFree);
        putLe32(directory, base + 72, right);
        putLe32(directory, base + 76, child);
        putLe32(directory, base + 116, start);
        putLe64(directory, base + 120, size);
    };
    entry(0, u"Root Entry", 5, kEnd, 0, kFree, streams.empty() ? kFree : 1);
    uint32_t sector = 2;
    for (size_t i = 0; i < streams.size(); ++i) {
        const auto& [name, bytes] = streams[i];
        const uint32_t count = static_cast<uint32_t>((bytes.size() + ss - 1) / ss);
        entry(i + 1, name, 2, sector, bytes.size(), i + 1 < streams.size() ? static_cast<uint32_t>(i + 2) : kFree, kFree);
        for (uint32_t k = 0; k < count; ++k)
            fat[sector + k] = k + 1 < count ? sector + k + 1 : kEnd;
        ByteBuffer padded = bytes;
        padded.resize(count * ss, 0);
        appendBytes(data, padded);
        sector += count;
    }
    for (size_t i = streams.size() + 1; i < ss / 128; ++i) {
        putLe32(directory, i * 128 + 68, kFree);
        putLe32(directory, i * 128 + 72, kFree);
        putLe32(directory, i * 128 + 76, kFree);
    }
    for (uint32_t v : fat)
        appendLe32(file, v);
    appendBytes(file, directory);
    appendBytes(file, data);
    return file;
}

ByteBuffer pattern(size_t size, uint8_t seed)
{
    ByteBuffer out(size);
    for (size_t i = 0; i < size; ++i)
        out[i] = static_cast<uint8_t>(seed + i * 7);
    return out;
}

ByteBuffer wordFile(int version)
{
    return makeOle(version, {{u"WordDocument", pattern(5000, 1)}, {u"\x05SummaryInformation", pattern(4096, 9)}});
}

// olefile must open the file and read WordDocument back unchanged.
void expectOlefileReads(const fs::path& path)
{
    const auto check = runPython("import sys, olefile\n"
                                 "o = olefile.OleFileIO(sys.argv[1])\n"
                                 "d = o.openstream('WordDocument').read()\n"
                                 "assert d == bytes((1 + i * 7) % 256 for i in range(5000)), len(d)\n"
                                 "print(sorted('/'.join(p) for p in o.listdir()))\n",
                                 {path.string()});
    EXPECT_EQ(check.exitCode, 0) << check.output;
}

} // namespace

TEST(OleRepair, HealthyVersion3And4FilesAreCopiedUnchanged)
{
    TempDir dir;
    for (int version : {3, 4}) {
        SCOPED_TRACE(version);
        const ByteBuffer file = wordFile(version);
        const auto input = dir.write("v" + std::to_string(version) + ".doc", file);
        expectOlefileReads(input);
        const auto analysis = analyzeFile(input);
        ASSERT_EQ(analysis.findings.size(), 1u) << describe(analysis);
        EXPECT_EQ(analysis.findings[0].message, "Office binary directory streams are recoverable");
        EXPECT_EQ(analysis.findings[0].length, 3u); // root entry included
        EXPECT_DOUBLE_EQ(analysis.confidence, 0.72);
        const auto result = repairFile(input);
        ASSERT_TRUE(result.outputWritten) << describe(result);
        EXPECT_TRUE(result.actions.empty()) << describe(result);
        EXPECT_EQ(readAll(result.output.path), file);
        EXPECT_EQ(result.output.kind, "repaired-office-binary-document");
        EXPECT_DOUBLE_EQ(result.confidence, 0.78);
    }
}

TEST(OleRepair, HeaderDamageIsRestoredForBothSectorSizes)
{
    TempDir dir;
    struct Case {
        std::string name;
        std::function<ByteBuffer(ByteBuffer)> damage;
        std::string action;
        uint64_t amount;
    };
    const std::vector<Case> cases = {
        {"prefix", [](ByteBuffer b) { b.insert(b.begin(), 300, 'g'); return b; }, "trim-prefix", 300},
        {"byte-order", [](ByteBuffer b) { putLe16(b, 28, 0xFEFF); return b; }, "repair-byte-order", 2},
        {"shift", [](ByteBuffer b) { putLe16(b, 30, 0); return b; }, "repair-sector-size", 2},
        {"mini-shift", [](ByteBuffer b) { putLe16(b, 32, 7); return b; }, "repair-mini-sector-size", 2},
        {"partial", [](ByteBuffer b) { b.erase(b.end() - 100, b.end()); return b; }, "pad-partial-sector", 100},
    };
    for (int version : {3, 4}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name + " v" + std::to_string(version));
            const auto input = dir.write(c.name + std::to_string(version) + ".doc", c.damage(wordFile(version)));
            const auto result = repairFile(input);
            ASSERT_TRUE(result.outputWritten) << describe(result);
            ASSERT_EQ(result.actions.size(), 1u) << describe(result);
            EXPECT_EQ(result.actions[0].id, c.action);
            EXPECT_EQ(result.actions[0].amount, c.amount);
            if (c.name == "partial")
                continue; // the cut bytes are gone; the file is whole again but the stream is short
            expectOlefileReads(result.output.path);
        }
    }
    const auto prefixed = analyzeFile(dir / "prefix3.doc");
    EXPECT_EQ(prefixed.findings[0].length, 300u);
}

TEST(OleRepair, StreamNamesExpectedStreamsAndFailures)
{
    TempDir dir;
    // The directory cannot be located: names come from the raw UTF-16 search.
    ByteBuffer lost = wordFile(3);
    putLe32(lost, 48, 0xFFFFFFFF);
    EXPECT_EQ(readOleDirectoryNames(lost), (std::vector<std::string>{"WordDocument", "SummaryInformation"}));

    const auto book = analyzeFile(dir.write("old.xls", makeOle(3, {{u"Book", pattern(4096, 3)}})));
    EXPECT_FALSE(hasFindingStartingWith(book, "expected Office stream was not located"));

    const auto unknown = repairFile(dir.write("data.bin", makeOle(3, {{u"Other", pattern(4096, 3)}})));
    EXPECT_EQ(unknown.format, "doc");
    EXPECT_TRUE(hasFindingStartingWith(unknown, "expected Office stream was not located: WordDocument"));
    EXPECT_EQ(fs::path(unknown.output.path).extension(), ".doc");
    EXPECT_DOUBLE_EQ(unknown.confidence, 0.62);

    const ByteBuffer whole = wordFile(3);
    const auto shortFile = repairFile(dir.write("short.ppt", ByteBuffer(whole.begin(), whole.begin() + 400)));
    EXPECT_EQ(shortFile.status.code, 47);
    const auto none = repairFile(dir.write("none.xls", std::string("not a compound file")));
    EXPECT_EQ(none.status.code, 46);
}
