#include <gtest/gtest.h>


#include "media/mp4_video.h"
#include "media/video_prefix_truncation.h"
#include "mp4_fixtures.h"

using namespace data_repair;
using namespace mp4_fixtures;

namespace {

ByteBuffer fullBox(std::string_view type, uint8_t version, const ByteBuffer& rest) {
    ByteBuffer payload{version, 0, 0, 0};
    appendBytes(payload, rest);
    return box(type, payload);
}

ByteBuffer be32s(std::initializer_list<uint32_t> values) {
    ByteBuffer out;
    for (uint32_t v : values) appendBe32(out, v);
    return out;
}

std::vector<uint32_t> u32s(const ByteBuffer& b, uint64_t from) {
    std::vector<uint32_t> out;
    for (uint64_t p = from; p + 4 <= b.size(); p += 4) out.push_back(readBe32(b, p));
    return out;
}

struct Cut {
    bool done = false;
    ByteBuffer out;
    VideoCutPlan plan;
};

Cut runCut(const ByteBuffer& file) {
    const Mp4Layout layout = scanMp4Layout(file);
    Cut c;
    c.done = truncateCorruptVideoPrefix(file, layout.ftyp, layout.moov, layout.mdat, c.out, c.plan);
    return c;
}

Track video(size_t samples, std::vector<uint32_t> perChunk) {
    Track t;
    t.sizes.assign(samples, 20);
    t.samplesPerChunk = std::move(perChunk);
    return t;
}

// 23 AAC frames of 1024 ticks at 48 kHz, 10 bytes each, in chunks of 8, 8 and 7.
Track aacTrack() {
    Track t;
    t.handler = "soun";
    t.entry = "mp4a";
    t.timescale = 48000;
    t.delta = 1024;
    t.sizes.assign(23, 10);
    t.samplesPerChunk = {8, 8, 7};
    return t;
}

void breakSample(ByteBuffer& file, const Movie& m, size_t track, size_t index) {
    putBe32(file, samplePosition(file, m, track, index), 0); // NAL length 0
}

} // namespace

TEST(Mp4TruncationTest, TableWritersFollowTheKeptSamples) {
    // stts {300, 512} keeping 100 samples.
    EXPECT_EQ(u32s(truncateRunTable(fullBox("stts", 0, be32s({1, 300, 512})), 100, 4), 8),
              (std::vector<uint32_t>{0, 1, 100, 512}));
    // stss 1, 31, 61, 91, 121 keeping 100.
    EXPECT_EQ(u32s(truncateSyncSampleTable(fullBox("stss", 0, be32s({5, 1, 31, 61, 91, 121})), 100), 8),
              (std::vector<uint32_t>{0, 4, 1, 31, 61, 91}));
    // stsc {1,10,1},{5,7,1}: 47 samples keep chunks 1-4 of 10 and chunk 5 of 7.
    TrackCut cut;
    cut.valid = true;
    cut.samplesPerChunk = {10, 10, 10, 10, 7};
    cut.sampleDescriptionIndex = {1, 1, 1, 1, 1};
    EXPECT_EQ(u32s(rebuildSampleToChunk(fullBox("stsc", 0, be32s({2, 1, 10, 1, 5, 7, 1})), cut), 8),
              (std::vector<uint32_t>{0, 2, 1, 10, 1, 5, 7, 1}));
    EXPECT_EQ(u32s(truncateChunkOffsetTable(fullBox("stco", 0, be32s({6, 10, 20, 30, 40, 50, 60})), 5, false), 8),
              (std::vector<uint32_t>{0, 5, 10, 20, 30, 40, 50}));
    EXPECT_EQ(u32s(truncateSampleSizeTable(fullBox("stsz", 0, be32s({0, 4, 5, 6, 7, 8})), 2), 8),
              (std::vector<uint32_t>{0, 0, 2, 5, 6}));
    // A table shorter than it must be is left alone.
    const ByteBuffer shortBox = box("stts", {0, 0, 0, 0});
    EXPECT_EQ(truncateRunTable(shortBox, 5, 4), shortBox);
}

TEST(Mp4TruncationTest, EditListsKeepTheirMediaTimeAndLeadingDelay) {
    // Version 1 with one entry is 36 bytes: the common case must be rewritten.
    ByteBuffer v1 = fullBox("elst", 1, be32s({1}));
    appendBe64(v1, 9000);
    appendBe64(v1, 1024);
    appendBytes(v1, be32s({0x10000}));
    ASSERT_EQ(v1.size(), 36u);
    const ByteBuffer out1 = rewriteEditList(v1, 4000);
    ASSERT_EQ(out1.size(), 36u);
    EXPECT_EQ(readBe64(out1, 16), 4000u);
    EXPECT_EQ(readBe64(out1, 24), 1024u);

    // A leading empty edit stays; the normal edit after it gets the new duration.
    const ByteBuffer v0 = fullBox("elst", 0, be32s({3, 500, 0xFFFFFFFF, 0x10000, 9000, 0, 0x10000, 300, 77, 0x10000}));
    EXPECT_EQ(u32s(rewriteEditList(v0, 4000), 8),
              (std::vector<uint32_t>{0, 2, 500, 0xFFFFFFFF, 0x10000, 4000, 0, 0x10000}));
    // Three normal entries become one with the first one's media time and rate.
    const ByteBuffer three = fullBox("elst", 0, be32s({3, 100, 5, 0x10000, 200, 6, 0x10000, 300, 7, 0x10000}));
    EXPECT_EQ(u32s(rewriteEditList(three, 4000), 8), (std::vector<uint32_t>{0, 1, 4000, 5, 0x10000}));
    // Only empty edits: nothing to shorten.
    const ByteBuffer empty = fullBox("elst", 0, be32s({1, 500, 0xFFFFFFFF, 0x10000}));
    EXPECT_EQ(rewriteEditList(empty, 4000), empty);
}

TEST(Mp4TruncationTest, CutsEveryTrackAtTheFirstBrokenVideoSample) {
    Movie m;
    Track v = video(12, {4, 4, 4});
    v.sync = {1, 5, 9};
    v.editList = true;
    const Track audio = aacTrack();
    m.tracks = {v, audio};
    ByteBuffer file = buildMovie(m);
    breakSample(file, m, 0, 6); // the 7th video sample

    const Cut c = runCut(file);
    ASSERT_TRUE(c.done);
    EXPECT_EQ(c.plan.firstCorruptSample, 7u);
    ASSERT_EQ(c.plan.tracks.size(), 2u);
    EXPECT_EQ(c.plan.tracks[0].keptSamples, 6u);
    EXPECT_EQ(c.plan.tracks[0].samplesPerChunk, (std::vector<uint32_t>{4, 2}));
    EXPECT_DOUBLE_EQ(c.plan.cutSeconds, 0.24);
    // Audio frames of 1024 ticks at 48 kHz that end by 0.24 s (+ half a tick): 11.
    EXPECT_EQ(c.plan.tracks[1].keptSamples, 11u);
    EXPECT_EQ(c.plan.tracks[1].samplesPerChunk, (std::vector<uint32_t>{8, 3}));
    EXPECT_EQ(c.plan.movieDuration, 240u);

    // The output keeps the mdat where it was and ends after the last kept sample.
    const Mp4Layout before = scanMp4Layout(file);
    const Mp4Layout after = scanMp4Layout(c.out);
    EXPECT_EQ(after.mdat.offset, before.mdat.offset);
    EXPECT_EQ(after.mdat.end(), c.out.size());
    EXPECT_FALSE(after.mdat.clamped);
    EXPECT_EQ(c.out.size(), c.plan.keptEnd);
    const auto tops = listIsoBoxes(c.out, 0, c.out.size());
    EXPECT_EQ(tops.size(), 4u); // ftyp, moov, free, mdat
    EXPECT_EQ(tops[2].type, "free");
    const IsoBox stss = findIsoBoxAnywhere(c.out, "stss");
    EXPECT_EQ(u32s(sliceBytes(c.out, stss.offset, stss.size), 8), (std::vector<uint32_t>{0, 2, 1, 5}));
    const IsoBox elst = findIsoBoxAnywhere(c.out, "elst");
    EXPECT_EQ(readBe32(c.out, elst.offset + 16), 240u);
}

TEST(Mp4TruncationTest, FileCutShortEndsEachTrackAtItsLastSampleInside) {
    // A video codec whose samples are not walked (MPEG-4 part 2) and an audio track; the copy
    // ends 5 bytes into the 11th audio sample. With a 32-bit and with a 64-bit mdat size.
    Movie m;
    Track v = video(12, {4, 4, 4});
    v.entry = "mp4v";
    v.sync = {1, 5, 9};
    const Track audio = aacTrack();
    m.tracks = {v, audio};
    const ByteBuffer built = buildMovie(m);
    const Mp4Layout layout = scanMp4Layout(built);
    ByteBuffer large = sliceBytes(built, 0, layout.mdat.offset);
    appendBe32(large, 1);
    appendString(large, "mdat");
    appendBe64(large, layout.mdat.size + 8);
    appendRange(large, built, layout.mdat.payloadStart(), npos);
    uint64_t counter = 0;
    ASSERT_EQ(patchIsoChunkOffsets(large, layout.moov.offset + 8, layout.moov.end(), layout.mdat.payloadStart(),
                                   layout.mdat.payloadStart() + 8, counter), 0u);

    for (const ByteBuffer& whole : {built, large}) {
        const uint64_t payload = scanMp4Layout(whole).mdat.payloadStart();
        const uint64_t keptEnd = payload + 12 * 20 + 10 * 10;
        const Cut c = runCut(sliceBytes(whole, 0, keptEnd + 5));
        ASSERT_TRUE(c.done);
        EXPECT_EQ(c.plan.firstCorruptSample, 0u);
        EXPECT_EQ(c.plan.droppedSamples, 13u);
        ASSERT_EQ(c.plan.tracks.size(), 2u);
        EXPECT_EQ(c.plan.tracks[0].keptSamples, 12u);
        EXPECT_EQ(c.plan.tracks[1].keptSamples, 10u);
        EXPECT_EQ(c.plan.tracks[1].samplesPerChunk, (std::vector<uint32_t>{8, 2}));
        EXPECT_EQ(c.plan.tracks[1].mediaDuration, 10u * 1024);
        EXPECT_EQ(c.plan.movieDuration, 480u);
        const Mp4Layout after = scanMp4Layout(c.out);
        EXPECT_EQ(after.mdat.headerSize, scanMp4Layout(whole).mdat.headerSize);
        EXPECT_FALSE(after.mdat.clamped);
        EXPECT_EQ(after.mdat.end(), c.out.size());
        EXPECT_EQ(c.out.size(), keptEnd);
        EXPECT_EQ(sliceBytes(c.out, payload, npos), sliceBytes(whole, payload, keptEnd - payload));
    }
    // The whole file has nothing to cut.
    EXPECT_FALSE(runCut(built).done);
}

TEST(Mp4TruncationTest, DeclinesWhatItCannotCutSafely) {
    Movie m;
    m.tracks = {video(8, {4, 4})};
    const ByteBuffer healthy = buildMovie(m);
    EXPECT_FALSE(runCut(healthy).done); // nothing corrupt

    ByteBuffer first = healthy;
    breakSample(first, m, 0, 0);
    EXPECT_FALSE(runCut(first).done); // the very first sample is broken

    Movie after = m;
    after.moovFirst = false;
    ByteBuffer late = buildMovie(after);
    breakSample(late, after, 0, 5);
    EXPECT_FALSE(runCut(late).done); // moov after mdat

    // A kept chunk that starts before the mdat payload would be overwritten by the new moov.
    ByteBuffer outside = healthy;
    breakSample(outside, m, 0, 5);
    const uint64_t stco = findBytes(outside, "stco") + 12;
    putBe32(outside, stco, 4);
    EXPECT_FALSE(runCut(outside).done);

    // A 64-bit offset near 2^64 plus a size must not wrap into the file.
    Movie wide = m;
    wide.tracks[0].co64 = true;
    ByteBuffer wrapped = buildMovie(wide);
    breakSample(wrapped, wide, 0, 5);
    const uint64_t co64 = findBytes(wrapped, "co64") + 12;
    putBe64(wrapped, co64, ~0ull - 8);
    EXPECT_FALSE(runCut(wrapped).done);
}

TEST(Mp4TruncationTest, ShortGapMovesTheMdatUpInsteadOfLeavingLooseBytes) {
    // Chunks of 4, 4, 4 with the 12th sample broken: the stsz loses 4 bytes and the stsc gains
    // an entry of 12. Twelve loose bytes at the end of the moov (dropped by the rebuild) make the
    // new moov exactly 4 bytes shorter than the old one.
    Movie m;
    m.tracks = {video(12, {4, 4, 4})};
    const ByteBuffer built = buildMovie(m);
    const Mp4Layout layout = scanMp4Layout(built);
    ByteBuffer file = sliceBytes(built, 0, layout.moov.end());
    file.insert(file.end(), 12, 0xFF);
    putBe32(file, layout.moov.offset, static_cast<uint32_t>(layout.moov.size + 12));
    appendRange(file, built, layout.moov.end(), npos);
    uint64_t counter = 0;
    ASSERT_EQ(patchIsoChunkOffsets(file, layout.moov.offset + 8, layout.moov.end() + 12, 0, 12, counter), 0u);
    breakSample(file, m, 0, 11);

    const Cut c = runCut(file);
    ASSERT_TRUE(c.done);
    EXPECT_EQ(c.plan.firstCorruptSample, 12u);
    ASSERT_EQ(scanMp4Layout(file).moov.size - c.plan.moov.size(), 4u);
    // No loose bytes at the top level: ftyp, moov, mdat, whole and back to back.
    const auto tops = listIsoBoxes(c.out, 0, c.out.size());
    ASSERT_EQ(tops.size(), 3u);
    EXPECT_EQ(tops[2].type, "mdat");
    EXPECT_EQ(tops[2].end(), c.out.size());
    // The mdat moved up by 4 and every kept chunk offset moved with it.
    const uint64_t stco = findBytes(c.out, "stco") + 12;
    EXPECT_EQ(readBe32(c.out, stco), tops[2].payloadStart());
    EXPECT_EQ(readBe32(c.out, stco + 8), tops[2].payloadStart() + 8 * 20);
    EXPECT_EQ(c.out.size(), tops[2].payloadStart() + 11 * 20);
}

TEST(Mp4TruncationTest, HostileTablesStayFastAndSmall) {
    // One chunk table of 200k entries all pointing at the same mdat bytes, a constant sample
    // size as large as the mdat and a sample-to-chunk table of 100k entries: the walk is bounded
    // by a budget tied to the file size and the lookups move forward only.
    // The payload is 200k valid one-byte NAL units, so every sample walk is long and sound.
    ByteBuffer mdatPayload;
    for (int i = 0; i < 200000; ++i) appendBytes(mdatPayload, ByteBuffer{0, 0, 0, 1, 0x65});
    Movie m;
    m.tracks = {video(4, {2, 2})};
    ByteBuffer file = buildMovie(m);
    const Mp4Layout layout = scanMp4Layout(file);
    ByteBuffer moov = sliceBytes(file, layout.moov.offset, layout.moov.size);

    // Rebuild stbl tables inside a new moov with hostile sizes.
    ByteBuffer stsz = fullBox("stsz", 0, be32s({static_cast<uint32_t>(mdatPayload.size()), 5000000}));
    ByteBuffer stcoBody = be32s({200000});
    for (int i = 0; i < 200000; ++i) appendBe32(stcoBody, 0);
    ByteBuffer stscBody = be32s({100000});
    for (uint32_t i = 0; i < 100000; ++i) appendBytes(stscBody, be32s({i + 1, 1, 1}));
    const ByteBuffer tail = concat({fullBox("stsc", 0, stscBody), stsz, fullBox("stco", 0, stcoBody)});
    const IsoBox stbl = findIsoBoxAnywhere(moov, "stbl");
    const IsoBox stsd = findIsoBoxAnywhere(moov, "stsd");
    ByteBuffer stblBody = concat({sliceBytes(moov, stsd.offset, stsd.size),
                                  fullBox("stts", 0, be32s({1, 5000000, 40})), tail});
    ByteBuffer newStbl = box("stbl", stblBody);
    // Splice the new stbl in and fix the sizes of its ancestors.
    ByteBuffer hostile = sliceBytes(moov, 0, stbl.offset);
    appendBytes(hostile, newStbl);
    appendRange(hostile, moov, stbl.end(), npos);
    const int64_t growth = static_cast<int64_t>(newStbl.size()) - static_cast<int64_t>(stbl.size);
    for (const char* type : {"moov", "trak", "mdia", "minf"}) {
        const IsoBox b = findIsoBoxAnywhere(hostile, type);
        putBe32(hostile, b.offset, static_cast<uint32_t>(b.size + growth));
    }
    ByteBuffer whole = concat({ftyp(), hostile});
    const uint64_t mdatStart = whole.size() + 8;
    appendBytes(whole, box("mdat", mdatPayload));
    const IsoBox stco = findIsoBoxAnywhere(whole, "stco");
    for (uint32_t i = 0; i < 200000; ++i) putBe32(whole, stco.payloadStart() + 8 + i * 4ull, static_cast<uint32_t>(mdatStart));

    // Work per sample or per nesting level multiplied out would run into the test's time-out.
    const Cut c = runCut(whole);
    EXPECT_FALSE(c.done);

    // Thousands of tiny traks each claiming 5M constant-size samples hold no per-sample lists.
    ByteBuffer many = box("mvhd", concat({ByteBuffer(12, 0), be32s({1000}), ByteBuffer(84, 0)}));
    const IsoBox trak = findIsoBoxAnywhere(moov, "trak");
    const ByteBuffer trakBytes = sliceBytes(moov, trak.offset, trak.size);
    for (int i = 0; i < 3000; ++i) appendBytes(many, trakBytes);
    ByteBuffer manyFile = concat({ftyp(), box("moov", many), box("mdat", ByteBuffer(64, 0))});
    EXPECT_FALSE(runCut(manyFile).done);
}

TEST(Mp4TruncationTest, GrownMoovPushesTheMdatDownWithItsChunks) {
    // Chunks of 4, 4, 4 with the 11th sample broken: the stsz loses 8 bytes and the stsc gains
    // 12, so the new moov no longer fits before the old mdat position.
    Movie m;
    m.tracks = {video(12, {4, 4, 4})};
    ByteBuffer file = buildMovie(m);
    breakSample(file, m, 0, 10);
    const Cut c = runCut(file);
    ASSERT_TRUE(c.done);
    EXPECT_EQ(c.plan.moov.size(), scanMp4Layout(file).moov.size + 4);
    const auto tops = listIsoBoxes(c.out, 0, c.out.size());
    ASSERT_EQ(tops.size(), 3u);
    EXPECT_EQ(tops[2].type, "mdat");
    const uint64_t stco = findBytes(c.out, "stco") + 12;
    EXPECT_EQ(readBe32(c.out, stco), tops[2].payloadStart());
    EXPECT_EQ(readBe32(c.out, stco + 8), tops[2].payloadStart() + 8 * 20);
    EXPECT_EQ(c.out.size(), tops[2].payloadStart() + 10 * 20);
    // The kept samples' bytes moved intact.
    EXPECT_EQ(sliceBytes(c.out, tops[2].payloadStart(), 200),
              sliceBytes(file, scanMp4Layout(file).mdat.payloadStart(), 200));
}
