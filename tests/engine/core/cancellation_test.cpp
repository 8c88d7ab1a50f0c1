// Cancelling long runs: large inputs made here (sparse where the content does not matter), and a
// sink that starts answering "stop" at a chosen moment. A cancelled run ends with status 5 and
// leaves no output; searches that work window by window find what a whole search finds.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <fstream>
#include <functional>

#include "dispatch/batch_repairer.h"
#include "data_repair/checkpoint.h"
#include "data_repair/consensus.h"
#include "data_repair/engine.h"
#include "test_support.h"

using namespace data_repair;
using test_support::TempDir;
namespace fs = std::filesystem;

namespace {

constexpr uint64_t kLarge = 48ull << 20;

// Answers "stop" from a chosen moment on: never, from the first progress report (while the input
// is being read), or from the first report of the work after reading.
class StopAt : public IProgress {
public:
    enum Moment { Never, Reading, Working };
    explicit StopAt(Moment moment) : moment_(moment) {}
    bool onProgress(const ProgressEvent& event) override
    {
        events.push_back(event);
        if (moment_ == Reading || (moment_ == Working && event.step != "read"))
            stop_ = true;
        return true;
    }
    bool isCancelled() override
    {
        ++queries;
        return stop_;
    }
    std::vector<ProgressEvent> events;
    int queries = 0;

private:
    Moment moment_;
    bool stop_ = false;
};

// head, then `hole` zero bytes left sparse, then tail.
fs::path writeWithHole(const fs::path& path, const ByteBuffer& head, uint64_t hole, const ByteBuffer& tail)
{
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(head.data()), static_cast<std::streamsize>(head.size()));
    }
    fs::resize_file(path, head.size() + hole);
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out.write(reinterpret_cast<const char*>(tail.data()), static_cast<std::streamsize>(tail.size()));
    return path;
}

// A clip whose index was written after its media: the repair moves it to the front.
fs::path largeClip(const fs::path& dir)
{
    ByteBuffer head = bytesOf(std::string("\0\0\0\x14" "ftyp" "isom\0\0\x02\0" "isom", 20));
    appendBe32(head, static_cast<uint32_t>(8 + kLarge));
    appendString(head, "mdat");
    return writeWithHole(dir / "clip.mp4", head, kLarge, bytesOf(std::string("\0\0\0\x08moov", 8)));
}

// A recording (PCM, mono, 8 kHz, 16 bits) whose RIFF and data sizes were never filled in.
fs::path largeWav(const fs::path& dir)
{
    const ByteBuffer head = bytesOf(std::string("RIFF\0\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x40\x1f\0\0"
                                                "\x80\x3e\0\0\x02\0\x10\0data\0\0\0\0", 44));
    return writeWithHole(dir / "voice.wav", head, kLarge, {});
}

// Plain text with a byte that is no UTF-8 in every line.
fs::path largeText(const fs::path& dir)
{
    const std::string line = "Korvex notes, line with a stray byte \xFF here.\n";
    std::ofstream out(dir / "notes.txt", std::ios::binary);
    for (uint64_t written = 0; written < kLarge; written += line.size())
        out << line;
    return dir / "notes.txt";
}

// A photo behind 300 junk bytes with a long (empty) scan.
fs::path photoBehindJunk(const fs::path& dir, uint64_t scan)
{
    return writeWithHole(dir / "photo.jpg", test_support::photoHeadBehindJunk(), scan, ByteBuffer{0xFF, 0xD9});
}

fs::path largePhoto(const fs::path& dir) { return photoBehindJunk(dir, kLarge); }

// A package of stored 1 MiB entries whose directory was lost: their CRCs are checked on helper
// threads while the walk goes on, and a stop must not wait for them or leave them running. (A
// document package: a cancelled plain archive is reported as a document or an archive depending
// on how far the run came.)
fs::path largePackage(const fs::path& dir)
{
    const ByteBuffer payload(1 << 20, 0);
    const auto crc = static_cast<uint32_t>(::crc32(0L, payload.data(), static_cast<uInt>(payload.size())));
    std::ofstream out(dir / "package.docx", std::ios::binary);
    for (uint64_t i = 0; i < (kLarge >> 20); ++i) {
        const std::string name = "part" + std::to_string(i) + ".bin";
        ByteBuffer header = bytesOf(std::string("PK\x03\x04\x14\0\0\0\0\0\0\0\0\0", 14));
        appendLe32(header, crc);
        appendLe32(header, static_cast<uint32_t>(payload.size()));
        appendLe32(header, static_cast<uint32_t>(payload.size()));
        appendLe16(header, static_cast<uint16_t>(name.size()));
        appendLe16(header, 0);
        appendString(header, name);
        out.write(reinterpret_cast<const char*>(header.data()), static_cast<std::streamsize>(header.size()));
        out.write(reinterpret_cast<const char*>(payload.data()), static_cast<std::streamsize>(payload.size()));
    }
    return dir / "package.docx";
}

struct LargeInput {
    const char* name;
    int32_t kind;
    std::function<fs::path(const fs::path&)> make;
    const char* cancelled;
};

const LargeInput kLargeInputs[] = {
    {"mp4", Video, largeClip, "video repair cancelled"},
    {"wav", Audio, largeWav, "audio repair cancelled"},
    {"txt", Document, largeText, "document repair cancelled"},
    {"jpg", Photo, largePhoto, "photo repair cancelled"},
    {"docx", Document, largePackage, "document repair cancelled"},
};

RepairResult run(int32_t kind, bool analyze, const RepairRequest& request, IProgress* sink)
{
    auto factory = createFileRepairFactory();
    switch (kind) {
    case Video: {
        auto engine = factory->createVideoRepair();
        return analyze ? engine->analyze(request, sink) : engine->repair(request, sink);
    }
    case Audio: {
        auto engine = factory->createAudioRepair();
        return analyze ? engine->analyze(request, sink) : engine->repair(request, sink);
    }
    case Photo: {
        auto engine = factory->createPhotoRepair();
        return analyze ? engine->analyze(request, sink) : engine->repair(request, sink);
    }
    default: {
        auto engine = factory->createDocumentRepair();
        return analyze ? engine->analyze(request, sink) : engine->repair(request, sink);
    }
    }
}

uint64_t perMille(const ProgressEvent& event) { return event.total == 0 ? 0 : event.current * 1000 / event.total; }

} // namespace

TEST(Cancellation, LargeRunsReportAsTheyGoAndStopWithCode5LeavingNoOutput)
{
    for (const LargeInput& input : kLargeInputs) {
        SCOPED_TRACE(input.name);
        TempDir dir;
        const fs::path file = input.make(dir.path());
        RepairRequest request = test_support::requestFor(file);
        request.outputDirectory = (dir / "out").string();
        request.writePreview = true;

        // Uncancelled, the repair writes its output and tells its progress on the way: a question
        // and a report at least every 16 MiB, never going back.
        StopAt never(StopAt::Never);
        const RepairResult done = run(input.kind, false, request, &never);
        ASSERT_TRUE(done.status.ok && done.outputWritten) << done.status.message;
        EXPECT_GE(never.queries, static_cast<int>(kLarge >> 24));
        EXPECT_GT(never.events.size(), 2u + (kLarge >> 25));
        for (size_t i = 1; i < never.events.size(); ++i)
            EXPECT_LE(perMille(never.events[i - 1]), perMille(never.events[i])) << i;
        fs::remove_all(dir / "out");

        const std::pair<bool, StopAt::Moment> runs[] = {
            {true, StopAt::Reading}, {false, StopAt::Reading}, {false, StopAt::Working}};
        for (const auto& [analyze, moment] : runs) {
            SCOPED_TRACE(std::string(analyze ? "analyze" : "repair") + (moment == StopAt::Reading ? " reading" : " working"));
            StopAt sink(moment);
            const RepairResult stopped = run(input.kind, analyze, request, &sink);
            EXPECT_EQ(stopped.status.code, kStatusCancelled);
            EXPECT_EQ(stopped.status.message, input.cancelled);
            EXPECT_EQ(stopped.kind, input.kind);
            EXPECT_FALSE(stopped.outputWritten);
            EXPECT_TRUE(!fs::exists(dir / "out") || fs::is_empty(dir / "out"));
        }
    }
}

// Changes the input once the work after reading starts, as another program writing to the file
// would.
class ChangeInputWhenWorking : public IProgress {
public:
    ChangeInputWhenWorking(fs::path input, std::function<void(const fs::path&)> change)
        : input_(std::move(input)), change_(std::move(change))
    {
    }
    bool onProgress(const ProgressEvent& event) override
    {
        if (!changed_ && event.step != "read") {
            changed_ = true;
            change_(input_);
        }
        return true;
    }
    bool isCancelled() override { return false; }

private:
    fs::path input_;
    std::function<void(const fs::path&)> change_;
    bool changed_ = false;
};

TEST(Cancellation, AnInputChangedDuringARepairFailsAndLeavesNoOutput)
{
    const std::pair<const char*, std::function<void(const fs::path&)>> changes[] = {
        {"cut to half", [](const fs::path& path) { fs::resize_file(path, fs::file_size(path) / 2); }},
        {"written in place",
         [](const fs::path& path) {
             std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
             file.seekp(static_cast<std::streamoff>(fs::file_size(path) / 2));
             file.write("overwritten", 11);
         }},
    };
    for (const auto& [name, change] : changes) {
        for (const LargeInput& input : kLargeInputs) {
            SCOPED_TRACE(std::string(name) + " " + input.name);
            TempDir dir;
            const fs::path file = input.make(dir.path());
            RepairRequest request = test_support::requestFor(file);
            request.outputDirectory = (dir / "out").string();
            request.writePreview = true;
            ChangeInputWhenWorking sink(file, change);
            const RepairResult result = run(input.kind, false, request, &sink);
            EXPECT_FALSE(result.status.ok);
            EXPECT_EQ(result.status.code, kStatusReadFailed);
            EXPECT_FALSE(result.outputWritten);
            EXPECT_TRUE(!fs::exists(dir / "out") || fs::is_empty(dir / "out"));
        }
    }
}

TEST(Cancellation, SearchesAcrossWindowBoundariesFindWhatAWholeSearchFinds)
{
    // Needles placed so that they start before, at and just after a window's end, and straddle it.
    const uint64_t w = kCheckpointBytes;
    for (const uint64_t at : {w - 4, w - 3, w - 1, w, w + 1, 2 * w - 2, 2 * w + 5}) {
        SCOPED_TRACE(at);
        ByteBuffer hay(2 * w + 64, 'm');
        std::copy_n("moov", 4, hay.begin() + static_cast<std::ptrdiff_t>(at));
        EXPECT_EQ(findBytes(hay, "moov", 0), at);
        EXPECT_EQ(findBytes(hay, "moov", at), at);
        EXPECT_EQ(findBytes(hay, "moov", at + 1), npos);
        EXPECT_EQ(rfindBytes(hay, "moov"), at);
        EXPECT_EQ(rfindBytesBefore(hay, "moov", at + 1), at);
        EXPECT_EQ(rfindBytesBefore(hay, "moov", at), npos);
    }
}

TEST(Cancellation, AStoppedSiblingSearchIsNotRemembered)
{
    TempDir dir;
    // Three identical large copies and a damaged one: enough hashing to be asked about.
    for (const char* name : {"a__1.bin", "a__2.bin", "a__3.bin"})
        writeWithHole(dir / name, bytesOf("same"), 8ull << 20, {});
    dir.write("a__4.bin", "damaged");

    StopAt stop(StopAt::Reading);
    stop.onProgress(ProgressEvent{}); // answer "stop" from the start
    EXPECT_FALSE(findSiblingConsensus((dir / "a__4.bin").string(), &stop).found);
    EXPECT_GT(stop.queries, 0);
    EXPECT_TRUE(findSiblingConsensus((dir / "a__4.bin").string()).found);

    // Batch grouping hashes the same way: stopped there, nothing is restored.
    BatchRepairRequest batch;
    batch.roots = {dir.path().string()};
    batch.useConsensus = true;
    batch.outputDirectory = (dir / "out").string();
    StopAt batchStop(StopAt::Reading);
    batchStop.onProgress(ProgressEvent{});
    const BatchRepairResult stopped = BatchRepairer().repair(batch, &batchStop);
    EXPECT_EQ(stopped.status.code, kStatusCancelled);
    EXPECT_TRUE(stopped.items.empty());
    EXPECT_FALSE(fs::exists(dir / "out"));
}

namespace {

// Counts the page faults of the working thread between two questions: the memory a run touched
// without asking whether to go on. A run asks at least every 16 MiB of work, so no stretch
// between two questions (or after the last one) touches much more than that.
class FaultsBetweenQuestions : public IProgress {
public:
    bool onProgress(const ProgressEvent&) override { return true; }
    bool isCancelled() override
    {
        note();
        ++questions;
        return false;
    }
    // Also the stretch from the last question to the end of the run.
    void note()
    {
        const long now = faults();
        if (last_ >= 0)
            most = std::max(most, now - last_);
        last_ = now;
    }
    long most = 0;
    int questions = 0;

private:
    static long faults()
    {
        rusage usage{};
        ::getrusage(RUSAGE_THREAD, &usage);
        return usage.ru_minflt + usage.ru_majflt;
    }
    long last_ = -1;
};

// A text of NUL bytes: every byte becomes a three-byte U+FFFD.
fs::path nulText(const fs::path& dir, uint64_t size)
{
    std::ofstream(dir / "zeros.txt", std::ios::binary);
    fs::resize_file(dir / "zeros.txt", size);
    return dir / "zeros.txt";
}

// Address space in use now (the limit below is set on top of it; unused where address space
// limits do not apply).
[[maybe_unused]] uint64_t addressSpaceInUse()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmSize:") {
            uint64_t kib = 0;
            status >> kib;
            return kib * 1024;
        }
    }
    return 0;
}

} // namespace

TEST(Cancellation, LongCopiesAndRewritesAskAtLeastEvery16MiB)
{
    // A photo behind junk is copied to be trimmed; a text of NUL bytes triples in size.
    const std::pair<int32_t, std::function<fs::path(const fs::path&)>> inputs[] = {
        {Photo, [](const fs::path& dir) { return photoBehindJunk(dir, 96ull << 20); }},
        {Document, [](const fs::path& dir) { return nulText(dir, 64ull << 20); }},
    };
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    for (const auto& [kind, make] : inputs) {
        TempDir dir;
        const fs::path file = make(dir.path());
        SCOPED_TRACE(file.filename().string());
        RepairRequest request = test_support::requestFor(file);
        request.outputDirectory = (dir / "out").string();
        FaultsBetweenQuestions sink;
        const RepairResult result = run(kind, false, request, &sink);
        sink.note();
        ASSERT_TRUE(result.status.ok && result.outputWritten) << result.status.message;
        EXPECT_LE(sink.most * pageSize, static_cast<long>(3 * kCheckpointBytes));
        EXPECT_GE(sink.questions, static_cast<int>(result.outputSize / kCheckpointBytes));
    }
}

TEST(Cancellation, AGrowingTextIsHeldOnceAndWithinTheWorkingMemory)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "address space limits do not apply under AddressSanitizer";
#else
    // 64 MiB of NUL bytes become 192 MiB of U+FFFD. The input is mapped (it takes address space
    // but no memory of the process); the text is built once, in a buffer of its final size.
    constexpr uint64_t kInput = 64ull << 20;
    constexpr uint64_t kOutput = 3 * kInput;
    const struct {
        const char* name;
        uint64_t room;
        int expected;
    } cases[] = {
        {"room for the text", kInput + kOutput + (64ull << 20), kStatusOk},
        {"no room for the text", kInput + kOutput / 2, kStatusReadFailed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const fs::path file = nulText(dir.path(), kInput);
        RepairRequest request = test_support::requestFor(file);
        request.outputDirectory = (dir / "out").string();
        std::fflush(nullptr);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const rlim_t limit = addressSpaceInUse() + c.room;
            const rlimit bound{limit, limit};
            ::setrlimit(RLIMIT_AS, &bound);
            int code = 100;
            try {
                const RepairResult result = run(Document, false, request, nullptr);
                code = result.status.ok ? (result.outputSize == kOutput ? 0 : 101)
                       : result.status.message == "not enough memory to process the file" ? result.status.code
                                                                                           : 103;
            } catch (...) {
                code = 102;
            }
            ::_exit(code);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), c.expected);
        // A run refused for lack of memory leaves nothing behind.
        if (c.expected != kStatusOk) {
            EXPECT_TRUE(!fs::exists(dir / "out") || fs::is_empty(dir / "out"));
        }
    }
#endif
}
