// The audio engine's entries: reading, progress, cancellation, format choice, the M4A fallback
// to bare frame streams, and failures that must come back as results.

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "audio_test_support.h"
#include "media/audio_formats.h"
#include "media/audio_repairer.h"

using namespace data_repair;
using namespace audio_test;

namespace {

ByteBuffer wavFile(uint64_t dataBytes)
{
    ByteBuffer out = bytesOf("RIFF");
    appendLe32(out, static_cast<uint32_t>(36 + dataBytes));
    appendString(out, "WAVEfmt ");
    appendLe32(out, 16);
    appendLe16(out, 1);     // PCM
    appendLe16(out, 1);     // mono
    appendLe32(out, 8000);  // rate
    appendLe32(out, 16000); // bytes per second
    appendLe16(out, 2);     // block align
    appendLe16(out, 16);    // bits
    appendString(out, "data");
    appendLe32(out, static_cast<uint32_t>(dataBytes));
    out.resize(out.size() + dataBytes, 0x10);
    return out;
}

// One ADTS frame of 64 bytes (no CRC).
ByteBuffer adtsFrame()
{
    ByteBuffer frame(64, 0x21);
    frame[0] = 0xFF;
    frame[1] = 0xF1;
    frame[2] = 0x50;
    frame[3] = 0x80;
    frame[4] = 64 >> 3;
    frame[5] = static_cast<uint8_t>((64 & 7) << 5 | 0x1F);
    frame[6] = 0xFC;
    return frame;
}

#if !defined(__SANITIZE_ADDRESS__)
size_t virtualMemoryBytes()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmSize:") {
            size_t kib = 0;
            status >> kib;
            return kib * 1024;
        }
        status.ignore(4096, '\n');
    }
    return 0;
}
#endif

} // namespace

TEST(AudioEntry, ProgressAndUnsupportedFormat)
{
    test_support::TempDir dir;
    const auto input = dir.write("book.m4b", garbage(300));
    test_support::RecordingProgress progress;
    auto engine = createFileRepairFactory()->createAudioRepair();
    const RepairResult result = engine->analyze(test_support::requestFor(input, Analyze), &progress);
    EXPECT_FALSE(result.status.ok);
    EXPECT_EQ(result.status.code, 83);
    EXPECT_EQ(result.status.message, "unsupported audio format");
    ASSERT_EQ(result.findings.size(), 1u);
    EXPECT_EQ(result.findings[0].category, UnsupportedFormat);
    EXPECT_EQ(result.findings[0].message, "audio repair supports MP3, M4A, FLAC, AAC, WAV and OGG");
    EXPECT_EQ(result.kind, Audio);
    ASSERT_EQ(progress.events.size(), 2u);
    EXPECT_EQ(progress.events[0].step, "read");
    EXPECT_EQ(progress.events[0].source, Audio);
    EXPECT_EQ(progress.events[1].step, "analyze");
    EXPECT_EQ(progress.events[1].current, 1u);
    EXPECT_EQ(progress.events[1].total, 2u);

    test_support::RecordingProgress repairProgress;
    engine->repair(test_support::requestFor(input, Repair), &repairProgress);
    ASSERT_EQ(repairProgress.events.size(), 2u);
    EXPECT_EQ(repairProgress.events[1].step, "repair");
}

TEST(AudioEntry, ReadFailureCancellationAndAnalyzeMode)
{
    test_support::TempDir dir;
    auto engine = createFileRepairFactory()->createAudioRepair();

    const RepairResult missing = engine->analyze(test_support::requestFor(dir / "gone.wav", Advanced), nullptr);
    EXPECT_EQ(missing.status.code, 2);
    EXPECT_EQ(missing.mode, Analyze);
    EXPECT_EQ(missing.kind, Audio);
    const RepairResult missingRepair = engine->repair(test_support::requestFor(dir / "gone.wav", Advanced), nullptr);
    EXPECT_EQ(missingRepair.status.code, 2);
    EXPECT_EQ(missingRepair.mode, Advanced);

    const auto input = dir.write("tone.wav", wavFile(400));
    test_support::RecordingProgress cancelled;
    cancelled.cancel = true;
    const RepairResult stopped = engine->repair(test_support::requestFor(input), &cancelled);
    EXPECT_EQ(stopped.status.code, 5);
    EXPECT_EQ(stopped.status.message, "audio repair cancelled");
    EXPECT_TRUE(stopped.findings.empty());
    EXPECT_FALSE(stopped.outputWritten);
    ASSERT_EQ(cancelled.events.size(), 1u); // "read" only

    // Mode 0 on the repair entry: the analysis, nothing written.
    const RepairResult analysed = engine->repair(test_support::requestFor(input, Analyze), nullptr);
    EXPECT_TRUE(analysed.status.ok);
    EXPECT_FALSE(analysed.outputWritten);
    EXPECT_TRUE(analysed.actions.empty());
    EXPECT_FALSE(fs::exists(dir / "tone_repaired.wav"));
}

TEST(AudioEntry, AnInputFarLargerThanMemoryIsAnalysedNotRefused)
{
    // A terabyte recording (sparse here) whose sizes were never filled in: the entry looks only at
    // what the format needs, however large the file behind it is.
    test_support::TempDir dir;
    ByteBuffer header = wavFile(0);
    const auto input = dir.write("night.wav", header);
    std::error_code ec;
    fs::resize_file(input, 1ull << 40, ec);
    if (ec)
        GTEST_SKIP() << "no sparse files here: " << ec.message();
    const RepairResult result =
        createFileRepairFactory()->createAudioRepair()->analyze(test_support::requestFor(input, Analyze), nullptr);
    EXPECT_TRUE(result.status.ok) << result.status.message;
    EXPECT_EQ(result.inputSize, 1ull << 40);
    EXPECT_TRUE(test_support::hasFinding(result, "WAV data chunk size is stale; the audio to the end of the file can be kept"));
}

TEST(AudioEntry, ContentWinsOverTheExtension)
{
    test_support::TempDir dir;
    const RepairResult wav = analyzeAudio(dir.write("song.mp3", wavFile(400)));
    EXPECT_TRUE(wav.status.ok);
    EXPECT_EQ(wav.format, "wav");

    ByteBuffer adts;
    for (int i = 0; i < 5; ++i)
        appendBytes(adts, adtsFrame());
    const RepairResult aac = analyzeAudio(dir.write("song.m4a", adts));
    EXPECT_EQ(aac.format, "aac");
    EXPECT_TRUE(aac.notes.empty());
}

TEST(AudioEntry, M4aWithoutMediaFallsBackToFrameStreams)
{
    test_support::TempDir dir;
    ByteBuffer stream = garbage(200);
    for (int i = 0; i < 8; ++i)
        appendBytes(stream, adtsFrame());
    const auto input = dir.write("memo.m4a", stream);
    const RepairResult analysed = analyzeAudio(input);
    ASSERT_TRUE(analysed.status.ok) << analysed.status.message;
    EXPECT_EQ(analysed.format, "aac");
    EXPECT_TRUE(hasFinding(analysed, "garbage bytes before first AAC ADTS frame"));
    ASSERT_EQ(analysed.notes.size(), 1u);
    EXPECT_EQ(analysed.notes[0], "M4A container metadata was not recoverable; repaired as an AAC ADTS frame stream");

    const RepairResult repaired = repairAudio(input);
    ASSERT_TRUE(repaired.status.ok) << repaired.status.message;
    EXPECT_EQ(repaired.output.note, "aac");
    EXPECT_EQ(fs::path(repaired.output.path).filename(), "memo_repaired.aac");

    // Noise named .m4a: neither a container nor a frame stream, so the M4A failure stands.
    const RepairResult noise = repairAudio(dir.write("noise.m4a", garbage(64 * 1024)));
    EXPECT_FALSE(noise.status.ok);
    EXPECT_EQ(noise.status.code, 81);
    EXPECT_EQ(noise.format, "m4a");
    EXPECT_FALSE(noise.outputWritten);
}

TEST(AudioEntry, M4aFailureIsNotRetriedAsAFrameStream)
{
    test_support::TempDir dir;
    // A usable container whose media data happens to hold ADTS frames.
    ByteBuffer frames;
    for (int i = 0; i < 8; ++i)
        appendBytes(frames, adtsFrame());
    ByteBuffer ftypPayload = bytesOf("M4A ");
    appendBe32(ftypPayload, 0);
    appendString(ftypPayload, "M4A isom");
    const ByteBuffer file = concat({isoBox("ftyp", ftypPayload), isoBox("mdat", frames)});
    const auto input = dir.write("memo.m4a", file);
    const auto blocker = dir.write("not-a-folder", std::string("x"));
    RepairRequest request = test_support::requestFor(input);
    request.outputDirectory = (blocker / "sub").string();
    const RepairResult result = repairAudio(request);
    EXPECT_FALSE(result.status.ok);
    // Without a moov nothing is written, and the ADTS frames inside are not offered instead.
    EXPECT_EQ(result.status.code, 84);
    EXPECT_EQ(result.format, "m4a");
}

TEST(AudioEntry, AllocationFailureComesBackAsAResult)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "address space limits do not apply under AddressSanitizer";
#else
    test_support::TempDir dir;
    const uint64_t dataBytes = 96ull << 20;
    // Frames with a stretch of noise now and then: the kept frames are gathered into a new
    // buffer (a stream that needs no resynchronisation would be written from the input as is).
    ByteBuffer stream;
    stream.reserve(dataBytes + (dataBytes >> 10));
    const ByteBuffer frame = adtsFrame();
    for (uint64_t n = 0; stream.size() < dataBytes; ++n) {
        appendBytes(stream, frame);
        if (n % 4096 == 4095)
            stream.resize(stream.size() + 100, 0x00);
    }
    const auto input = dir.write("long.aac", stream);
    ByteBuffer().swap(stream);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Room for the input but not for the repaired copy.
        const rlim_t limit = virtualMemoryBytes() + (dataBytes * 3) / 2;
        const struct rlimit rl{limit, limit};
        setrlimit(RLIMIT_AS, &rl);
        int code = 100;
        try {
            const AudioRepairer engine;
            const RepairResult result = engine.repair(test_support::requestFor(input), nullptr);
            // The input was read: the failure must be the repair's own allocation.
            code = result.status.ok ? 101
                   : result.status.message == "not enough memory to process the file" ? result.status.code
                                                                                             : 103;
        } catch (...) {
            code = 102; // an exception left the engine
        }
        _exit(code);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
#endif
}
