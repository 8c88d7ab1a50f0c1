#include <sys/stat.h>
#include <unistd.h>

#include <thread>

#include <fstream>
#include <functional>

#include "data_repair/consensus.h"
#include "dispatch/batch_repairer.h"
#include "test_support.h"

using namespace data_repair;
using test_support::TempDir;
namespace fs = std::filesystem;

namespace {

// A small JPEG-looking body: the consensus only needs bytes that tell the kind.
std::string jpeg(const std::string& tag) { return std::string("\xFF\xD8\xFF\xE0", 4) + "body-" + tag; }

std::string text(const fs::path& path)
{
    const ByteBuffer bytes = test_support::readAll(path);
    return std::string(bytes.begin(), bytes.end());
}

std::string sha256sumOf(const fs::path& path)
{
    return test_support::run("sha256sum " + test_support::quote(path)).output.substr(0, 64);
}

// Bytes this process has read through read(2) so far.
uint64_t bytesReadSoFar()
{
    std::ifstream io("/proc/self/io");
    std::string key;
    uint64_t value = 0;
    while (io >> key >> value)
        if (key == "rchar:")
            return value;
    return 0;
}

// Writes name -> content pairs into a fresh folder.
void fill(const TempDir& dir, const std::vector<std::pair<std::string, std::string>>& files)
{
    for (const auto& [name, content] : files)
        dir.write(name, content);
}

} // namespace

TEST(Consensus, FamilyKey)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"/x/Contract__2.PDF", "Contract.pdf"}, {"a__b__c.jpg", "a.jpg"}, {"a__.txt", "a.txt"},
        {"__1.jpg", ""},                        {"report.pdf", ""},      {"x_1.jpg", ""},
        {"A__1.jpg", "A.jpg"},                  {"dir/noext__1", "noext."}, {".hidden__1", ".hidden."},
    };
    for (const auto& [path, key] : cases)
        EXPECT_EQ(familyKey(path), key) << path;
}

TEST(Consensus, ThreeIdenticalCopiesRestoreTheDamagedFourth)
{
    TempDir dir;
    fill(dir, {{"a__3.jpg", jpeg("good")}, {"a__1.jpg", jpeg("good")}, {"a__2.jpg", jpeg("good")},
               {"a__4.jpg", jpeg("damaged")}, {"other.jpg", jpeg("good")}});
    const fs::path input = dir / "a__4.jpg";
    const ConsensusResult found = findSiblingConsensus(input.string());
    ASSERT_TRUE(found.found);
    EXPECT_EQ(found.familyKey, "a.jpg");
    EXPECT_EQ(found.topCount, 3u);
    EXPECT_EQ(found.runnerUp, 1u);
    EXPECT_EQ(found.hashedFiles, 4u);
    EXPECT_EQ(found.sha256, sha256sumOf(dir / "a__1.jpg"));
    // The listing is taken in name order, so the first good copy by name represents the content.
    EXPECT_EQ(found.best.path, (dir / "a__1.jpg").string());
    EXPECT_EQ(found.best.fileName, "a__1.jpg");

    for (const RepairResult& analysis : {analyzeConsensus(makeSourceInfo(input.string()), found),
                                         analyzeConsensus(test_support::requestFor(input), found)}) {
        EXPECT_TRUE(analysis.status.ok);
        EXPECT_EQ(analysis.status.message, "redundant-copy consensus is available");
        EXPECT_EQ(analysis.mode, Analyze);
        EXPECT_EQ(analysis.kind, Photo);
        EXPECT_EQ(analysis.format, "jpg");
        EXPECT_EQ(analysis.sample.path, found.best.path);
        EXPECT_EQ(analysis.inputSize, jpeg("damaged").size());
        EXPECT_TRUE(analysis.usedReference);
        EXPECT_FALSE(analysis.outputWritten);
        EXPECT_NEAR(analysis.confidence, 1.0 - 1.0 / 3.0, 1e-12);
        ASSERT_EQ(analysis.findings.size(), 1u);
        EXPECT_EQ(analysis.findings[0].category, StructureInvalid);
        EXPECT_EQ(analysis.findings[0].severity, Warning);
        EXPECT_EQ(analysis.findings[0].message, "unambiguous sibling consensus available (3 identical copies, runner-up 1)");
        EXPECT_TRUE(analysis.findings[0].repairable);
    }
    EXPECT_FALSE(fs::exists(dir / "a__4_repaired.jpg")); // analysis writes nothing

    const RepairResult restored = restoreFromConsensus(test_support::requestFor(input), found);
    ASSERT_TRUE(restored.status.ok) << restored.status.message;
    EXPECT_EQ(restored.status.message, "restored from redundant-copy consensus");
    EXPECT_EQ(restored.mode, Repair);
    EXPECT_EQ(restored.output.path, (dir / "a__4_repaired.jpg").string());
    EXPECT_EQ(restored.output.kind, "consensus-restored-copy");
    EXPECT_EQ(restored.output.note, "jpg");
    EXPECT_EQ(restored.outputSize, jpeg("good").size());
    EXPECT_TRUE(restored.outputWritten);
    EXPECT_TRUE(restored.artifacts.empty());
    ASSERT_EQ(restored.actions.size(), 1u);
    EXPECT_EQ(restored.actions[0].id, "restore-sibling-consensus");
    EXPECT_EQ(restored.actions[0].description, "restored the unambiguous modal redundant copy into a new output file");
    EXPECT_EQ(restored.actions[0].amount, jpeg("good").size());
    EXPECT_EQ(sha256sumOf(restored.output.path), found.sha256);
    EXPECT_EQ(text(input), jpeg("damaged")); // the input is never changed

    // A second restore never replaces the first output without overwrite.
    const RepairResult again = restoreFromConsensus(test_support::requestFor(input), found);
    ASSERT_TRUE(again.status.ok);
    EXPECT_EQ(again.output.path, (dir / "a__4_repaired_1.jpg").string());
}

TEST(Consensus, MajorityRule)
{
    struct Case {
        const char* name;
        std::vector<int> groups; // members per distinct content
        bool found;
        uint64_t runnerUp;
        uint64_t hashed;
    };
    const std::vector<Case> cases = {
        {"two identical and the input", {2, 1}, false, 0, 0},
        {"tie at the top", {3, 3}, false, 0, 0},
        {"three against two", {3, 2}, true, 2, 5},
        {"four alone", {4}, true, 0, 4},
        {"five against one", {5, 1}, true, 1, 6},
        // Three duplicates among distinct files named alike are not a clear majority.
        {"duplicates among distinct photos", {3, 1, 1, 1, 1}, false, 0, 0},
        {"half is not more than half", {3, 1, 1, 1}, false, 0, 0},
        {"just over half", {4, 1, 1, 1}, true, 1, 7},
    };
    for (const Case& c : cases) {
        TempDir dir;
        int n = 0;
        for (size_t g = 0; g < c.groups.size(); ++g)
            for (int i = 0; i < c.groups[g]; ++i)
                dir.write("p__" + std::to_string(++n) + ".jpg", jpeg("content" + std::to_string(g)));
        const ConsensusResult r = findSiblingConsensus((dir / "p__1.jpg").string());
        EXPECT_EQ(r.found, c.found) << c.name;
        EXPECT_EQ(r.runnerUp, c.runnerUp) << c.name;
        EXPECT_EQ(r.hashedFiles, c.hashed) << c.name;
        if (r.found)
            EXPECT_NEAR(analyzeConsensus(makeSourceInfo((dir / "p__1.jpg").string()), r).confidence,
                        c.runnerUp == 0 ? 1.0 : 1.0 - double(c.runnerUp) / c.groups[0], 1e-12)
                << c.name;
        else
            EXPECT_TRUE(r.familyKey.empty() && r.sha256.empty() && r.best.path.empty() && r.topCount == 0) << c.name;
    }
}

TEST(Consensus, OnlyReadableRegularFamilyMembersVote)
{
    TempDir dir;
    // a.jpg and b__1.jpg share the content but are not members of the family a.jpg.
    fill(dir, {{"a.jpg", jpeg("x")}, {"b__1.jpg", jpeg("x")}, {"a__1.JPG", jpeg("x")}, {"a__2.jpg", jpeg("x")},
               {"A__3.jpg", jpeg("x")}, {"a__4.png", jpeg("x")}});
    fs::create_directory(dir / "a__5.jpg");
    ASSERT_EQ(::mkfifo((dir / "a__6.jpg").c_str(), 0600), 0);
    fs::create_symlink(dir / "gone.jpg", dir / "a__7.jpg");
    EXPECT_FALSE(findSiblingConsensus((dir / "a__2.jpg").string()).found);

    // Three empty files make a consensus; a link, even to a member, never votes.
    TempDir empty;
    fill(empty, {{"e__1.txt", ""}, {"e__2.txt", ""}});
    fs::create_symlink(empty / "e__1.txt", empty / "e__3.txt");
    EXPECT_FALSE(findSiblingConsensus((empty / "e__1.txt").string()).found);
    empty.write("e__4.txt", "");
    const ConsensusResult r = findSiblingConsensus((empty / "e__1.txt").string());
    ASSERT_TRUE(r.found);
    EXPECT_EQ(r.topCount, 3u);
    EXPECT_EQ(r.hashedFiles, 3u);
    EXPECT_EQ(r.sha256, "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");

    if (::geteuid() != 0) { // root reads through any permission
        TempDir locked;
        fill(locked, {{"l__1.jpg", jpeg("x")}, {"l__2.jpg", jpeg("x")}, {"l__3.jpg", jpeg("x")}});
        fs::permissions(locked / "l__3.jpg", fs::perms::none);
        const ConsensusResult l = findSiblingConsensus((locked / "l__1.jpg").string());
        EXPECT_FALSE(l.found);
    }
}

TEST(Consensus, AnswersAreCachedOnlyWhileTheCopiesStayTheSame)
{
    TempDir dir;
    fill(dir, {{"c__1.pdf", "%PDF-1.4 same"}, {"c__2.pdf", "%PDF-1.4 same"}, {"c__3.pdf", "%PDF-1.4 same"},
               {"c__4.pdf", "%PDF-1.4 damaged"}});
    const ConsensusResult first = findSiblingConsensus((dir / "c__4.pdf").string());
    ASSERT_TRUE(first.found);
    EXPECT_EQ(first.best.fileName, "c__1.pdf");
    // Another member, and the same folder named differently, get the remembered answer without
    // reading a copy again.
    const uint64_t before = bytesReadSoFar();
    const ConsensusResult again = findSiblingConsensus((dir / "sub" / ".." / "c__3.pdf").string());
    EXPECT_LT(bytesReadSoFar() - before, 4096u); // what reading the count itself took
    EXPECT_TRUE(again.found);
    EXPECT_EQ(again.sha256, first.sha256);

    // Once a copy is gone, rewritten or replaced, the folder is looked at again: the answer is
    // today's, and restoring from it works.
    const struct {
        const char* name;
        std::function<void()> change;
        bool found;
        const char* best;
    } changes[] = {
        {"chosen copy deleted", [&] { fs::remove(dir / "c__1.pdf"); }, false, ""},
        {"copy added back", [&] { dir.write("c__1.pdf", "%PDF-1.4 same"); }, true, "c__1.pdf"},
        {"copy rewritten, same size", [&] { dir.write("c__1.pdf", "%PDF-1.4 SAME"); }, false, ""},
        {"copy replaced by another file",
         [&] {
             dir.write("new.tmp", "%PDF-1.4 same");
             fs::rename(dir / "new.tmp", dir / "c__1.pdf");
         },
         true, "c__1.pdf"},
        {"copies added", [&] { fill(dir, {{"c__5.pdf", "%PDF-1.4 same"}, {"c__6.pdf", "%PDF-1.4 same"}}); }, true,
         "c__1.pdf"},
    };
    for (const auto& c : changes) {
        SCOPED_TRACE(c.name);
        c.change();
        const ConsensusResult now = findSiblingConsensus((dir / "c__4.pdf").string());
        EXPECT_EQ(now.found, c.found);
        EXPECT_EQ(now.best.fileName, c.best);
        if (now.found) {
            const fs::path output = dir / "c__4_repaired.pdf";
            const RepairResult restored = restoreFromConsensus(test_support::requestFor(dir / "c__4.pdf"), now);
            EXPECT_TRUE(restored.status.ok) << restored.status.message;
            EXPECT_EQ(text(output), "%PDF-1.4 same");
            fs::remove(output);
        }
    }

    // A negative answer is remembered as well while nothing changes.
    TempDir none;
    fill(none, {{"n__1.pdf", "1"}, {"n__2.pdf", "1"}});
    EXPECT_FALSE(findSiblingConsensus((none / "n__1.pdf").string()).found);
    EXPECT_FALSE(findSiblingConsensus((none / "n__2.pdf").string()).found);
    none.write("n__3.pdf", "1");
    EXPECT_TRUE(findSiblingConsensus((none / "n__2.pdf").string()).found);

    // Names without a family, and paths without a folder part, never find anything.
    EXPECT_FALSE(findSiblingConsensus((dir / "plain.pdf").string()).found);
    EXPECT_FALSE(findSiblingConsensus("c__1.pdf").found);
    EXPECT_FALSE(findSiblingConsensus("").found);
}

TEST(Consensus, LinksAreNeverCopies)
{
    // Three links named as copies, all to one private file elsewhere, and the user's own file.
    TempDir elsewhere;
    const fs::path secret = elsewhere.write("secret.pdf", "%PDF-1.4 private");
    TempDir dir;
    for (const char* name : {"report__1.pdf", "report__2.pdf", "report__3.pdf"})
        fs::create_symlink(secret, dir / name);
    dir.write("report__4.pdf", "%PDF-1.4 the user's own");
    const fs::path input = dir / "report__4.pdf";
    EXPECT_FALSE(findSiblingConsensus(input.string()).found);
    RepairRequest request = test_support::requestFor(input);
    EXPECT_EQ(restoreFromConsensus(request, findSiblingConsensus(input.string())).status.code, 64);
    EXPECT_FALSE(fs::exists(dir / "report__4_repaired.pdf"));

    // With real copies beside them the links still do not vote: three real ones win.
    fill(dir, {{"report__5.pdf", "%PDF-1.4 real"}, {"report__6.pdf", "%PDF-1.4 real"},
               {"report__7.pdf", "%PDF-1.4 real"}});
    const ConsensusResult found = findSiblingConsensus(input.string());
    ASSERT_TRUE(found.found);
    EXPECT_EQ(found.hashedFiles, 4u);
    EXPECT_EQ(found.best.fileName, "report__5.pdf");

    // A batch's groups count copies the same way.
    BatchRepairRequest batch;
    batch.roots = {(dir / "report__1.pdf").string(), (dir / "report__2.pdf").string(),
                   (dir / "report__3.pdf").string(), input.string()};
    batch.useConsensus = true;
    batch.mode = Repair;
    TempDir out;
    batch.outputDirectory = out.path().string();
    const BatchRepairResult result = BatchRepairer().repair(batch, nullptr);
    ASSERT_EQ(result.items.size(), 4u);
    for (const RepairResult& item : result.items)
        EXPECT_FALSE(item.usedReference) << item.input.path;
}

TEST(Consensus, HardLinksAreOneCopy)
{
    // Doc__2 with two hard links to it is one file: it cannot outvote Doc__1, a cut copy of
    // another document, and Doc__1 is not "restored" as that other document.
    TempDir dir;
    dir.write("Doc__1.pdf", "%PDF-1.4 the user's own docum");
    const fs::path shared = dir.write("Doc__2.pdf", "%PDF-1.4 another document");
    fs::create_hard_link(shared, dir / "Doc__3.pdf");
    fs::create_hard_link(shared, dir / "Doc__4.pdf");
    const fs::path input = dir / "Doc__1.pdf";
    EXPECT_FALSE(findSiblingConsensus(input.string()).found);
    RepairRequest request = test_support::requestFor(input);
    EXPECT_EQ(restoreFromConsensus(request, findSiblingConsensus(input.string())).status.code, 64);
    EXPECT_FALSE(fs::exists(dir / "Doc__1_repaired.pdf"));

    // Two real copies beside the linked one make three distinct files that agree: a majority of
    // the four files, with the linked file counted once.
    dir.write("Doc__5.pdf", "%PDF-1.4 another document");
    dir.write("Doc__6.pdf", "%PDF-1.4 another document");
    const ConsensusResult found = findSiblingConsensus(input.string());
    ASSERT_TRUE(found.found);
    EXPECT_EQ(found.topCount, 3u);
    EXPECT_EQ(found.hashedFiles, 4u);
    EXPECT_EQ(found.best.fileName, "Doc__2.pdf");

    // A batch's groups count files the same way.
    TempDir linked;
    linked.write("Memo__1.pdf", "%PDF-1.4 the user's own memo");
    const fs::path memo = linked.write("Memo__2.pdf", "%PDF-1.4 a different memo!!");
    fs::create_hard_link(memo, linked / "Memo__3.pdf");
    fs::create_hard_link(memo, linked / "Memo__4.pdf");
    BatchRepairRequest batch;
    for (const char* name : {"Memo__1.pdf", "Memo__2.pdf", "Memo__3.pdf", "Memo__4.pdf"})
        batch.roots.push_back((linked / name).string());
    batch.useConsensus = true;
    batch.mode = Repair;
    TempDir out;
    batch.outputDirectory = out.path().string();
    const BatchRepairResult result = BatchRepairer().repair(batch, nullptr);
    ASSERT_EQ(result.items.size(), 4u);
    for (const RepairResult& item : result.items)
        EXPECT_FALSE(item.usedReference) << item.input.path;
}

TEST(Consensus, OnlySizesHeldByTwoOrMoreCopiesAreRead)
{
    // A huge sparse copy of a size no other copy has can never be in a majority: it is not read.
    TempDir dir;
    fill(dir, {{"s__1.jpg", jpeg("good")}, {"s__2.jpg", jpeg("good")}, {"s__3.jpg", jpeg("good")},
               {"s__4.jpg", jpeg("bad")}});
    {
        std::ofstream(dir / "s__5.jpg") << jpeg("huge");
    }
    fs::resize_file(dir / "s__5.jpg", 1ull << 30);
    const uint64_t before = bytesReadSoFar();
    const ConsensusResult found = findSiblingConsensus((dir / "s__4.jpg").string());
    EXPECT_LT(bytesReadSoFar() - before, 1u << 20);
    ASSERT_TRUE(found.found);
    EXPECT_EQ(found.topCount, 3u);
    EXPECT_EQ(found.runnerUp, 1u);
    EXPECT_EQ(found.hashedFiles, 5u);

    // Copies of one size are still compared by content: two alike and one other of that size.
    TempDir same;
    fill(same, {{"t__1.jpg", jpeg("aaaa")}, {"t__2.jpg", jpeg("aaaa")}, {"t__3.jpg", jpeg("bbbb")},
                {"t__4.jpg", jpeg("cc")}});
    const ConsensusResult none = findSiblingConsensus((same / "t__4.jpg").string());
    EXPECT_FALSE(none.found);
}

TEST(Consensus, RestoreWritesOnlyTheVotedBytes)
{
    TempDir dir;
    fill(dir, {{"v__1.jpg", jpeg("good")}, {"v__2.jpg", jpeg("good")}, {"v__3.jpg", jpeg("good")},
               {"v__4.jpg", jpeg("bad")}});
    const fs::path input = dir / "v__4.jpg";
    const ConsensusResult found = findSiblingConsensus(input.string());
    ASSERT_TRUE(found.found);

    // The chosen copy changes after the vote: nothing is written and the answer is forgotten.
    dir.write("v__1.jpg", jpeg("edited later"));
    const RepairResult restored = restoreFromConsensus(test_support::requestFor(input), found);
    EXPECT_FALSE(restored.status.ok);
    EXPECT_EQ(restored.status.code, 64);
    EXPECT_FALSE(restored.outputWritten);
    EXPECT_FALSE(fs::exists(dir / "v__4_repaired.jpg"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 4);
    // The folder is looked at again: two good copies are left, which is not enough.
    EXPECT_FALSE(findSiblingConsensus(input.string()).found);

    // A private copy of the agreed content may stand in for the chosen copy.
    TempDir other;
    fill(other, {{"w__1.jpg", jpeg("good")}, {"w__2.jpg", jpeg("good")}, {"w__3.jpg", jpeg("good")},
                 {"w__4.jpg", jpeg("bad")}});
    ConsensusResult viaCopy = findSiblingConsensus((other / "w__4.jpg").string());
    ASSERT_TRUE(viaCopy.found);
    viaCopy.best = makeSourceInfo(other.write("work/consensus.jpg", jpeg("good")).string());
    auto request = test_support::requestFor(other / "w__4.jpg");
    request.outputDirectory = (other / "out").string();
    const RepairResult ok = restoreFromConsensus(request, viaCopy);
    ASSERT_TRUE(ok.status.ok) << ok.status.message;
    EXPECT_EQ(ok.output.path, (other / "out" / "w__4_repaired.jpg").string());
    EXPECT_EQ(text(ok.output.path), jpeg("good"));
}

TEST(Consensus, Failures)
{
    TempDir dir;
    fill(dir, {{"f__1.jpg", jpeg("good")}, {"f__2.jpg", jpeg("good")}, {"f__3.jpg", jpeg("good")},
               {"f__4.jpg", jpeg("bad")}});
    const fs::path input = dir / "f__4.jpg";

    const ConsensusResult none;
    for (const RepairResult& r : {analyzeConsensus(makeSourceInfo(input.string()), none),
                                  restoreFromConsensus(test_support::requestFor(input), none)}) {
        EXPECT_EQ(r.status.code, 64);
        EXPECT_EQ(r.status.message, "no unambiguous sibling consensus was found");
        EXPECT_EQ(r.kind, Unknown);
    }

    ConsensusResult found = findSiblingConsensus(input.string());
    ASSERT_TRUE(found.found);
    ConsensusResult vanished = found;
    vanished.best = makeSourceInfo((dir / "gone.jpg").string());
    EXPECT_EQ(analyzeConsensus(makeSourceInfo(input.string()), vanished).status.code, 62);
    const RepairResult unreadable = restoreFromConsensus(test_support::requestFor(input), vanished);
    EXPECT_EQ(unreadable.status.code, 62);
    EXPECT_EQ(unreadable.status.message, "failed to open input file");

    // An explicit output path naming the input or the chosen copy is refused even with overwrite.
    for (const fs::path& target : {input, dir / "f__1.jpg"}) {
        auto request = test_support::requestFor(input);
        request.outputPath = target.string();
        request.overwrite = true;
        const RepairResult refused = restoreFromConsensus(request, found);
        EXPECT_EQ(refused.status.code, 63) << target;
        EXPECT_FALSE(refused.outputWritten);
    }
    EXPECT_EQ(text(input), jpeg("bad"));
    EXPECT_EQ(text(dir / "f__1.jpg"), jpeg("good"));

    // With overwrite an earlier output is replaced in one step.
    dir.write("f__4_repaired.jpg", "old output");
    auto request = test_support::requestFor(input);
    request.overwrite = true;
    const RepairResult replaced = restoreFromConsensus(request, found);
    ASSERT_TRUE(replaced.status.ok) << replaced.status.message;
    EXPECT_EQ(replaced.output.path, (dir / "f__4_repaired.jpg").string());
    EXPECT_EQ(text(replaced.output.path), jpeg("good"));

    // An output folder that cannot be created fails the copy with 63.
    dir.write("blocker", "a file where a folder should be");
    request.outputDirectory = (dir / "blocker" / "out").string();
    const RepairResult blocked = restoreFromConsensus(request, found);
    EXPECT_EQ(blocked.status.code, 63);
    EXPECT_EQ(blocked.kind, Photo); // the report of the analysis stays
}

TEST(Consensus, ConcurrentSearchesOfOneFamilyAgree)
{
    TempDir dir;
    for (int i = 1; i <= 5; ++i)
        dir.write("t__" + std::to_string(i) + ".mp4", std::string(300000, i == 5 ? 'b' : 'a'));
    std::vector<ConsensusResult> results(8);
    std::vector<std::thread> threads;
    for (size_t t = 0; t < results.size(); ++t)
        threads.emplace_back([&, t] {
            results[t] = findSiblingConsensus((dir / ("t__" + std::to_string(t % 5 + 1) + ".mp4")).string());
        });
    for (auto& thread : threads)
        thread.join();
    for (const ConsensusResult& r : results) {
        EXPECT_TRUE(r.found);
        EXPECT_EQ(r.best.path, results[0].best.path);
        EXPECT_EQ(r.sha256, results[0].sha256);
        EXPECT_EQ(r.topCount, 4u);
    }
}
