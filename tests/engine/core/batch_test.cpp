// Batch repair over temporary folder trees. The format engines are separate; these tests check
// the batch's own work (work list, routing by kind, naming, counting, cancellation, consensus
// groups) and, where an engine runs, only the shape of its answer, never its repair details.

#include "dispatch/batch_repairer.h"
#include "data_repair/consensus.h"
#include "test_support.h"

using namespace data_repair;
using test_support::RecordingProgress;
using test_support::TempDir;
namespace fs = std::filesystem;

namespace {

std::string jpeg(const std::string& tag) { return std::string("\xFF\xD8\xFF\xE0", 4) + "photo-" + tag; }

std::string text(const fs::path& path)
{
    const ByteBuffer bytes = test_support::readAll(path);
    return std::string(bytes.begin(), bytes.end());
}

BatchRepairRequest batchOf(std::vector<std::string> roots, int32_t mode = Repair)
{
    BatchRepairRequest request;
    request.roots = std::move(roots);
    request.mode = mode;
    return request;
}

std::vector<std::string> inputNames(const BatchRepairResult& result, const fs::path& base)
{
    std::vector<std::string> names;
    for (const RepairResult& item : result.items)
        names.push_back(fs::path(item.input.path).lexically_relative(base).string());
    return names;
}

std::vector<ProgressEvent> batchEvents(const RecordingProgress& progress)
{
    std::vector<ProgressEvent> events;
    for (const ProgressEvent& event : progress.events)
        if (event.source == 6)
            events.push_back(event);
    return events;
}

// Answers "cancelled" once a given number of items has started.
class CancelAfter : public IProgress {
public:
    explicit CancelAfter(int items) : left_(items) {}
    bool onProgress(const ProgressEvent& event) override
    {
        if (event.source == 6 && event.step == "batch")
            --left_;
        events.push_back(event);
        return true;
    }
    bool isCancelled() override { return left_ <= 0; }
    std::vector<ProgressEvent> events;

private:
    int left_;
};

// Three identical copies and a damaged one of the family a.jpg.
void familyOfFour(const TempDir& dir, const std::string& folder = "")
{
    for (const char* name : {"a__1.jpg", "a__2.jpg", "a__3.jpg"})
        dir.write(folder + name, jpeg("good"));
    dir.write(folder + "a__4.jpg", jpeg("damaged"));
}

} // namespace

TEST(Batch, RequestsWithoutWork)
{
    RecordingProgress progress;
    const BatchRepairResult none = BatchRepairer().repair(batchOf({}), &progress);
    EXPECT_EQ(none.status.code, 2);
    EXPECT_EQ(none.status.message, "batch repair requires at least one root");
    EXPECT_TRUE(progress.events.empty());

    TempDir dir;
    const auto file = dir.write("skip.jpg", jpeg("x"));
    BatchRepairRequest request = batchOf({(dir / "missing").string(), file.string()});
    request.excludeGlobs = {"SKIP*"};
    const BatchRepairResult empty = BatchRepairer().repair(request, &progress);
    EXPECT_TRUE(empty.status.ok);
    EXPECT_EQ(empty.total, 0u);
    EXPECT_EQ(empty.warnings, std::vector<std::string>{"root does not exist: " + (dir / "missing").string()});
    const auto events = batchEvents(progress);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].step, "batch-complete");
    EXPECT_EQ(events[0].path, "");
    EXPECT_EQ(events[0].current, 0u);
    EXPECT_EQ(events[0].total, 0u);
}

TEST(Batch, WorkListIsSortedFilteredAndSkipsTheSample)
{
    TempDir dir;
    for (const char* name : {"b.log", "a.log", "sub/z.log", "sub/deeper/y.log", "c.tmp", "sample.log", "zz/x.log"})
        dir.write(name, "plain text");
    fs::create_directory_symlink(dir / "sub", dir / "linked");
    fs::create_symlink(dir / "a.log", dir / "a-link.log");

    BatchRepairRequest request = batchOf({dir.path().string()}, Analyze);
    // The sample is named through another path to the same file.
    request.sample = makeSourceInfo((dir / "sub" / ".." / "sample.log").string());
    request.excludeGlobs = {"*.TMP"};
    const BatchRepairResult flat = BatchRepairer().repair(request, nullptr);
    EXPECT_EQ(inputNames(flat, dir.path()), (std::vector<std::string>{"a-link.log", "a.log", "b.log"}));

    request.recursive = true;
    request.sample = makeSourceInfo((dir / "sample-link.log").string());
    fs::create_symlink(dir / "sample.log", dir / "sample-link.log");
    const BatchRepairResult deep = BatchRepairer().repair(request, nullptr);
    // Name order at every level; the folder link is not followed.
    EXPECT_EQ(inputNames(deep, dir.path()), (std::vector<std::string>{"a-link.log", "a.log", "b.log",
                                                                       "sub/deeper/y.log", "sub/z.log", "zz/x.log"}));
    EXPECT_EQ(deep.total, 6u);

    // Two roots naming the same file list it twice.
    const BatchRepairResult twice = BatchRepairer().repair(batchOf({(dir / "a.log").string(), (dir / "a.log").string()}), nullptr);
    EXPECT_EQ(twice.total, 2u);
}

TEST(Batch, NameFilters)
{
    struct Case {
        std::vector<std::string> include, exclude;
        std::string name;
        bool pass;
    };
    const std::vector<Case> cases = {
        {{"*.JPG"}, {}, "a.jpg", true},
        {{"*.jpg"}, {"*__tmp*"}, "a__tmp.jpg", false},
        {{"*.jpg"}, {"*__tmp*"}, "a__1.jpg", true},
        {{"*.png", "*.jpg"}, {}, "x.jpg", true},
        {{"*.png"}, {}, "x.jpg", false},
        {{}, {"x?jpg"}, "x.jpg", false},
        {{}, {}, "anything", true},
    };
    for (const Case& c : cases) {
        BatchRepairRequest request;
        request.includeGlobs = c.include;
        request.excludeGlobs = c.exclude;
        EXPECT_EQ(passesNameFilter(fs::path("/some/dir") / c.name, request), c.pass) << c.name;
    }
}

TEST(Batch, PhotoSampleGoesOnlyToMatchingPhotos)
{
    struct Case {
        std::string item, sample;
        int32_t kind;
        bool use;
        bool gets;
    };
    const std::vector<Case> cases = {
        {"x.tif", "s.tiff", Photo, true, true},   {"x.tif", "s.png", Photo, true, false},
        {"x.JPG", "s.jpeg", Photo, true, true},   {"x.cr2", "s.cr2", Photo, true, true},
        {"x.cr2", "s.nef", Photo, true, false},   {"x.gif", "s.gif", Photo, true, false},
        {"x.jpg", "s.jpg", Photo, false, false},  {"x.mp4", "s.mp4", Video, true, false},
        {"x.jpg", "", Photo, true, false},
    };
    for (const Case& c : cases) {
        BatchRepairRequest request;
        request.sample = c.sample.empty() ? SourceInfo{} : makeSourceInfo("/s/" + c.sample);
        request.usePhotoSample = c.use;
        request.outputDirectory = "/out";
        request.overwrite = true;
        request.writePreview = true;
        const RepairRequest item = buildItemRequest("/in/" + c.item, request, Repair, c.kind);
        EXPECT_EQ(item.sample.path.empty(), !c.gets) << c.item << " " << c.sample;
        EXPECT_EQ(item.input.path, "/in/" + c.item);
        EXPECT_EQ(item.outputDirectory, "/out");
        EXPECT_EQ(item.mode, Repair);
        EXPECT_TRUE(item.overwrite && item.writePreview && item.outputPath.empty());
    }
}

TEST(Batch, RoutesEachItemByItsKind)
{
    TempDir dir;
    dir.write("1.pdf", "%PDF-1.4\n1 0 obj <<>> endobj\n");
    dir.write("2.jpg", jpeg("x"));
    dir.write("3.wav", std::string("RIFF\x24\0\0\0WAVEfmt ", 16));
    dir.write("4.mp4", std::string("\0\0\0\x18" "ftypisom", 12));
    dir.write("5.zip", std::string("PK\x03\x04", 4));
    dir.write("6.log", "no known kind");
    RecordingProgress progress;
    const BatchRepairResult result = BatchRepairer().analyze(batchOf({dir.path().string()}, Repair), &progress);
    ASSERT_EQ(result.items.size(), 6u);
    EXPECT_EQ(result.items[0].kind, Document);
    EXPECT_EQ(result.items[1].kind, Photo);
    EXPECT_EQ(result.items[2].kind, Audio);
    EXPECT_EQ(result.items[3].kind, Video);
    EXPECT_TRUE(result.items[4].kind == Document || result.items[4].kind == Archive);
    for (const RepairResult& item : result.items) {
        EXPECT_EQ(item.mode, Analyze) << item.input.path; // a batch analysis runs every engine's analysis
        EXPECT_FALSE(item.outputWritten) << item.input.path;
    }

    const RepairResult& unsupported = result.items[5];
    EXPECT_EQ(unsupported.kind, Unknown);
    EXPECT_EQ(unsupported.status.code, 60);
    EXPECT_EQ(unsupported.status.message, "unsupported file in batch");
    ASSERT_EQ(unsupported.findings.size(), 1u);
    EXPECT_EQ(unsupported.findings[0].category, UnsupportedFormat);
    EXPECT_EQ(unsupported.findings[0].severity, Error);
    EXPECT_EQ(unsupported.findings[0].message, "batch repair supports video, audio, photo, document and archive formats");
    EXPECT_FALSE(unsupported.findings[0].repairable);

    // The summary counts what the engines answered; at least the unsupported item failed.
    EXPECT_EQ(result.repaired, 0u);
    EXPECT_GE(result.failed, 1u);
    EXPECT_EQ(result.status.code, 60);
    EXPECT_EQ(result.status.message,
              "batch completed with " + std::to_string(result.failed) + " failed item(s) out of 6");

    const auto events = batchEvents(progress);
    ASSERT_EQ(events.size(), 7u);
    for (uint64_t i = 0; i < 6; ++i) {
        EXPECT_EQ(events[i].step, "batch");
        EXPECT_EQ(events[i].path, result.items[i].input.path);
        EXPECT_EQ(events[i].current, i);
        EXPECT_EQ(events[i].total, 6u);
    }
    EXPECT_EQ(events[6].step, "batch-complete");
    EXPECT_EQ(events[6].current, 6u);
}

TEST(Batch, RedundantCopiesAreRestoredFromTheirExemplar)
{
    TempDir dir;
    familyOfFour(dir, "one/");
    dir.write("one/notes.log", "unsupported");
    BatchRepairRequest request = batchOf({(dir / "one").string()});
    request.useConsensus = true;
    const BatchRepairResult result = BatchRepairer().repair(request, nullptr);
    ASSERT_EQ(result.total, 5u);
    const uint64_t size = jpeg("good").size();
    for (size_t i = 0; i < 4; ++i) {
        const RepairResult& item = result.items[i];
        ASSERT_TRUE(item.status.ok) << item.status.message;
        EXPECT_EQ(item.status.message, "");
        EXPECT_EQ(item.sample.path, (dir / "one" / "a__1.jpg").string());
        EXPECT_EQ(item.kind, Photo);
        EXPECT_EQ(item.format, "jpg");
        EXPECT_EQ(item.mode, Repair);
        EXPECT_NEAR(item.confidence, 1.0 - 1.0 / 3.0, 1e-12);
        EXPECT_TRUE(item.usedReference && item.outputWritten);
        ASSERT_EQ(item.findings.size(), 1u);
        EXPECT_EQ(item.findings[0].severity, Info);
        EXPECT_EQ(item.findings[0].message, "restored from an explicit redundant-copy consensus (3 identical copies, runner-up 1)");
        ASSERT_EQ(item.actions.size(), 1u);
        EXPECT_EQ(item.actions[0].id, "restore-consensus-exemplar");
        EXPECT_EQ(item.actions[0].amount, size);
        EXPECT_EQ(item.output.kind, "consensus-restored-copy");
        EXPECT_EQ(item.output.path, (dir / "one" / ("a__" + std::to_string(i + 1) + "_repaired.jpg")).string());
        EXPECT_EQ(text(item.output.path), jpeg("good"));
    }
    EXPECT_EQ(text(dir / "one" / "a__4.jpg"), jpeg("damaged"));
    EXPECT_EQ(result.repaired, 4u);
    EXPECT_EQ(result.repairedBytes, 4 * size);
    EXPECT_EQ(result.failed, 1u);
    EXPECT_EQ(result.status.code, 61);
    EXPECT_EQ(result.status.message, "batch completed with 1 failed item(s) out of 5");

    // A second run does not replace the first run's outputs without overwrite.
    const BatchRepairResult again = BatchRepairer().repair(request, nullptr);
    EXPECT_EQ(again.items[0].output.path, (dir / "one" / "a__1_repaired_1.jpg").string());

    // A batch analysis restores grouped items too.
    TempDir other;
    familyOfFour(other);
    BatchRepairRequest analysis = batchOf({other.path().string()});
    analysis.useConsensus = true;
    const BatchRepairResult analysed = BatchRepairer().analyze(analysis, nullptr);
    EXPECT_TRUE(analysed.status.ok);
    EXPECT_EQ(analysed.repaired, 4u);
    EXPECT_EQ(analysed.items[0].mode, Analyze);
}

TEST(Batch, GroupsSpanRootsAndNeedAClearMajority)
{
    TempDir dir;
    dir.write("r1/a__1.jpg", jpeg("good"));
    dir.write("r1/a__4.jpg", jpeg("damaged"));
    dir.write("r2/a__2.jpg", jpeg("good"));
    dir.write("r2/a__3.jpg", jpeg("good"));
    const std::vector<fs::path> split = {dir / "r1/a__1.jpg", dir / "r1/a__4.jpg", dir / "r2/a__2.jpg", dir / "r2/a__3.jpg"};
    const auto groups = groupRedundantCopies(split);
    ASSERT_EQ(groups.count("a.jpg"), 1u);
    const ConsensusGroup& group = groups.at("a.jpg");
    EXPECT_EQ(group.exemplar, dir / "r1/a__1.jpg");
    EXPECT_EQ(group.topCount, 3u);
    EXPECT_EQ(group.runnerUp, 1u);
    EXPECT_EQ(group.hashedFiles, 4u);
    EXPECT_EQ(group.sha256, sha256HexOfFile(dir / "r1/a__1.jpg"));

    struct Case {
        const char* name;
        std::vector<int> groups;
        bool grouped;
    };
    for (const Case& c : std::vector<Case>{{"two and one", {2, 1}, false},
                                           {"three and three", {3, 3}, false},
                                           {"three and two", {3, 2}, true},
                                           {"duplicates among distinct photos", {3, 1, 1, 1, 1}, false}}) {
        TempDir family;
        std::vector<fs::path> workList;
        int n = 0;
        for (size_t g = 0; g < c.groups.size(); ++g)
            for (int i = 0; i < c.groups[g]; ++i)
                workList.push_back(family.write("IMG__" + std::to_string(++n) + ".jpg", jpeg(std::to_string(g))));
        workList.push_back(family.write("plain.jpg", jpeg("0")));
        workList.push_back(family / "IMG__missing.jpg"); // unreadable: not hashed
        EXPECT_EQ(groupRedundantCopies(workList).count("IMG.jpg"), c.grouped ? 1u : 0u) << c.name;
    }

    // Ungrouped families go to the engines; without useConsensus nothing is grouped.
    TempDir two;
    two.write("b__1.jpg", jpeg("good"));
    two.write("b__2.jpg", jpeg("good"));
    two.write("b__3.jpg", jpeg("bad"));
    BatchRepairRequest request = batchOf({two.path().string()}, Analyze);
    request.useConsensus = true;
    for (const RepairResult& item : BatchRepairer().repair(request, nullptr).items)
        for (const RepairAction& action : item.actions)
            EXPECT_NE(action.id, "restore-consensus-exemplar");
    TempDir four;
    familyOfFour(four);
    const BatchRepairResult off = BatchRepairer().repair(batchOf({four.path().string()}, Analyze), nullptr);
    for (const RepairResult& item : off.items)
        EXPECT_FALSE(item.usedReference && item.outputWritten) << item.input.path;
}

TEST(Batch, ItemsNeverShareAnOutputEvenWithOverwrite)
{
    TempDir dir;
    // One family over two folders: a__1.jpg and a__2.jpg exist in both.
    for (const char* folder : {"d1/", "d2/"}) {
        dir.write(std::string(folder) + "a__1.jpg", jpeg("good"));
        dir.write(std::string(folder) + "a__2.jpg", jpeg("good"));
    }
    dir.write("out/a__1_repaired.jpg", "from an earlier run");
    BatchRepairRequest request = batchOf({(dir / "d1").string(), (dir / "d2").string(), (dir / "d1/a__1.jpg").string()});
    request.useConsensus = true;
    request.overwrite = true;
    request.outputDirectory = (dir / "out").string();
    const BatchRepairResult result = BatchRepairer().repair(request, nullptr);
    ASSERT_EQ(result.total, 5u);
    std::set<std::string> outputs;
    for (const RepairResult& item : result.items) {
        ASSERT_TRUE(item.outputWritten) << item.status.message;
        EXPECT_TRUE(outputs.insert(item.output.path).second) << item.output.path << " written twice";
        EXPECT_EQ(text(item.output.path), jpeg("good"));
    }
    // Overwrite still replaces the earlier run's file, once.
    EXPECT_EQ(result.items[0].output.path, (dir / "out/a__1_repaired.jpg").string());
    EXPECT_EQ(result.items[2].output.path, (dir / "out/a__1_repaired_1.jpg").string());
    EXPECT_EQ(result.items[4].output.path, (dir / "out/a__1_repaired_2.jpg").string());
    EXPECT_EQ(result.repairedBytes, 5 * jpeg("good").size());

    // Engine-routed items with one name: whatever the engines write, no two share a path.
    TempDir same;
    same.write("p1/report.pdf", "%PDF-1.4\n1 0 obj <<>> endobj\ntrailer <<>>\n");
    same.write("p2/report.pdf", "%PDF-1.4\n1 0 obj <<>> endobj\ntrailer <<>>\n");
    BatchRepairRequest routed = batchOf({(same / "p1").string(), (same / "p2").string()});
    routed.overwrite = true;
    routed.writePreview = true;
    routed.outputDirectory = (same / "out").string();
    const BatchRepairResult engines = BatchRepairer().repair(routed, nullptr);
    std::set<std::string> written;
    for (const RepairResult& item : engines.items) {
        if (item.outputWritten) {
            EXPECT_TRUE(written.insert(item.output.path).second) << item.output.path;
        }
        for (const OutputArtifact& artifact : item.artifacts)
            EXPECT_TRUE(written.insert(artifact.path).second) << artifact.path;
    }
    for (const auto& entry : fs::directory_iterator(same / "out"))
        EXPECT_NE(entry.path().filename().string().rfind(".korvex-batch-", 0), 0u) << "staging folder left behind";
}

TEST(Batch, StagedOutputsTakeTheBatchsNextFreeNames)
{
    TempDir dir;
    const fs::path out = dir / "out";
    dir.write("out/x_repaired.jpg", "this batch's first item");
    dir.write("out/x_repaired_1.jpg", "an earlier run");
    for (const bool overwrite : {false, true}) {
        TempDir stage;
        BatchOutputNames names(overwrite);
        names.markWritten(out / "x_repaired.jpg");
        RepairResult result;
        result.setStatus(RepairStatus::success());
        result.output = makeArtifact(stage.write("x_repaired.jpg", "repaired"), "repaired-photo", "jpg");
        result.outputWritten = true;
        result.artifacts.push_back(makeArtifact(stage.write("x_preview.jpg", "preview"), "photo-preview", "jpg"));
        result.previewWritten = true;
        adoptStagedOutputs(result, out, names, overwrite);
        ASSERT_TRUE(result.status.ok) << result.status.message;
        const std::string expected = overwrite ? "x_repaired_1.jpg" : "x_repaired_2.jpg";
        EXPECT_EQ(result.output.path, (out / expected).string());
        EXPECT_EQ(text(result.output.path), "repaired");
        ASSERT_EQ(result.artifacts.size(), 1u);
        EXPECT_EQ(text(result.artifacts[0].path), "preview");
        EXPECT_TRUE(fs::is_empty(stage.path()));
        EXPECT_EQ(text(out / "x_repaired.jpg"), "this batch's first item");
        fs::remove(out / "x_preview.jpg");
    }
}

TEST(Batch, AStagedOutputThatCannotBeMovedIsItsEnginesWriteFailure)
{
    struct Case {
        int32_t kind;
        std::string format;
        std::string outputKind;
        int32_t code;
    };
    const std::vector<Case> cases = {
        {Photo, "jpg", "repaired-photo", 21},
        {Photo, "cr2", "repaired-photo", 25},
        {Audio, "wav", "repaired-audio", 77},
        {Video, "mp4", "repaired-video", 31},
        {Video, "mkv", "repaired-video", 38},
        {Document, "pdf", "repaired-document", 42},
        {Document, "docx", "repaired-document", 45},
        {Document, "txt", "repaired-text-document", 50},
        {Document, "doc", "repaired-office-binary-document", 48},
    };
    TempDir dir;
    // The final folder is a file, so moving into it fails for a reason other than a taken name.
    const fs::path notAFolder = dir.write("out", "a file where the folder should be");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        TempDir stage;
        BatchOutputNames names(false);
        RepairResult result;
        result.setStatus(RepairStatus::success());
        result.kind = c.kind;
        result.format = c.format;
        result.output = makeArtifact(stage.write("x_repaired." + c.format, "repaired"), c.outputKind, c.format);
        result.outputWritten = true;
        adoptStagedOutputs(result, notAFolder, names, false);
        EXPECT_FALSE(result.status.ok);
        EXPECT_EQ(result.status.code, c.code);
        EXPECT_EQ(result.status.message, "failed to write output file");
        EXPECT_FALSE(result.outputWritten);
    }
}

TEST(Batch, NamingManySameNamedItemsResumesItsSearch)
{
    TempDir dir;
    dir.write("x_repaired.jpg", "");
    dir.write("x_repaired_2.jpg", "");
    BatchOutputNames names(false);
    std::vector<std::string> got;
    for (int i = 0; i < 4; ++i) {
        const fs::path p = names.claim(dir / "x_repaired.jpg");
        dir.write(p.filename().string(), "");
        names.markWritten(p);
        got.push_back(p.filename().string());
    }
    EXPECT_EQ(got, (std::vector<std::string>{"x_repaired_1.jpg", "x_repaired_3.jpg", "x_repaired_4.jpg", "x_repaired_5.jpg"}));
}

TEST(Batch, Cancellation)
{
    TempDir dir;
    TempDir out;
    familyOfFour(dir);
    BatchRepairRequest request = batchOf({dir.path().string()});
    request.useConsensus = true;
    request.outputDirectory = out.path().string();

    RecordingProgress before;
    before.cancel = true;
    const BatchRepairResult none = BatchRepairer().repair(request, &before);
    EXPECT_TRUE(none.items.empty());
    EXPECT_EQ(none.status.code, 5);
    EXPECT_EQ(none.status.message, "batch repair cancelled");
    const auto events = batchEvents(before);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].step, "batch-complete");
    EXPECT_EQ(events[0].current, 4u);
    EXPECT_EQ(events[0].total, 4u);

    // Cancelled while the third item runs: that item is stopped before its output takes a name.
    CancelAfter midway(3);
    const BatchRepairResult part = BatchRepairer().repair(request, &midway);
    EXPECT_EQ(part.items.size(), 2u);
    EXPECT_EQ(part.repaired, 2u);
    EXPECT_EQ(part.status.code, 5);
    EXPECT_EQ(midway.events.back().step, "batch-complete");
    EXPECT_EQ(std::distance(fs::directory_iterator(out.path()), fs::directory_iterator()), 2);

    // After an earlier failure the summary replaces the cancellation.
    dir.write("0.log", "unsupported, and first by name");
    CancelAfter failing(3);
    const BatchRepairResult failed = BatchRepairer().repair(request, &failing);
    EXPECT_EQ(failed.items.size(), 2u);
    EXPECT_EQ(failed.status.code, 61);
    EXPECT_EQ(failed.status.message, "batch completed with 1 failed item(s) out of 5");
}

TEST(Batch, ExemplarFailures)
{
    TempDir dir;
    familyOfFour(dir);
    const std::vector<fs::path> workList = {dir / "a__1.jpg", dir / "a__2.jpg", dir / "a__3.jpg", dir / "a__4.jpg"};
    const ConsensusGroup group = groupRedundantCopies(workList).at("a.jpg");
    BatchRepairRequest request = batchOf({dir.path().string()});

    // The exemplar changed after grouping: nothing is written.
    dir.write("a__1.jpg", jpeg("edited"));
    BatchOutputNames names(false);
    const RepairResult changed = restoreConsensusExemplar(dir / "a__4.jpg", group, request, names);
    EXPECT_EQ(changed.status.code, 62);
    EXPECT_FALSE(changed.outputWritten);
    EXPECT_FALSE(fs::exists(dir / "a__4_repaired.jpg"));

    fs::remove(dir / "a__1.jpg");
    const RepairResult gone = restoreConsensusExemplar(dir / "a__4.jpg", group, request, names);
    EXPECT_EQ(gone.status.code, 62);
    EXPECT_EQ(gone.status.message, "failed to open input file");

    dir.write("a__1.jpg", jpeg("good"));
    dir.write("blocker", "");
    request.outputDirectory = (dir / "blocker" / "out").string();
    const RepairResult blocked = restoreConsensusExemplar(dir / "a__4.jpg", group, request, names);
    EXPECT_EQ(blocked.status.code, 63);
    EXPECT_EQ(blocked.kind, Photo);
}

TEST(Batch, FactoryHandsOutTheBatchEngine)
{
    TempDir dir;
    familyOfFour(dir);
    BatchRepairRequest request = batchOf({dir.path().string()});
    request.useConsensus = true;
    const auto batch = createFileRepairFactory()->createBatchRepair();
    const BatchRepairResult result = batch->repair(request, nullptr);
    EXPECT_TRUE(result.status.ok) << result.status.message;
    EXPECT_EQ(result.repaired, 4u);
}
