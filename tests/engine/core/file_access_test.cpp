#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <future>

#include "data_repair/engine.h"
#include "test_support.h"

using namespace data_repair;
using test_support::TempDir;
namespace fs = std::filesystem;

TEST(FileAccess, ReadsRegularFilesAndEmptyFilesWithoutError)
{
    TempDir dir;
    const auto path = dir.write("a.bin", bytesOf("hello"));
    std::string error;
    EXPECT_EQ(readFile(path, &error), bytesOf("hello"));
    EXPECT_TRUE(error.empty());
    const auto empty = dir.write("empty.bin", ByteBuffer{});
    EXPECT_TRUE(readFile(empty, &error).empty());
    EXPECT_TRUE(error.empty());
    EXPECT_EQ(readFileHead(path, 2, &error), bytesOf("he"));
    fs::create_symlink(path, dir / "link.bin");
    EXPECT_EQ(readFile(dir / "link.bin", &error), bytesOf("hello"));
}

TEST(FileAccess, NonRegularInputsFailAtOnce)
{
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    // A FIFO without a writer must not block the reader.
    auto fifoRead = std::async(std::launch::async, [&] {
        std::string error;
        const auto bytes = readFile(dir / "fifo", &error);
        return std::make_pair(bytes.size(), error);
    });
    ASSERT_EQ(fifoRead.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_EQ(fifoRead.get().second, kErrOpenInput);

    for (const fs::path& p : {dir.path(), fs::path("/dev/null"), dir / "missing.bin"}) {
        std::string error;
        EXPECT_TRUE(readFile(p, &error).empty());
        EXPECT_EQ(error, kErrOpenInput) << p;
    }
}

TEST(FileAccess, HugeSparseFileIsARefusedReadNotACrash)
{
    TempDir dir;
    const auto path = dir / "sparse.mp4";
    const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, off_t(1) << 40), 0); // 1 TiB, no blocks
    ::close(fd);
    std::string error;
    EXPECT_TRUE(readFile(path, &error).empty());
    EXPECT_EQ(error, kErrInputTooLarge);
}

TEST(FileAccess, WriteCreatesFoldersAndReplacesOnlyWhenAllowed)
{
    TempDir dir;
    std::string error;
    const auto nested = dir / "a" / "b" / "out.bin";
    ASSERT_TRUE(writeFile(nested, bytesOf("one"), &error)) << error;
    EXPECT_EQ(test_support::readAll(nested), bytesOf("one"));
    ASSERT_TRUE(writeFile(nested, bytesOf("two"), &error, true));
    EXPECT_EQ(test_support::readAll(nested), bytesOf("two"));
    EXPECT_FALSE(writeFile(nested, bytesOf("three"), &error, false));
    EXPECT_EQ(error, kErrOutputExists);
    EXPECT_EQ(test_support::readAll(nested), bytesOf("two"));
    // No temporary files are left beside the output.
    size_t entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(nested.parent_path()))
        ++entries;
    EXPECT_EQ(entries, 1u);
}

TEST(FileAccess, PartsAreWrittenInOrderAsOneFile)
{
    TempDir dir;
    const ByteBuffer source = bytesOf("0123456789");
    const std::span<const uint8_t> all(source);
    std::string error;
    const auto out = dir / "parts.bin";
    ASSERT_TRUE(writeFile(out, ByteParts{all.subspan(7), {}, all.subspan(0, 3)}, &error)) << error;
    EXPECT_EQ(test_support::readAll(out), bytesOf("789012"));
}

TEST(FileAccess, OutputsInAPrivateFolderArePrivate)
{
    TempDir dir;
    const mode_t oldMask = ::umask(022);
    struct Case {
        const char* folder;
        mode_t folderMode;
        mode_t expected;
    };
    for (const Case& c : {Case{"private", 0700, 0600}, Case{"shared", 0755, 0644}}) {
        const auto folder = dir / c.folder;
        fs::create_directory(folder);
        ASSERT_EQ(::chmod(folder.c_str(), c.folderMode), 0);
        for (const bool replace : {false, true}) {
            const auto out = folder / (replace ? "replaced.bin" : "new.bin");
            std::string error;
            ASSERT_TRUE(writeFile(out, bytesOf("data"), &error, replace)) << error;
            struct stat st {};
            ASSERT_EQ(::stat(out.c_str(), &st), 0);
            EXPECT_EQ(st.st_mode & 0777, c.expected) << c.folder << " replace=" << replace;
        }
        // A copy of a readable file follows the same rule.
        const auto source = dir.write("source.bin", bytesOf("data"));
        ASSERT_EQ(::chmod(source.c_str(), 0644), 0);
        std::string error;
        ASSERT_TRUE(copyFile(source, folder / "copied.bin", false, &error)) << error;
        struct stat st {};
        ASSERT_EQ(::stat((folder / "copied.bin").c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, c.expected) << c.folder << " copy";
    }
    ::umask(oldMask);
}

TEST(FileAccess, FailedWriteReportsAndLeavesNothing)
{
    // A device at the destination is neither written through nor replaced.
    std::string error;
    EXPECT_FALSE(writeFile("/dev/full", ByteBuffer(100000, 1), &error, true));
    EXPECT_FALSE(error.empty());
    struct stat st {};
    ASSERT_EQ(::stat("/dev/full", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
    TempDir dir;
    const auto blocker = dir.write("file", bytesOf("x"));
    error.clear();
    EXPECT_FALSE(writeTextFile(blocker / "sub" / "out.txt", "text", &error));
    EXPECT_EQ(error, kErrOpenOutput);
}

TEST(FileAccess, DanglingSymlinkIsTakenAndNeverWrittenThrough)
{
    TempDir dir;
    const auto target = dir / "elsewhere.bin";
    fs::create_symlink(target, dir / "clip_repaired.mp4");
    EXPECT_TRUE(pathTaken(dir / "clip_repaired.mp4"));
    EXPECT_EQ(nextFreeOutputPath(dir / "clip_repaired.mp4", false), dir / "clip_repaired_1.mp4");
    std::string error;
    EXPECT_FALSE(writeFile(dir / "clip_repaired.mp4", bytesOf("x"), &error, false));
    EXPECT_FALSE(fs::exists(target));
}

TEST(FileAccess, OutputNaming)
{
    TempDir dir;
    const std::string input = (dir / "clip.MOV").string();
    EXPECT_EQ(buildOutputPath(input, "", "", "_repaired", "mp4", false), dir / "clip_repaired.mp4");
    EXPECT_EQ(buildOutputPath(input, "", "", "_repaired", "", false), dir / "clip_repaired.MOV");
    dir.write("clip_repaired.mp4", bytesOf("x"));
    dir.write("clip_repaired_1.mp4", bytesOf("x"));
    EXPECT_EQ(buildOutputPath(input, "", "", "_repaired", "mp4", false), dir / "clip_repaired_2.mp4");
    EXPECT_EQ(buildOutputPath(input, "", "", "_repaired", "mp4", true), dir / "clip_repaired.mp4");
    const auto explicitPath = dir.write("chosen.bin", bytesOf("x"));
    EXPECT_EQ(buildOutputPath(input, "", explicitPath.string(), "_repaired", "mp4", false), dir / "chosen_1.bin");
    EXPECT_EQ(buildOutputPath((dir / "").string(), "", "", "_repaired", "pdf", false), dir / "repaired_repaired.pdf");
    EXPECT_EQ(buildOutputPath((dir / "照片.jpg").string(), (dir / "out").string(), "", "_preview", "jpg", false),
              dir / "out" / "照片_preview.jpg");
}

TEST(FileAccess, ExhaustedNumberingFailsInsteadOfReturningATakenName)
{
    TempDir dir;
    dir.write("x.bin", bytesOf("x"));
    for (int n = 1; n <= 9999; ++n) {
        const int fd = ::open((dir / ("x_" + std::to_string(n) + ".bin")).c_str(), O_CREAT | O_WRONLY, 0600);
        ::close(fd);
    }
    EXPECT_TRUE(nextFreeOutputPath(dir / "x.bin", false).empty());
    RepairRequest request;
    request.input = makeSourceInfo((dir / "in.bin").string());
    request.outputPath = (dir / "x.bin").string();
    RepairResult result;
    EXPECT_FALSE(writeRepairedOutput(result, request, bytesOf("data"), "bin", "repaired-document", 42));
    EXPECT_EQ(result.status.code, 42);
    EXPECT_EQ(result.status.message, kErrNoFreeName);
    EXPECT_EQ(test_support::readAll(dir / "x.bin"), bytesOf("x"));
}

TEST(FileAccess, OutputNamingTheInputOrSampleIsRefusedEvenWithOverwrite)
{
    TempDir dir;
    const auto input = dir.write("in.pdf", bytesOf("original"));
    const auto sample = dir.write("sample.pdf", bytesOf("sample"));
    RepairRequest request;
    request.input = makeSourceInfo(input.string());
    request.sample = makeSourceInfo(sample.string());
    request.overwrite = true;
    for (const auto& target : {input, sample}) {
        request.outputPath = target.string();
        RepairResult result;
        EXPECT_FALSE(writeRepairedOutput(result, request, bytesOf("new"), "pdf", "repaired-document", 42));
        EXPECT_EQ(result.status.message, kErrOutputIsSource);
    }
    EXPECT_EQ(test_support::readAll(input), bytesOf("original"));
    EXPECT_EQ(test_support::readAll(sample), bytesOf("sample"));
    std::string error;
    EXPECT_FALSE(copyFile(input, input, true, &error));
    EXPECT_EQ(test_support::readAll(input), bytesOf("original"));
}

TEST(FileAccess, ExtraArtifactFailureGoesToNotes)
{
    TempDir dir;
    const auto input = dir.write("in.pdf", bytesOf("original"));
    const auto blocker = dir.write("blocker", bytesOf("x"));
    RepairRequest request;
    request.input = makeSourceInfo(input.string());
    request.outputDirectory = (blocker / "sub").string();
    RepairResult result;
    result.setStatus(RepairStatus::success());
    EXPECT_FALSE(writeExtraArtifact(result, request, bytesOf("p"), "pdf", "document-preview"));
    EXPECT_TRUE(result.status.ok);
    EXPECT_FALSE(result.previewWritten);
    ASSERT_EQ(result.notes.size(), 1u);
    EXPECT_EQ(result.notes[0], kErrOpenOutput);
    request.outputDirectory.clear();
    EXPECT_TRUE(writeExtraArtifact(result, request, bytesOf("p"), "pdf", "document-preview"));
    ASSERT_EQ(result.artifacts.size(), 1u);
    EXPECT_EQ(result.artifacts[0].path, (dir / "in_preview.pdf").string());
    EXPECT_EQ(result.artifacts[0].size, 1u);
    EXPECT_EQ(result.artifacts[0].note, "pdf");
}

TEST(FileAccess, CopyFileRespectsOverwrite)
{
    TempDir dir;
    const auto a = dir.write("a", bytesOf("A"));
    const auto b = dir.write("b", bytesOf("B"));
    std::string error;
    EXPECT_FALSE(copyFile(a, b, false, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(test_support::readAll(b), bytesOf("B"));
    EXPECT_TRUE(copyFile(a, b, true, &error));
    EXPECT_EQ(test_support::readAll(b), bytesOf("A"));
    EXPECT_TRUE(copyFile(a, dir / "new" / "c", false, &error));
    EXPECT_EQ(regularFileSize(dir / "new" / "c"), 1u);
    EXPECT_EQ(regularFileSize(dir.path()), 0u);
    EXPECT_EQ(regularFileSize(dir / "missing"), 0u);
}

TEST(FileAccess, GlobMatching)
{
    struct G {
        const char* pattern;
        const char* name;
        bool match;
    };
    const G cases[] = {
        {"*.JPG", "a.jpg", true}, {"a?c", "ac", false},   {"*", "", true},        {"*", "*x", true},
        {"*a*b", "xaybz", false}, {"*a*b", "xayb", true}, {"a*", "A", true},      {"?", "", false},
        {"a*c*e", "abcde", true}, {"a*c*e", "abcd", false}, {"**", "x", true},    {"x", "X", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(matchesGlob(c.pattern, c.name), c.match) << c.pattern << " vs " << c.name;
    EXPECT_EQ(toLowerAscii("AbC\xC3\x84"), "abc\xC3\x84");
    EXPECT_EQ(outputStem("dir/"), "repaired");
}
