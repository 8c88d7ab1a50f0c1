// M4A: the ftyp/moov/mdat rewrite, borrowed boxes, rebased chunk offsets and the layouts that
// must not lose media, judged by ffprobe and ffmpeg decoding where a real file shows it.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "audio_test_support.h"
#include "media/audio_formats.h"

using namespace data_repair;
using namespace audio_test;

namespace {

ByteBuffer box(const std::string& type, const ByteBuffer& payload) { return isoBox(type, payload); }

ByteBuffer largeBox(const std::string& type, const ByteBuffer& payload, uint64_t declared = 0)
{
    ByteBuffer out;
    appendBe32(out, 1);
    appendString(out, type);
    appendBe64(out, declared != 0 ? declared : 16 + payload.size());
    appendBytes(out, payload);
    return out;
}

ByteBuffer stco(std::initializer_list<uint32_t> entries)
{
    ByteBuffer payload(4, 0);
    appendBe32(payload, static_cast<uint32_t>(entries.size()));
    for (uint32_t e : entries)
        appendBe32(payload, e);
    return box("stco", payload);
}

ByteBuffer moovWith(const ByteBuffer& table)
{
    return box("moov", box("trak", box("mdia", box("minf", box("stbl", table)))));
}

ByteBuffer ftyp() { return box("ftyp", concat({bytesOf("M4A "), ByteBuffer(4, 0), bytesOf("M4A isom")})); }

// Top-level box types and sizes of a file, checking that they tile it exactly.
std::vector<std::string> topLevel(const ByteBuffer& file)
{
    std::vector<std::string> types;
    uint64_t p = 0;
    while (p + 8 <= file.size()) {
        uint64_t size = readBe32(file, p);
        if (size == 1)
            size = readBe64(file, p + 8);
        types.push_back(bytesToString(file, p + 4, 4));
        if (size < 8)
            break;
        p += size;
    }
    EXPECT_EQ(p, file.size());
    return types;
}

// Every chunk offset of the first stco or co64 found (byte search is enough for these files).
std::vector<uint64_t> chunkOffsets(const ByteBuffer& file, bool* wide = nullptr)
{
    std::vector<uint64_t> offsets;
    uint64_t at = findBytes(file, "stco", 0);
    const bool is64 = at == npos;
    if (is64)
        at = findBytes(file, "co64", 0);
    if (wide != nullptr)
        *wide = is64;
    if (at == npos)
        return offsets;
    const uint64_t count = readBe32(file, at + 8);
    for (uint64_t i = 0; i < count; ++i)
        offsets.push_back(is64 ? readBe64(file, at + 12 + i * 8) : readBe32(file, at + 12 + i * 4));
    return offsets;
}

ByteBuffer marker(uint8_t value, size_t size = 16) { return ByteBuffer(size, value); }

// An M4A as a recorder or converter writes it (ipod muxer: ftyp, free, mdat, then moov).
class M4aRealFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TOOL("ffmpeg");
        intact = encodeTone(dir, "tone.m4a", "-c:a aac -b:a 96k -f ipod");
        ASSERT_FALSE(intact.empty());
        intactSeconds = decodedSeconds(dir / "tone.m4a");
        ASSERT_GT(intactSeconds, 2.9);
    }
    test_support::TempDir dir;
    ByteBuffer intact;
    double intactSeconds = 0;
};

} // namespace

TEST_F(M4aRealFile, MoovAfterMdatIsRewrittenAndPlays)
{
    ASSERT_EQ(topLevel(intact), (std::vector<std::string>{"ftyp", "free", "mdat", "moov"}));

    const RepairResult result = repairAudio(dir / "tone.m4a");
    ASSERT_TRUE(result.status.ok) << result.status.message;
    EXPECT_TRUE(hasFinding(result, "M4A moov atom can be moved before mdat"));
    EXPECT_DOUBLE_EQ(result.confidence, 0.78);
    EXPECT_TRUE(hasAction(result, "patch-m4a-chunk-offsets"));
    const ByteBuffer out = test_support::readAll(result.output.path);
    EXPECT_EQ(topLevel(out), (std::vector<std::string>{"ftyp", "moov", "mdat"}));
    uint64_t amount = 0;
    ASSERT_TRUE(hasAction(result, "rewrite-m4a-atoms", &amount));
    EXPECT_EQ(amount, out.size());
    const auto probe = test_support::run("ffprobe -v error " + test_support::quote(result.output.path));
    EXPECT_EQ(probe.output, "");
    std::string errors;
    EXPECT_DOUBLE_EQ(decodedSeconds(result.output.path, &errors), intactSeconds) << errors;
}

TEST_F(M4aRealFile, GarbageBeforeFtypIsTrimmedNotTreatedAsAFrameStream)
{
    const auto input = dir.write("prefixed.m4a", concat({garbage(13), intact}));
    const RepairResult result = repairAudio(input);
    ASSERT_TRUE(result.status.ok) << result.status.message;
    EXPECT_EQ(result.format, "m4a");
    EXPECT_TRUE(result.notes.empty());
    const Finding* found = nullptr;
    ASSERT_TRUE(hasFinding(result, "garbage bytes before M4A ftyp atom", &found));
    EXPECT_EQ(found->length, 13u);
    uint64_t trimmed = 0;
    ASSERT_TRUE(hasAction(result, "trim-m4a-prefix", &trimmed));
    EXPECT_EQ(trimmed, 13u);
    EXPECT_EQ(fs::path(result.output.path).extension(), ".m4a");
    std::string errors;
    EXPECT_DOUBLE_EQ(decodedSeconds(result.output.path, &errors), intactSeconds) << errors;
}

TEST_F(M4aRealFile, LostMoovComesFromTheSampleOrTheFileKeepsItsMediaOnly)
{
    // The recorder died before writing the moov; the earlier copy of the file is the sample.
    const uint64_t moovAt = findBytes(intact, "moov", 0) - 4;
    const ByteBuffer damaged(intact.begin(), intact.begin() + static_cast<long>(moovAt));
    const auto input = dir.write("memo.m4a", damaged);

    // Without a sample nothing unplayable is written: the failure says a sample is needed.
    const RepairResult bare = repairAudio(input);
    EXPECT_FALSE(bare.status.ok);
    EXPECT_EQ(bare.status.code, kAudioM4aSampleNeeded);
    EXPECT_FALSE(bare.outputWritten);
    const RepairResult analysed = analyzeAudio(input);
    ASSERT_TRUE(analysed.status.ok);
    const Finding* found = nullptr;
    ASSERT_TRUE(hasFinding(analysed, "M4A moov atom is missing; a sample file can provide metadata", &found));
    EXPECT_FALSE(found->repairable);

    // Cut inside the moov: a partial moov would swallow the media after it, so it is not used.
    const ByteBuffer cutInMoov(intact.begin(), intact.begin() + static_cast<long>(moovAt + 100));
    const auto partial = dir.write("partial.m4a", cutInMoov);
    const RepairResult partialResult = repairAudio(partial);
    EXPECT_EQ(partialResult.status.code, kAudioM4aSampleNeeded);
    EXPECT_TRUE(hasFinding(partialResult, "M4A atom size overran file and can be clamped: moov"));
    EXPECT_TRUE(hasFinding(partialResult, "M4A moov atom is missing; a sample file can provide metadata"));

    RepairRequest request = test_support::requestFor(input);
    request.sample = makeSourceInfo((dir / "tone.m4a").string());
    request.overwrite = true;
    const RepairResult borrowed = repairAudio(request);
    ASSERT_TRUE(borrowed.status.ok) << borrowed.status.message;
    EXPECT_TRUE(borrowed.usedReference);
    EXPECT_TRUE(hasAction(borrowed, "borrow-m4a-moov"));
    EXPECT_FALSE(hasAction(borrowed, "borrow-m4a-ftyp")); // mode 1 keeps the file's own ftyp
    std::string errors;
    EXPECT_DOUBLE_EQ(decodedSeconds(borrowed.output.path, &errors), intactSeconds) << errors;
}

TEST(M4aRepair, OnlyMdatAndSampleUseByMode)
{
    test_support::TempDir dir;
    const ByteBuffer media = marker(0x33, 40);
    const auto bare = dir.write("bare.m4a", box("mdat", media));
    const RepairResult analysed = analyzeAudio(bare);
    ASSERT_TRUE(analysed.status.ok);
    EXPECT_TRUE(hasFinding(analysed, "M4A ftyp atom is missing"));
    EXPECT_DOUBLE_EQ(analysed.confidence, 0.78);
    const RepairResult repaired = repairAudio(bare);
    EXPECT_EQ(repaired.status.code, kAudioM4aSampleNeeded);
    uint64_t amount = 0;
    ASSERT_TRUE(hasAction(repaired, "inject-m4a-ftyp", &amount));
    EXPECT_EQ(amount, 28u);

    // A file with its own moov: neither mode replaces it while its tables fit the audio data; in
    // mode 2 the sample stands in for a moov that does not fit, and the file keeps its own ftyp.
    const auto tables = [](std::initializer_list<uint32_t> sizes, std::initializer_list<uint32_t> offsets) {
        ByteBuffer stsc(4, 0), stsz(4, 0);
        appendBe32(stsc, 1);
        for (uint32_t v : {1u, 1u, 1u})
            appendBe32(stsc, v);
        appendBe32(stsz, 0);
        appendBe32(stsz, static_cast<uint32_t>(sizes.size()));
        for (uint32_t v : sizes)
            appendBe32(stsz, v);
        return moovWith(concat({box("stsc", stsc), box("stsz", stsz), stco(offsets)}));
    };
    const uint64_t ownPayload = ftyp().size() + tables({40}, {0}).size() + 8;
    const ByteBuffer own = concat({ftyp(), tables({40}, {static_cast<uint32_t>(ownPayload)}), box("mdat", media)});
    const ByteBuffer broken = concat({ftyp(), tables({40}, {4000}), box("mdat", media)});
    ByteBuffer sampleFtyp = box("ftyp", bytesOf("M4B \0\0\0\0M4B "));
    // The sample has no mdat: its chunk offsets are taken as relative (old base 0).
    const ByteBuffer sampleMoov = tables({20, 20}, {0, 20});
    const auto sample = dir.write("sample.m4a", concat({sampleFtyp, sampleMoov}));
    for (int32_t mode : {Repair, Advanced}) {
        RepairRequest request = test_support::requestFor(dir.write("own.m4a", own), mode);
        request.sample = makeSourceInfo(sample.string());
        request.overwrite = true;
        const RepairResult kept = repairAudio(request);
        ASSERT_TRUE(kept.status.ok) << kept.status.message;
        EXPECT_FALSE(kept.usedReference);
        EXPECT_EQ(test_support::readAll(kept.output.path), own);
    }
    RepairRequest request = test_support::requestFor(dir.write("broken.m4a", broken), Advanced);
    request.sample = makeSourceInfo(sample.string());
    const RepairResult advanced = repairAudio(request);
    ASSERT_TRUE(advanced.status.ok) << advanced.status.message;
    EXPECT_TRUE(advanced.usedReference);
    EXPECT_FALSE(hasAction(advanced, "borrow-m4a-ftyp"));
    EXPECT_TRUE(hasAction(advanced, "borrow-m4a-moov"));
    const ByteBuffer advancedOut = test_support::readAll(advanced.output.path);
    EXPECT_TRUE(matchesAt(advancedOut, 0, ftyp()));
    const uint64_t payload = ftyp().size() + sampleMoov.size() + 8;
    EXPECT_EQ(chunkOffsets(advancedOut), (std::vector<uint64_t>{payload, payload + 20}));

    // A sample whose index describes more audio than the file holds does not match it.
    const auto longer = dir.write("longer.m4a", concat({sampleFtyp, tables({20, 20, 20}, {0, 20, 40})}));
    request.sample = makeSourceInfo(longer.string());
    request.overwrite = true;
    const RepairResult mismatch = repairAudio(request);
    EXPECT_FALSE(mismatch.status.ok);
    EXPECT_EQ(mismatch.status.code, kAudioM4aSampleMismatch);
    EXPECT_FALSE(mismatch.outputWritten);

    // A sample larger than memory with its moov behind the media data: only its boxes are read.
    const uint64_t hugeMedia = 64ull << 30;
    const uint64_t sampleBase = sampleFtyp.size() + 16;
    const auto huge = dir.write("huge.m4a", concat({sampleFtyp, largeBox("mdat", {}, 16 + hugeMedia)}));
    std::error_code ec;
    std::filesystem::resize_file(huge, sampleBase + hugeMedia, ec);
    if (ec)
        GTEST_SKIP() << "no sparse files here: " << ec.message();
    const ByteBuffer hugeMoov =
        tables({20, 20}, {static_cast<uint32_t>(sampleBase), static_cast<uint32_t>(sampleBase + 20)});
    std::ofstream(huge, std::ios::binary | std::ios::app)
        .write(reinterpret_cast<const char*>(hugeMoov.data()), static_cast<std::streamsize>(hugeMoov.size()));
    request.sample = makeSourceInfo(huge.string());
    const RepairResult fromHuge = repairAudio(request);
    ASSERT_TRUE(fromHuge.status.ok) << fromHuge.status.message;
    EXPECT_TRUE(hasAction(fromHuge, "borrow-m4a-moov"));
    EXPECT_EQ(chunkOffsets(test_support::readAll(fromHuge.output.path)), (std::vector<uint64_t>{payload, payload + 20}));

    // The same sample with its last box sized "to the end of the file": the borrowed moov carries
    // its real size, so it does not take in the media data written after it.
    const auto toEnd = dir.write("to-end.m4a", concat({sampleFtyp, largeBox("mdat", {}, 16 + hugeMedia)}));
    std::filesystem::resize_file(toEnd, sampleBase + hugeMedia, ec);
    ASSERT_FALSE(ec) << ec.message();
    ByteBuffer openMoov = hugeMoov;
    putBe32(openMoov, 0, 0);
    std::ofstream(toEnd, std::ios::binary | std::ios::app)
        .write(reinterpret_cast<const char*>(openMoov.data()), static_cast<std::streamsize>(openMoov.size()));
    request.sample = makeSourceInfo(toEnd.string());
    const RepairResult fromOpen = repairAudio(request);
    ASSERT_TRUE(fromOpen.status.ok) << fromOpen.status.message;
    const ByteBuffer openOut = test_support::readAll(fromOpen.output.path);
    EXPECT_EQ(topLevel(openOut), (std::vector<std::string>{"ftyp", "moov", "mdat"}));
    EXPECT_EQ(chunkOffsets(openOut), (std::vector<uint64_t>{payload, payload + 20}));
}

TEST(M4aRepair, ChunkOffsetsPast4GiBAreWidenedNeverWrapped)
{
    test_support::TempDir dir;
    // ftyp, mdat, moov: moving the moov forward pushes the last 32-bit offset past 4 GiB.
    const uint32_t payloadAt = static_cast<uint32_t>(ftyp().size() + 8);
    const ByteBuffer file =
        concat({ftyp(), box("mdat", marker(0x44)), moovWith(stco({payloadAt, 0xFFFFFFF0u}))});
    const auto input = dir.write("big.m4a", file);
    const RepairResult result = repairAudio(input);
    ASSERT_TRUE(result.status.ok) << result.status.message;
    const ByteBuffer out = test_support::readAll(result.output.path);
    EXPECT_EQ(topLevel(out), (std::vector<std::string>{"ftyp", "moov", "mdat"}));
    bool wide = false;
    const std::vector<uint64_t> offsets = chunkOffsets(out, &wide);
    EXPECT_TRUE(wide);
    ASSERT_EQ(offsets.size(), 2u);
    const uint64_t newPayload = out.size() - 16;
    EXPECT_EQ(offsets[0], newPayload);
    EXPECT_EQ(offsets[1], 0xFFFFFFF0ull + (newPayload - payloadAt));
    EXPECT_EQ(ByteBuffer(out.begin() + static_cast<long>(offsets[0]), out.end()), marker(0x44));
}

TEST(M4aRepair, CopiedBoxSizesMatchTheBytesWritten)
{
    test_support::TempDir dir;
    // No ftyp, a moov with a 16-byte header (its children start at 16, not 8), and a cut mdat
    // with a 64-bit size that claims far more than exists.
    const ByteBuffer probe = largeBox("moov", box("trak", box("mdia", box("minf", box("stbl", stco({0}))))));
    const uint32_t oldPayload = static_cast<uint32_t>(probe.size() + 16);
    const ByteBuffer moov = largeBox("moov", box("trak", box("mdia", box("minf", box("stbl", stco({oldPayload}))))));
    const ByteBuffer file = concat({moov, largeBox("mdat", marker(0x55, 64), 1000000)});
    const auto input = dir.write("cut.m4a", file);
    const RepairResult result = repairAudio(input);
    ASSERT_TRUE(result.status.ok) << result.status.message;
    const Finding* found = nullptr;
    ASSERT_TRUE(hasFinding(result, "M4A atom size overran file and can be clamped: mdat", &found));
    EXPECT_EQ(found->length, 16u + 64u);
    const ByteBuffer out = test_support::readAll(result.output.path);
    EXPECT_EQ(topLevel(out), (std::vector<std::string>{"ftyp", "moov", "mdat"}));
    const uint64_t mdatAt = 28 + moov.size();
    EXPECT_EQ(readBe32(out, mdatAt), 1u);
    EXPECT_EQ(readBe64(out, mdatAt + 8), 16u + 64u);
    // The stco under the 16-byte moov header was found and moved with the media.
    uint64_t rewritten = 0;
    EXPECT_TRUE(hasAction(result, "patch-m4a-chunk-offsets", &rewritten));
    EXPECT_EQ(rewritten, 1u);
    EXPECT_EQ(chunkOffsets(out), (std::vector<uint64_t>{mdatAt + 16}));
    EXPECT_EQ(sliceBytes(out, mdatAt + 16, 64), marker(0x55, 64));
}

TEST(M4aRepair, SecondMdatIsKeptAndOffsetsFollowIt)
{
    test_support::TempDir dir;
    // No ftyp (the default one is injected in front), moov first, two media boxes.
    const ByteBuffer first = box("mdat", marker(0x61));
    const ByteBuffer gap = box("free", marker(0, 8));
    const ByteBuffer second = box("mdat", marker(0x62));
    const ByteBuffer moovProbe = moovWith(stco({0, 0}));
    const uint32_t firstPayload = static_cast<uint32_t>(moovProbe.size() + 8);
    const uint32_t secondPayload = static_cast<uint32_t>(moovProbe.size() + first.size() + gap.size() + 8);
    const ByteBuffer file = concat({moovWith(stco({firstPayload, secondPayload})), first, gap, second});
    const auto input = dir.write("split.m4a", file);
    const RepairResult result = repairAudio(input);
    ASSERT_TRUE(result.status.ok) << result.status.message;
    const ByteBuffer out = test_support::readAll(result.output.path);
    EXPECT_EQ(topLevel(out), (std::vector<std::string>{"ftyp", "moov", "mdat", "free", "mdat"}));
    const std::vector<uint64_t> offsets = chunkOffsets(out);
    ASSERT_EQ(offsets.size(), 2u);
    EXPECT_EQ(offsets[0], firstPayload + 28u);
    EXPECT_EQ(offsets[1], secondPayload + 28u);
    EXPECT_EQ(sliceBytes(out, offsets[0], 16), marker(0x61));
    EXPECT_EQ(sliceBytes(out, offsets[1], 16), marker(0x62));
}

TEST(M4aRepair, NoMdatFailsWithCode81)
{
    test_support::TempDir dir;
    const RepairResult result = repairAudio(dir.write("empty.m4a", concat({ftyp(), moovWith(stco({1}))})));
    EXPECT_EQ(result.status.code, 81);
    EXPECT_EQ(result.status.message, "M4A mdat atom not found");
    EXPECT_TRUE(hasFinding(result, "M4A mdat audio payload atom was not found"));
    EXPECT_FALSE(result.outputWritten);
}
