#include "core/ai_enhancer.h"
#include "test_support.h"

using namespace data_repair;
using test_support::RecordingProgress;
using test_support::TempDir;
namespace fs = std::filesystem;

namespace {

AiEnhancementRequest requestFor(const fs::path& input)
{
    AiEnhancementRequest request;
    request.input = makeSourceInfo(input.string());
    request.profile = "denoise";
    return request;
}

std::vector<std::string> steps(const RecordingProgress& progress)
{
    std::vector<std::string> out;
    for (const ProgressEvent& event : progress.events) {
        EXPECT_EQ(event.source, Enhancement);
        out.push_back(event.step + " " + std::to_string(event.current) + "/" + std::to_string(event.total));
    }
    return out;
}

} // namespace

TEST(AiEnhancement, AnalyzeValidatesTheRequest)
{
    TempDir dir;
    const auto input = dir.write("clip.MP4", std::string(10, 'x'));
    RecordingProgress progress;
    const RepairResult invalid = AiEnhancer().analyze(requestFor(input), &progress);
    EXPECT_EQ(invalid.status.code, 50);
    EXPECT_EQ(invalid.status.message, "AI enhancement provider is not configured");
    EXPECT_EQ(invalid.kind, Enhancement);
    EXPECT_EQ(invalid.format, "mp4");
    EXPECT_EQ(invalid.inputSize, 10u);
    EXPECT_EQ(invalid.confidence, 0.0);
    ASSERT_EQ(invalid.findings.size(), 1u);
    EXPECT_EQ(invalid.findings[0].category, ComponentUnavailable);
    EXPECT_EQ(invalid.findings[0].message, "configure provider=mock or provider=external");
    EXPECT_EQ(steps(progress), std::vector<std::string>{"analyze 0/1"});

    for (const auto& tweak : std::vector<std::function<void(AiEnhancementRequest&)>>{
             [](AiEnhancementRequest& r) { r.provider = "anything"; }, [](AiEnhancementRequest& r) { r.note = "n"; },
             [](AiEnhancementRequest& r) { r.dryRun = true; }}) {
        AiEnhancementRequest request = requestFor(input);
        tweak(request);
        const RepairResult valid = AiEnhancer().analyze(request, nullptr);
        EXPECT_TRUE(valid.status.ok);
        EXPECT_EQ(valid.confidence, 1.0);
        ASSERT_EQ(valid.findings.size(), 1u);
        EXPECT_EQ(valid.findings[0].message, "AI enhancement request is valid");
        EXPECT_EQ(valid.findings[0].category, NoDamage);
    }
}

TEST(AiEnhancement, ExternalProviderOnlyPreviewsTheCommand)
{
    TempDir dir;
    const auto input = dir.write("clip.mov", "movie");
    AiEnhancementRequest request = requestFor(input);
    request.provider = "external";
    const RepairResult external = AiEnhancer().enhance(request, nullptr);
    EXPECT_EQ(external.status.code, 51);
    EXPECT_EQ(external.status.message, "external AI enhancement execution is not enabled in the core library");
    ASSERT_EQ(external.commands.size(), 1u);
    EXPECT_EQ(external.commands[0], "ai-enhancer --input \"" + input.string() + "\" --profile denoise --output \"" +
                                        (dir / "clip_enhanced.mov").string() + "\"");
    ASSERT_EQ(external.actions.size(), 1u);
    EXPECT_EQ(external.actions[0].id, "external-preview");
    EXPECT_EQ(external.actions[0].amount, 1u);

    // A dry run with the mock provider describes the output and writes nothing.
    request.provider = "mock";
    request.dryRun = true;
    request.tools["ai-enhancer"] = "";
    RecordingProgress progress;
    const RepairResult dry = AiEnhancer().enhance(request, &progress);
    EXPECT_TRUE(dry.status.ok);
    EXPECT_EQ(dry.confidence, 0.9);
    EXPECT_FALSE(dry.outputWritten);
    EXPECT_EQ(dry.output.kind, "dry-run-ai-enhancement");
    EXPECT_EQ(dry.output.note, "mov");
    EXPECT_EQ(dry.output.size, 0u);
    ASSERT_EQ(dry.commands.size(), 1u);
    EXPECT_EQ(dry.commands[0].rfind(" --input \"", 0), 0u); // an empty executable leaves a leading blank
    EXPECT_FALSE(fs::exists(dir / "clip_enhanced.mov"));
    EXPECT_EQ(steps(progress), (std::vector<std::string>{"prepare 0/2", "analyze 0/1"}));
}

TEST(AiEnhancement, MockProviderCopiesTheInput)
{
    TempDir dir;
    const auto input = dir.write("noext", "raw bytes");
    AiEnhancementRequest request = requestFor(input);
    request.note = "sharpened for the album";
    request.outputDirectory = (dir / "out").string();
    RecordingProgress progress;
    const RepairResult copied = AiEnhancer().enhance(request, &progress);
    ASSERT_TRUE(copied.status.ok) << copied.status.message;
    EXPECT_EQ(copied.output.path, (dir / "out" / "noext_enhanced.bin").string());
    EXPECT_EQ(copied.output.kind, "ai-enhanced");
    EXPECT_EQ(copied.output.note, "bin");
    EXPECT_EQ(copied.outputSize, 9u);
    EXPECT_TRUE(copied.outputWritten);
    EXPECT_TRUE(copied.artifacts.empty());
    EXPECT_EQ(copied.confidence, 0.88);
    ASSERT_EQ(copied.actions.size(), 1u);
    EXPECT_EQ(copied.actions[0].id, "mock-enhance");
    EXPECT_EQ(copied.actions[0].description, "sharpened for the album");
    EXPECT_EQ(copied.actions[0].amount, 9u);
    EXPECT_EQ(test_support::readAll(copied.output.path), test_support::readAll(input));
    EXPECT_EQ(steps(progress), (std::vector<std::string>{"prepare 0/2", "analyze 0/1", "enhance 1/2"}));

    // The next copy takes the next free name; an unknown provider is refused.
    request.note.clear();
    request.provider = "mock";
    const RepairResult second = AiEnhancer().enhance(request, nullptr);
    EXPECT_EQ(second.output.path, (dir / "out" / "noext_enhanced_1.bin").string());
    EXPECT_EQ(second.actions[0].description, "mock enhancement copied source asset");
    request.provider = "Mock";
    const RepairResult unknown = AiEnhancer().enhance(request, nullptr);
    EXPECT_EQ(unknown.status.code, 50);
    EXPECT_EQ(unknown.findings.at(0).message, "AI enhancement request is valid");
}

TEST(AiEnhancement, FailedCopyAndTheInputIsNeverReplaced)
{
    TempDir dir;
    const auto input = dir.write("photo.jpg", "jpeg bytes");
    AiEnhancementRequest request = requestFor(input);
    request.provider = "mock";
    request.outputPath = input.string();
    request.overwrite = true;
    const RepairResult onInput = AiEnhancer().enhance(request, nullptr);
    EXPECT_EQ(onInput.status.code, 52);
    EXPECT_FALSE(onInput.outputWritten);
    const ByteBuffer kept = test_support::readAll(input);
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "jpeg bytes");

    AiEnhancementRequest missing = requestFor(dir / "missing.jpg");
    missing.provider = "mock";
    const RepairResult failed = AiEnhancer().enhance(missing, nullptr);
    EXPECT_EQ(failed.status.code, 52);
    EXPECT_FALSE(failed.status.message.empty());
    EXPECT_FALSE(failed.outputWritten);

    const auto ai = createFileRepairFactory()->createAiEnhancement();
    EXPECT_EQ(ai->analyze(requestFor(input), nullptr).status.code, 50);
}
