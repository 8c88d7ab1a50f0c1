#include <gtest/gtest.h>

#include <stdexcept>

#include "data_repair/engine.h"
#include "test_support.h"

using namespace data_repair;

namespace {
// A sink that throws stands for any unexpected failure inside an engine.
class ThrowingProgress : public IProgress {
public:
    bool onProgress(const ProgressEvent&) override { throw std::runtime_error("sink broke"); }
    bool isCancelled() override { return false; }
};

class RefusingProgress : public IProgress {
public:
    bool onProgress(const ProgressEvent&) override
    {
        ++calls;
        return false;
    }
    bool isCancelled() override { return false; }
    int calls = 0;
};
} // namespace

TEST(Factory, EveryCreateCallGivesANewObject)
{
    auto factory = createFileRepairFactory();
    ASSERT_NE(factory, nullptr);
    auto a = factory->createVideoRepair();
    auto b = factory->createVideoRepair();
    EXPECT_NE(a.get(), b.get());
    EXPECT_NE(factory->createAudioRepair(), nullptr);
    EXPECT_NE(factory->createPhotoRepair(), nullptr);
    EXPECT_NE(factory->createDocumentRepair(), nullptr);
    EXPECT_NE(factory->createAiEnhancement(), nullptr);
    EXPECT_NE(factory->createBatchRepair(), nullptr);
}

TEST(Factory, EnginesAnswerUnreadableInputWithAFailureStatus)
{
    auto factory = createFileRepairFactory();
    RepairRequest request;
    request.input = makeSourceInfo("/nonexistent/korvex/input.bin");
    test_support::RecordingProgress progress;
    const RepairResult results[] = {
        factory->createVideoRepair()->analyze(request, &progress),
        factory->createAudioRepair()->repair(request, &progress),
        factory->createPhotoRepair()->analyze(request, nullptr),
        factory->createDocumentRepair()->repair(request, nullptr),
    };
    for (const auto& r : results) {
        EXPECT_FALSE(r.status.ok);
        EXPECT_FALSE(r.outputWritten);
        EXPECT_FALSE(r.status.message.empty());
    }
}

TEST(Factory, AnExceptionInsideAnEngineIsAnInternalFailureThatKeepsTheMode)
{
    auto factory = createFileRepairFactory();
    test_support::TempDir dir;
    RepairRequest request;
    request.input = makeSourceInfo(dir.write("input.bin", "bytes").string());
    request.mode = Advanced;
    ThrowingProgress progress;
    const std::pair<int32_t, RepairResult> results[] = {
        {Video, factory->createVideoRepair()->repair(request, &progress)},
        {Audio, factory->createAudioRepair()->analyze(request, &progress)},
        {Photo, factory->createPhotoRepair()->repair(request, &progress)},
        {Document, factory->createDocumentRepair()->repair(request, &progress)},
    };
    for (const auto& [kind, r] : results) {
        SCOPED_TRACE(kind);
        EXPECT_FALSE(r.status.ok);
        EXPECT_EQ(r.status.code, 3); // not 2: the input was readable
        EXPECT_EQ(r.status.message, "unexpected engine error: sink broke");
        EXPECT_EQ(r.kind, kind);
        EXPECT_EQ(r.mode, Advanced);
        EXPECT_EQ(r.input.path, request.input.path);
    }

    BatchRepairRequest batch{};
    batch.roots = {dir.path().string()};
    batch.mode = Repair;
    const auto batchResult = factory->createBatchRepair()->repair(batch, &progress);
    EXPECT_EQ(batchResult.status.code, 3);
}

TEST(Progress, NullSinkAndIgnoredAnswer)
{
    reportProgress(nullptr, Video, "read", "x", 0, 1);
    EXPECT_FALSE(cancellationRequested(nullptr));
    RefusingProgress refusing;
    reportProgress(&refusing, Photo, "repair", "p", 1, 2);
    EXPECT_EQ(refusing.calls, 1);
    test_support::RecordingProgress recording;
    reportProgress(&recording, Document, "analyze", "path", 1, 2);
    ASSERT_EQ(recording.events.size(), 1u);
    EXPECT_EQ(recording.events[0].source, Document);
    EXPECT_EQ(recording.events[0].step, "analyze");
    EXPECT_EQ(recording.events[0].path, "path");
    EXPECT_EQ(recording.events[0].current, 1u);
    EXPECT_EQ(recording.events[0].total, 2u);
    recording.cancel = true;
    EXPECT_TRUE(cancellationRequested(&recording));
}

TEST(Progress, ModeWords)
{
    const std::pair<const char*, RepairMode> cases[] = {
        {"analyze", Analyze}, {"ANALYZE-ONLY", Analyze}, {"Check", Analyze},     {"advanced", Advanced},
        {"SAMPLE", Advanced}, {"extract", Extract},      {"Preview", Extract},   {"extract-only", Extract},
        {" analyze", Repair}, {"quick", Repair},         {"", Repair},           {"repair", Repair},
    };
    for (const auto& [word, mode] : cases)
        EXPECT_EQ(parseRepairMode(word), mode) << word;
}
