// Outputs take their final names only when the run that makes them succeeds: a run that fails
// (its input changed, it was cancelled, a write failed) leaves every file it would have replaced
// as it was and nothing of its own; a process killed part-way (a file-size limit) leaves no
// partial file under a final name. The copy of a file is made the same way.

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <functional>

#include "data_repair/engine.h"
#include "dispatch/batch_repairer.h"
#include "test_support.h"

using namespace data_repair;
using test_support::TempDir;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> namesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string textOf(const fs::path& path)
{
    const ByteBuffer bytes = test_support::readAll(path);
    return std::string(bytes.begin(), bytes.end());
}

// Runs body in a child process in which no file may grow past `bytes`, with the signal such a
// write raises left at its default (which kills). Returns the child's exit code, or minus the
// signal that ended it.
int exitCodeWithFileSizeLimit(rlim_t bytes, const std::function<int()>& body)
{
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_DFL);
        const rlimit limit{bytes, bytes};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(body());
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child)
        return -1000;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

// A text with a stray byte in every line: its repair replaces them (code 50 on a failed write).
fs::path textInput(const fs::path& dir, uint64_t size)
{
    const std::string line = "Korvex notes, line with a stray byte \xFF here.\n";
    std::ofstream out(dir / "notes.txt", std::ios::binary);
    for (uint64_t written = 0; written < size; written += line.size())
        out << line;
    return dir / "notes.txt";
}

// An RTF behind junk and without its closing brace: the repair writes a preview copy first and
// then the repaired document (code 50 on a failed write).
fs::path rtfInput(const fs::path& dir, uint64_t size)
{
    std::ofstream out(dir / "letter.rtf", std::ios::binary);
    out << "junk{\\rtf1\\ansi ";
    const std::string line = "Dear Korvex, the letter goes on and on.\\par\n";
    for (uint64_t written = 0; written < size; written += line.size())
        out << line;
    return dir / "letter.rtf";
}

// A recording whose RIFF and data sizes were never filled in (code 77 on a failed write).
fs::path wavInput(const fs::path& dir, uint64_t size)
{
    const std::string head("RIFF\0\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x40\x1f\0\0\x80\x3e\0\0\x02\0\x10\0data\0\0\0\0", 44);
    std::ofstream(dir / "voice.wav", std::ios::binary) << head;
    fs::resize_file(dir / "voice.wav", head.size() + size);
    return dir / "voice.wav";
}

// A photo behind junk bytes (code 21 on a failed write).
fs::path jpegInput(const fs::path& dir, uint64_t size)
{
    ByteBuffer bytes = test_support::photoHeadBehindJunk();
    bytes.resize(bytes.size() + size, 0x11);
    bytes.push_back(0xFF);
    bytes.push_back(0xD9);
    std::ofstream(dir / "photo.jpg", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return dir / "photo.jpg";
}

struct Input {
    const char* name;
    int32_t kind;
    std::function<fs::path(const fs::path&, uint64_t)> make;
    int32_t writeCode;
    std::vector<std::string> outputs; // the names its repair writes (with writePreview set)
};

const Input kInputs[] = {
    {"txt", Document, textInput, 50, {"notes_repaired.txt"}},
    {"rtf", Document, rtfInput, 50, {"letter_preview.rtf", "letter_repaired.rtf"}},
    {"wav", Audio, wavInput, 77, {"voice_repaired.wav"}},
    {"jpg", Photo, jpegInput, 21, {"photo_repaired.jpg"}},
};

RepairResult repair(int32_t kind, const RepairRequest& request, IProgress* sink)
{
    auto factory = createFileRepairFactory();
    switch (kind) {
    case Audio:
        return factory->createAudioRepair()->repair(request, sink);
    case Photo:
        return factory->createPhotoRepair()->repair(request, sink);
    default:
        return factory->createDocumentRepair()->repair(request, sink);
    }
}

// Counts the questions; answers "stop" from the given one on (never when 0).
class StopAtQuestion : public IProgress {
public:
    explicit StopAtQuestion(int stopAt) : stopAt_(stopAt) {}
    bool onProgress(const ProgressEvent&) override { return true; }
    bool isCancelled() override
    {
        ++questions;
        return stopAt_ != 0 && questions >= stopAt_;
    }
    int questions = 0;

private:
    int stopAt_;
};

// Changes the input in place once the work after reading has started.
class WriteIntoInputWhenWorking : public IProgress {
public:
    explicit WriteIntoInputWhenWorking(fs::path input) : input_(std::move(input)) {}
    bool onProgress(const ProgressEvent& event) override
    {
        if (!changed_ && event.step != "read") {
            changed_ = true;
            std::fstream file(input_, std::ios::binary | std::ios::in | std::ios::out);
            file.seekp(static_cast<std::streamoff>(fs::file_size(input_) / 2));
            file.write("overwritten", 11);
        }
        return true;
    }
    bool isCancelled() override { return false; }

private:
    fs::path input_;
    bool changed_ = false;
};

} // namespace

TEST(OutputCommit, ARunThatFailsLeavesTheFilesItWasToReplace)
{
    constexpr uint64_t kSize = 40ull << 20; // several questions while reading and writing
    enum Failure { InputChanged, CancelledAtTheLastQuestion, WriteFailed };
    for (const Input& input : kInputs) {
        for (const Failure failure : {InputChanged, CancelledAtTheLastQuestion, WriteFailed}) {
            SCOPED_TRACE(std::string(input.name) + " failure " + std::to_string(failure));
            TempDir dir;
            const fs::path file = input.make(dir.path(), kSize);
            const fs::path out = dir / "out";
            fs::create_directories(out);
            for (const std::string& name : input.outputs)
                std::ofstream(out / name) << "OLD " << name;
            RepairRequest request = test_support::requestFor(file);
            request.outputDirectory = out.string();
            request.overwrite = true;
            request.writePreview = true;

            if (failure == WriteFailed) {
                // Room for a few bytes only: the first output fails to write.
                const int code = exitCodeWithFileSizeLimit(4096, [&] {
                    return repair(input.kind, request, nullptr).status.code;
                });
                EXPECT_EQ(code, input.writeCode);
            } else if (failure == InputChanged) {
                WriteIntoInputWhenWorking sink(file);
                const RepairResult result = repair(input.kind, request, &sink);
                EXPECT_EQ(result.status.code, kStatusReadFailed);
                EXPECT_FALSE(result.outputWritten);
            } else {
                StopAtQuestion count(0);
                ASSERT_TRUE(repair(input.kind, request, &count).status.ok);
                for (const std::string& name : input.outputs)
                    std::ofstream(out / name) << "OLD " << name;
                StopAtQuestion stop(count.questions);
                const RepairResult result = repair(input.kind, request, &stop);
                EXPECT_EQ(result.status.code, kStatusCancelled);
                EXPECT_FALSE(result.outputWritten);
            }
            // Every file the run was to replace is as it was, and the run left nothing else.
            EXPECT_EQ(namesIn(out), [&] {
                std::vector<std::string> names = input.outputs;
                std::sort(names.begin(), names.end());
                return names;
            }());
            for (const std::string& name : input.outputs)
                EXPECT_TRUE(textOf(out / name) == "OLD " + name) << name << " was replaced";
        }
    }
}

TEST(OutputCommit, AWriteCutShortByAFileSizeLimitFailsWithTheWritersCodeAndLeavesNothing)
{
    constexpr uint64_t kSize = 1ull << 20;
    struct Case {
        const char* name;
        const Input* input;
        bool batch;
    };
    const Case cases[] = {{"txt", &kInputs[0], false}, {"rtf with preview", &kInputs[1], false},
                          {"wav", &kInputs[2], false}, {"jpg", &kInputs[3], false},
                          {"batch item", &kInputs[0], true}};
    for (const Case& c : cases) {
        for (const rlim_t room : {rlim_t{0}, rlim_t{512 << 10}}) {
            SCOPED_TRACE(std::string(c.name) + " room " + std::to_string(room));
            TempDir dir;
            const fs::path file = c.input->make(dir.path(), kSize);
            const fs::path out = dir / "out";
            fs::create_directories(out);
            RepairRequest request = test_support::requestFor(file);
            request.outputDirectory = out.string();
            request.writePreview = true;
            const int code = exitCodeWithFileSizeLimit(room, [&] {
                if (!c.batch)
                    return repair(c.input->kind, request, nullptr).status.code;
                BatchRepairRequest batch;
                batch.roots = {file.string()};
                batch.mode = Repair;
                batch.outputDirectory = out.string();
                const BatchRepairResult result = BatchRepairer().repair(batch, nullptr);
                return result.items.size() == 1 ? result.items[0].status.code : 200;
            });
            // The process lived on to report the write failure, and no file (partial or
            // temporary) is left behind.
            EXPECT_EQ(code, c.input->writeCode);
            EXPECT_EQ(namesIn(out), std::vector<std::string>{});
        }
    }
}

TEST(OutputCommit, WithoutOverwriteAnOutputNeverReplacesAFileThatAppearedMeanwhile)
{
    // The name is chosen when the output is written; a file that takes it before the run ends
    // stays, and the output moves on to the next free name.
    TempDir dir;
    const fs::path file = textInput(dir.path(), 4096);
    class TakeTheNameWhenAsked : public IProgress {
    public:
        explicit TakeTheNameWhenAsked(fs::path name) : name_(std::move(name)) {}
        bool onProgress(const ProgressEvent&) override { return true; }
        bool isCancelled() override
        {
            // The last question comes once the output is complete, before it takes its name.
            if (fs::exists(name_.parent_path()) && !fs::exists(name_))
                for (const fs::directory_entry& entry : fs::directory_iterator(name_.parent_path()))
                    if (entry.path().filename().string().rfind(".korvex-", 0) == 0)
                        std::ofstream(name_) << "someone else's";
            return false;
        }

    private:
        fs::path name_;
    };
    RepairRequest request = test_support::requestFor(file);
    TakeTheNameWhenAsked sink(dir / "notes_repaired.txt");
    const RepairResult result = repair(Document, request, &sink);
    ASSERT_TRUE(result.status.ok) << result.status.message;
    EXPECT_EQ(textOf(dir / "notes_repaired.txt"), "someone else's");
    EXPECT_EQ(result.output.path, (dir / "notes_repaired_1.txt").string());
    EXPECT_EQ(result.outputSize, fs::file_size(dir / "notes_repaired_1.txt"));
}

TEST(OutputCommit, CopyFileNeverWritesThroughALinkNorTouchesADestinationUntilTheCopyIsComplete)
{
    TempDir dir;
    const fs::path source = dir.write("source.bin", std::string(256 << 10, 'n'));
    const fs::path elsewhere = dir.write("elsewhere.txt", "private");
    struct Case {
        const char* name;
        bool overwrite;
        std::function<void(const fs::path&)> prepare; // makes what stands at the destination
        bool copied;
    };
    const Case cases[] = {
        {"link to a file, overwrite", true, [&](const fs::path& d) { fs::create_symlink(elsewhere, d); }, true},
        {"link to a file", false, [&](const fs::path& d) { fs::create_symlink(elsewhere, d); }, false},
        {"dangling link", false, [&](const fs::path& d) { fs::create_symlink(dir / "nowhere.txt", d); }, false},
        {"dangling link, overwrite", true, [&](const fs::path& d) { fs::create_symlink(dir / "nowhere.txt", d); }, true},
        {"file, overwrite", true, [&](const fs::path& d) { std::ofstream(d) << "old"; }, true},
        {"nothing", false, [](const fs::path&) {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path destination = dir / "copy.bin";
        fs::remove(destination);
        c.prepare(destination);
        std::string error;
        EXPECT_EQ(copyFile(source, destination, c.overwrite, &error), c.copied) << error;
        if (c.copied) {
            EXPECT_FALSE(fs::is_symlink(destination));
            EXPECT_EQ(test_support::readAll(destination), test_support::readAll(source));
        } else {
            EXPECT_FALSE(error.empty());
        }
        // Whatever the link pointed to is untouched, and nothing was made where it dangled.
        EXPECT_EQ(textOf(elsewhere), "private");
        EXPECT_FALSE(fs::exists(dir / "nowhere.txt"));
    }

    // A copy that cannot be completed (the disk fills up) leaves the destination as it was, and
    // no partial file beside it.
    const fs::path destination = dir / "kept.bin";
    std::ofstream(destination) << "old";
    const int code = exitCodeWithFileSizeLimit(64 << 10, [&] {
        std::string error;
        return copyFile(source, destination, true, &error) ? 0 : error.empty() ? 2 : 1;
    });
    EXPECT_EQ(code, 1);
    EXPECT_EQ(textOf(destination), "old");
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"copy.bin", "elsewhere.txt", "kept.bin", "source.bin"}));
}
