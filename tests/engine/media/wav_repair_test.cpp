// WAV: chunk walk, rebuilt sizes, the borrowed format chunk, and recordings whose data size was
// never written, judged by ffmpeg decoding the repaired files.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "audio_test_support.h"
#include "media/audio_formats.h"

using namespace data_repair;
using namespace audio_test;

namespace {

ByteBuffer chunk(const std::string& id, const ByteBuffer& data, int64_t declared = -1)
{
    ByteBuffer out = bytesOf(id);
    appendLe32(out, static_cast<uint32_t>(declared < 0 ? static_cast<int64_t>(data.size()) : declared));
    appendBytes(out, data);
    if (declared < 0 && (data.size() & 1) != 0)
        appendU8(out, 0);
    return out;
}

ByteBuffer fmtData(uint16_t blockAlign = 4)
{
    ByteBuffer data;
    appendLe16(data, 1);
    appendLe16(data, 2);
    appendLe32(data, 8000);
    appendLe32(data, 8000u * blockAlign);
    appendLe16(data, blockAlign);
    appendLe16(data, 16);
    return data;
}

ByteBuffer riff(const ByteBuffer& chunks, int64_t declared = -1)
{
    ByteBuffer out = bytesOf("RIFF");
    appendLe32(out, static_cast<uint32_t>(declared < 0 ? static_cast<int64_t>(chunks.size() + 4) : declared));
    appendString(out, "WAVE");
    appendBytes(out, chunks);
    return out;
}

// The ids of the chunks of a repaired file, in order, checking every size field on the way.
std::vector<std::string> chunkIds(const ByteBuffer& wav)
{
    std::vector<std::string> ids;
    EXPECT_EQ(readLe32(wav, 4), wav.size() - 8);
    uint64_t p = 12;
    while (p + 8 <= wav.size()) {
        ids.push_back(bytesToString(wav, p, 4));
        const uint64_t size = readLe32(wav, p + 4);
        p += 8 + size + (size & 1);
    }
    EXPECT_EQ(p, wav.size());
    return ids;
}

ByteBuffer pcm(size_t size) { return ByteBuffer(size, 0x22); }

} // namespace

TEST(WavRepair, CleanFileKeepsItsChunksWithFmtFirstAndDataLast)
{
    test_support::TempDir dir;
    const ByteBuffer file =
        riff(concat({chunk("fmt ", fmtData()), chunk("data", pcm(400)), chunk("LIST", bytesOf("INFOISFT"))}));
    const auto input = dir.write("clean.wav", file);
    const RepairResult analysed = analyzeAudio(input);
    ASSERT_TRUE(analysed.status.ok);
    EXPECT_TRUE(analysed.findings.empty());
    EXPECT_DOUBLE_EQ(analysed.confidence, 1.0);

    const RepairResult result = repairAudio(input);
    ASSERT_TRUE(result.status.ok) << result.status.message;
    ASSERT_EQ(result.actions.size(), 1u);
    EXPECT_EQ(result.actions[0].id, "rewrite-wav-riff");
    const ByteBuffer out = test_support::readAll(result.output.path);
    EXPECT_EQ(result.actions[0].amount, out.size());
    EXPECT_EQ(out.size(), file.size());
    EXPECT_EQ(chunkIds(out), (std::vector<std::string>{"fmt ", "LIST", "data"}));
}

TEST(WavRepair, PrefixOverrunOddChunkAndInvalidTail)
{
    test_support::TempDir dir;
    // Garbage in front, an odd-sized chunk, and a data chunk that claims more than exists.
    const ByteBuffer body = concat({chunk("fmt ", fmtData()), chunk("note", bytesOf("abc")),
                                    chunk("data", pcm(300), 1000)});
    const auto input = dir.write("cut.wav", concat({garbage(100), riff(body, 5000)}));
    const RepairResult result = repairAudio(input);
    ASSERT_TRUE(result.status.ok) << result.status.message;
    const Finding* found = nullptr;
    ASSERT_TRUE(hasFinding(result, "garbage bytes before RIFF/WAVE header", &found));
    EXPECT_EQ(found->length, 100u);
    ASSERT_TRUE(hasFinding(result, "RIFF size does not match available file bytes", &found));
    EXPECT_EQ(found->offset, 104u);
    ASSERT_TRUE(hasFinding(result, "WAV chunk size overruns file and can be clamped: data", &found));
    EXPECT_EQ(found->length, 1000u);
    EXPECT_DOUBLE_EQ(result.confidence, 0.84);
    uint64_t amount = 0;
    ASSERT_TRUE(hasAction(result, "trim-wav-prefix", &amount));
    EXPECT_EQ(amount, 100u);
    ASSERT_TRUE(hasAction(result, "drop-invalid-wav-tail", &amount));
    EXPECT_EQ(amount, 700u);
    const ByteBuffer out = test_support::readAll(result.output.path);
    EXPECT_TRUE(matchesAt(out, 0, "RIFF"));
    EXPECT_EQ(chunkIds(out), (std::vector<std::string>{"fmt ", "note", "data"}));
    // The odd chunk keeps its pad byte outside its size.
    EXPECT_EQ(readLe32(out, 12 + 8 + 16 + 4), 3u);
}

TEST(WavRepair, MissingFmtIsBorrowedFromTheSample)
{
    test_support::TempDir dir;
    const auto input = dir.write("nofmt.wav", riff(chunk("data", pcm(200))));
    const RepairResult analysed = analyzeAudio(input);
    ASSERT_TRUE(analysed.status.ok);
    const Finding* found = nullptr;
    ASSERT_TRUE(hasFinding(analysed, "WAV fmt chunk is missing and can be borrowed from a sample file", &found));
    EXPECT_FALSE(found->repairable);

    const RepairResult refused = repairAudio(input);
    EXPECT_EQ(refused.status.code, 76);
    EXPECT_EQ(refused.status.message, "WAV repair requires fmt and data chunks");
    EXPECT_FALSE(refused.outputWritten);

    const auto sample = dir.write("sample.wav", riff(concat({chunk("fmt ", fmtData()), chunk("data", pcm(8))})));
    RepairRequest request = test_support::requestFor(input, Advanced);
    request.sample = makeSourceInfo(sample.string());
    const RepairResult result = repairAudio(request);
    ASSERT_TRUE(result.status.ok) << result.status.message;
    EXPECT_TRUE(result.usedReference);
    ASSERT_GE(result.actions.size(), 2u);
    EXPECT_EQ(result.actions[0].id, "borrow-wav-fmt");
    EXPECT_EQ(result.actions[0].amount, 16u);
    EXPECT_EQ(result.actions[1].id, "rewrite-wav-riff");
    EXPECT_EQ(chunkIds(test_support::readAll(result.output.path)), (std::vector<std::string>{"fmt ", "data"}));

    // A sample larger than memory: its format chunk is read from its head.
    std::error_code ec;
    std::filesystem::resize_file(sample, 64ull << 30, ec);
    if (ec)
        GTEST_SKIP() << "no sparse files here: " << ec.message();
    request.overwrite = true;
    const RepairResult fromHuge = repairAudio(request);
    ASSERT_TRUE(fromHuge.status.ok) << fromHuge.status.message;
    EXPECT_TRUE(hasAction(fromHuge, "borrow-wav-fmt"));

    // ... or from far into it, behind a long chunk (left sparse) that comes first.
    const uint32_t junk = 3u << 30;
    ByteBuffer head = bytesOf("RIFF");
    appendLe32(head, 0);
    appendString(head, "WAVE");
    appendString(head, "junk");
    appendLe32(head, junk);
    const auto farSample = dir.write("far.wav", head);
    std::filesystem::resize_file(farSample, head.size() + junk, ec);
    ASSERT_FALSE(ec) << ec.message();
    {
        std::ofstream out(farSample, std::ios::binary | std::ios::app);
        const ByteBuffer rest = concat({chunk("fmt ", fmtData()), chunk("data", pcm(8))});
        out.write(reinterpret_cast<const char*>(rest.data()), static_cast<std::streamsize>(rest.size()));
    }
    request.sample = makeSourceInfo(farSample.string());
    const RepairResult fromFar = repairAudio(request);
    ASSERT_TRUE(fromFar.status.ok) << fromFar.status.message;
    EXPECT_TRUE(hasAction(fromFar, "borrow-wav-fmt"));
}

TEST(WavRepair, StaleOrZeroDataSizeKeepsTheAudioToTheEnd)
{
    test_support::TempDir dir;
    struct Case {
        const char* name;
        int64_t declared;
    };
    // 1003 audio bytes after the header: 1000 whole 4-byte frames and 3 stray bytes.
    for (const Case& c : {Case{"zero", 0}, Case{"stale", 400}}) {
        const ByteBuffer file = riff(concat({chunk("fmt ", fmtData(4)), chunk("data", pcm(1003), c.declared)}), 0);
        const auto input = dir.write(std::string(c.name) + ".wav", file);
        const RepairResult result = repairAudio(input);
        ASSERT_TRUE(result.status.ok) << c.name << ": " << result.status.message;
        EXPECT_TRUE(hasFinding(result, "WAV data chunk size is stale; the audio to the end of the file can be kept"))
            << c.name;
        EXPECT_FALSE(hasFinding(result, "invalid WAV chunk marker")) << c.name;
        uint64_t amount = 0;
        ASSERT_TRUE(hasAction(result, "clamp-wav-data", &amount)) << c.name;
        EXPECT_EQ(amount, 1000u - static_cast<uint64_t>(c.declared)) << c.name;
        ASSERT_TRUE(hasAction(result, "drop-invalid-wav-tail", &amount)) << c.name;
        EXPECT_EQ(amount, 3u) << c.name;
        const ByteBuffer out = test_support::readAll(result.output.path);
        EXPECT_EQ(chunkIds(out), (std::vector<std::string>{"fmt ", "data"})) << c.name;
        EXPECT_EQ(readLe32(out, 12 + 8 + 16 + 4), 1000u) << c.name;
    }
}

TEST(WavRepair, HeaderOrDataMissing)
{
    test_support::TempDir dir;
    const RepairResult noHeader = analyzeAudio(dir.write("x.wav", garbage(500)));
    EXPECT_EQ(noHeader.status.code, 74);
    EXPECT_TRUE(hasFinding(noHeader, "RIFF/WAVE header was not found"));
    const RepairResult noData = analyzeAudio(dir.write("y.wav", riff(chunk("fmt ", fmtData()))));
    EXPECT_EQ(noData.status.code, 75);
    EXPECT_EQ(noData.status.message, "WAV data chunk not found");
}

TEST(WavRepair, RealRecordingsCutUnfinishedOrHeaderless)
{
    REQUIRE_TOOL("ffmpeg");
    test_support::TempDir dir;
    const ByteBuffer intact = encodeTone(dir, "tone.wav", "-c:a pcm_s16le -f wav");
    ASSERT_FALSE(intact.empty());
    const uint64_t dataAt = findBytes(intact, "data", 12);
    ASSERT_NE(dataAt, npos);

    // The recorder died: RIFF and data sizes were never written (0), or hold an early value.
    for (uint32_t declared : {0u, 20000u}) {
        ByteBuffer unfinished = intact;
        putLe32(unfinished, 4, 0);
        putLe32(unfinished, dataAt + 4, declared);
        const auto input = dir.write("unfinished-" + std::to_string(declared) + ".wav", unfinished);
        const RepairResult result = repairAudio(input);
        ASSERT_TRUE(result.status.ok) << result.status.message;
        std::string errors;
        EXPECT_NEAR(decodedSeconds(result.output.path, &errors), 3.0, 0.01) << errors;
    }

    // Cut at 60 %: the audio that exists is kept.
    const ByteBuffer cut(intact.begin(), intact.begin() + static_cast<long>(intact.size() * 6 / 10));
    const RepairResult cutResult = repairAudio(dir.write("cut.wav", cut));
    ASSERT_TRUE(cutResult.status.ok) << cutResult.status.message;
    const auto probe = test_support::run("ffprobe -v error " + test_support::quote(cutResult.output.path));
    EXPECT_EQ(probe.output, "");
    const double expected = static_cast<double>(cut.size() - dataAt - 8) / (44100.0 * 2);
    std::string errors;
    EXPECT_NEAR(decodedSeconds(cutResult.output.path, &errors), expected, 0.01) << errors;

    // The format chunk is gone: a sample recording provides it.
    const uint64_t fmtAt = findBytes(intact, "fmt ", 12);
    ByteBuffer headerless(intact.begin(), intact.begin() + static_cast<long>(fmtAt));
    headerless.insert(headerless.end(), intact.begin() + static_cast<long>(fmtAt + 8 + readLe32(intact, fmtAt + 4)),
                      intact.end());
    const auto input = dir.write("headerless.wav", headerless);
    encodeTone(dir, "sample.wav", "-c:a pcm_s16le -f wav", 0.5);
    RepairRequest request = test_support::requestFor(input);
    request.sample = makeSourceInfo((dir / "sample.wav").string());
    const RepairResult borrowed = repairAudio(request);
    ASSERT_TRUE(borrowed.status.ok) << borrowed.status.message;
    EXPECT_TRUE(borrowed.usedReference);
    EXPECT_NEAR(decodedSeconds(borrowed.output.path, &errors), 3.0, 0.01) << errors;
}

TEST(WavRepair, CutChunkAfterCompleteAudioIsNotTakenForAudio)
{
    REQUIRE_TOOL("ffmpeg");
    test_support::TempDir dir;
    // One second at 8 kHz: 8000 frames, then a LIST chunk; the copy was cut inside the LIST chunk.
    ByteBuffer whole = encodeTone(dir, "tone.wav", "-ar 8000 -ac 1 -c:a pcm_s16le -fflags +bitexact -f wav", 1.0);
    ASSERT_FALSE(whole.empty());
    ByteBuffer info = bytesOf("INFO");
    appendBytes(info, chunk("ICMT", bytesOf("a field recording made at dawn")));
    const ByteBuffer list = chunk("LIST", info);
    whole = concat({whole, list});
    putLe32(whole, 4, static_cast<uint32_t>(whole.size() - 8));
    const uint64_t listAt = whole.size() - list.size();

    struct Case {
        const char* name;
        uint64_t kept;           // bytes of the LIST chunk left in the cut copy
        uint64_t dropped;        // bytes the repair reports as cut away
        std::vector<std::string> ids;
    };
    for (const Case& c : {Case{"body", 20, list.size() - 20, {"fmt ", "LIST", "data"}},
                          Case{"header", 6, 6, {"fmt ", "data"}}}) {
        const ByteBuffer cut(whole.begin(), whole.begin() + static_cast<long>(listAt + c.kept));
        const auto input = dir.write(std::string("cut-") + c.name + ".wav", cut);
        const RepairResult result = repairAudio(input);
        ASSERT_TRUE(result.status.ok) << c.name << ": " << result.status.message;
        EXPECT_FALSE(hasFinding(result, "WAV data chunk size is stale; the audio to the end of the file can be kept"))
            << c.name;
        EXPECT_FALSE(hasAction(result, "clamp-wav-data")) << c.name;
        uint64_t amount = 0;
        ASSERT_TRUE(hasAction(result, "drop-invalid-wav-tail", &amount)) << c.name;
        EXPECT_EQ(amount, c.dropped) << c.name;
        const ByteBuffer out = test_support::readAll(result.output.path);
        EXPECT_EQ(chunkIds(out), c.ids) << c.name;
        std::string errors;
        EXPECT_DOUBLE_EQ(decodedSeconds(result.output.path, &errors), 1.0) << c.name << ": " << errors;
    }
    // The chunk cut after its header is reported where it starts and kept with what exists.
    const RepairResult analysed = analyzeAudio(dir / "cut-body.wav");
    const Finding* found = nullptr;
    ASSERT_TRUE(hasFinding(analysed, "WAV chunk size overruns file and can be clamped: LIST", &found));
    EXPECT_EQ(found->offset, listAt);
}

// Recordings cut anywhere, a sample frame split included: the data chunk keeps whole frames
// only, the sizes and the pad byte are right, and ffmpeg decodes every frame that was whole.
TEST(WavRepair, CutRecordingsKeepWholeSampleFrames)
{
    REQUIRE_TOOL("ffmpeg");
    test_support::TempDir dir;
    struct Case {
        const char* name;
        const char* args;
        uint64_t align;
        double rate;
        uint64_t intoFrame; // the cut falls this many bytes into a sample frame
    };
    for (const Case& c : {Case{"16-bit stereo", "-ac 2 -c:a pcm_s16le", 4, 44100, 2},
                          Case{"24-bit stereo", "-ar 48000 -ac 2 -c:a pcm_s24le", 6, 48000, 5},
                          Case{"24-bit mono", "-ar 48000 -ac 1 -c:a pcm_s24le", 3, 48000, 1},
                          Case{"16-bit stereo between frames", "-ac 2 -c:a pcm_s16le", 4, 44100, 0}}) {
        const ByteBuffer whole = encodeTone(dir, "tone.wav", std::string(c.args) + " -fflags +bitexact -f wav");
        ASSERT_FALSE(whole.empty()) << c.name;
        const uint64_t dataAt = findBytes(whole, "data", 12) + 8;
        ASSERT_EQ(readLe16(whole, findBytes(whole, "fmt ", 12) + 8 + 12), c.align) << c.name;
        const uint64_t frames = (whole.size() - dataAt) * 6 / 10 / c.align;
        const ByteBuffer cut = sliceBytes(whole, 0, dataAt + frames * c.align + c.intoFrame);
        const RepairResult result = repairAudio(dir.write("cut.wav", cut));
        ASSERT_TRUE(result.status.ok) << c.name << ": " << result.status.message;
        uint64_t dropped = 0;
        EXPECT_TRUE(hasAction(result, "drop-invalid-wav-tail", &dropped)) << c.name;
        const ByteBuffer out = test_support::readAll(result.output.path);
        EXPECT_EQ(chunkIds(out).back(), "data") << c.name;
        const uint64_t outData = findBytes(out, "data", 12);
        EXPECT_EQ(readLe32(out, outData + 4), frames * c.align) << c.name;
        // The sizes declared before the cut, less the whole frames kept.
        EXPECT_EQ(dropped, readLe32(whole, dataAt - 4) - frames * c.align) << c.name;
        EXPECT_EQ(test_support::playerComplaints(result.output.path), "") << c.name;
        std::string errors;
        EXPECT_NEAR(decodedSeconds(result.output.path, &errors), static_cast<double>(frames) / c.rate, 0.001)
            << c.name << ": " << errors;
    }
}

// Formats other than integer PCM carry a fact chunk counting the sample frames; a cut recording's
// count follows the whole frames kept, as exiftool reads it and ffmpeg decodes them.
TEST(WavRepair, FactChunkCountsTheFramesKept)
{
    REQUIRE_TOOL("ffmpeg");
    REQUIRE_TOOL("exiftool");
    test_support::TempDir dir;
    struct Case {
        const char* name;
        const char* args;
        uint64_t align;
        double rate;
    };
    for (const Case& c : {Case{"32-bit float mono", "-ar 48000 -ac 1 -c:a pcm_f32le", 4, 48000},
                          Case{"32-bit float stereo", "-ar 48000 -ac 2 -c:a pcm_f32le", 8, 48000},
                          Case{"A-law stereo", "-ar 8000 -ac 2 -c:a pcm_alaw", 2, 8000}}) {
        const ByteBuffer whole = encodeTone(dir, "tone.wav", std::string(c.args) + " -fflags +bitexact -f wav", 5.0);
        ASSERT_FALSE(whole.empty()) << c.name;
        ASSERT_NE(findBytes(whole, "fact", 12), npos) << c.name;
        const uint64_t dataAt = findBytes(whole, "data", 12) + 8;
        const uint64_t frames = (whole.size() - dataAt) / 2 / c.align;
        // Cut one byte into the frame after the half.
        const ByteBuffer cut = sliceBytes(whole, 0, dataAt + frames * c.align + 1);
        const RepairResult result = repairAudio(dir.write("cut.wav", cut));
        ASSERT_TRUE(result.status.ok) << c.name << ": " << result.status.message;
        uint64_t amount = 0;
        EXPECT_TRUE(hasAction(result, "set-wav-fact-frames", &amount)) << c.name;
        EXPECT_EQ(amount, frames) << c.name;
        const auto samples = test_support::run("exiftool -s3 -NumberOfSamples " + test_support::quote(result.output.path));
        EXPECT_EQ(samples.output, std::to_string(frames) + "\n") << c.name;
        EXPECT_EQ(test_support::playerComplaints(result.output.path), "") << c.name;
        std::string errors;
        const double seconds = static_cast<double>(frames) / c.rate;
        EXPECT_NEAR(decodedSeconds(result.output.path, &errors), seconds, 0.02 * seconds) << c.name << ": " << errors;
    }
}
