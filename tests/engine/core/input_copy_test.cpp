// Outputs whose long parts come from the input file: copied inside the kernel when the file is
// still the one read, written from memory otherwise, with the writer's guarantees either way.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <vector>

#include "data_repair/checkpoint.h"
#include "data_repair/engine.h"
#include "test_support.h"

using namespace data_repair;
using test_support::TempDir;
namespace fs = std::filesystem;

namespace {

// Replaces the in-kernel copy for one test.
class CopyRangeStub {
public:
    using Behaviour = std::function<ssize_t(int, off_t*, int, size_t)>;
    explicit CopyRangeStub(Behaviour behaviour) : saved_(detail::copyRange)
    {
        current() = std::move(behaviour);
        detail::copyRange = [](int in, off_t* inOffset, int out, off_t*, size_t length, unsigned) {
            ++calls();
            return current()(in, inOffset, out, length);
        };
    }
    ~CopyRangeStub()
    {
        detail::copyRange = saved_;
        current() = nullptr;
        calls() = 0;
    }
    static int& calls()
    {
        static int count = 0;
        return count;
    }
    static ssize_t real(int in, off_t* inOffset, int out, size_t length)
    {
        return ::copy_file_range(in, inOffset, out, nullptr, length, 0);
    }

private:
    static Behaviour& current()
    {
        static Behaviour behaviour;
        return behaviour;
    }
    detail::CopyRangeFunction saved_;
};

size_t entriesIn(const fs::path& folder)
{
    size_t n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder))
        ++n;
    return n;
}

struct Fixture {
    TempDir dir;
    fs::path inputPath;
    ByteBuffer input;
    ByteBuffer expected;
    ByteParts parts;
    ByteBuffer header = bytesOf("HEAD");

    explicit Fixture(size_t size = 3 << 20)
    {
        ByteBuffer content(size);
        for (size_t i = 0; i < size; ++i)
            content[i] = static_cast<uint8_t>(i * 131 + (i >> 12));
        inputPath = dir.write("in.bin", content);
        std::string error;
        input = readFile(inputPath, &error);
        // New bytes, a long stretch of the input, a short one, and the tail.
        const std::span<const uint8_t> all(input);
        parts = {header, all.subspan(100, size / 2), all.subspan(10, 20), all.subspan(size / 2 + 100)};
        for (const auto part : parts)
            expected.insert(expected.end(), part.begin(), part.end());
        fs::create_directory(dir / "out");
    }
    bool write(const fs::path& out, std::string* error, bool replace = true) const
    {
        const InputSource source{inputPath, input, {}};
        return writeFile(out, parts, error, replace, &source);
    }
};

} // namespace

TEST(InputCopy, PartsOfTheInputAreCopiedInTheKernelOrFromMemoryWithTheSameBytes)
{
    struct Case {
        const char* name;
        CopyRangeStub::Behaviour behaviour;
    };
    const auto refuse = [](int error) {
        return [error](int, off_t*, int, size_t) -> ssize_t {
            errno = error;
            return -1;
        };
    };
    const Case cases[] = {
        {"kernel copy", CopyRangeStub::real},
        {"short copies",
         [](int in, off_t* at, int out, size_t length) {
             return CopyRangeStub::real(in, at, out, std::min<size_t>(length, 4097));
         }},
        {"cross-device", refuse(EXDEV)},
        {"invalid", refuse(EINVAL)},
        {"no system call", refuse(ENOSYS)},
        {"not supported", refuse(EOPNOTSUPP)},
        {"end of file", [](int, off_t*, int, size_t) -> ssize_t { return 0; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        CopyRangeStub stub(c.behaviour);
        for (const bool replace : {false, true}) {
            const fs::path out = f.dir / "out" / (replace ? "replaced.bin" : "new.bin");
            std::string error;
            ASSERT_TRUE(f.write(out, &error, replace)) << error;
            EXPECT_EQ(test_support::readAll(out), f.expected);
        }
        EXPECT_GT(CopyRangeStub::calls(), 0);
        EXPECT_EQ(entriesIn(f.dir / "out"), 2u);
    }
}

TEST(InputCopy, ABufferThatIsNotTheFileAsReadIsWrittenFromMemory)
{
    CopyRangeStub stub(CopyRangeStub::real);
    struct Case {
        const char* name;
        std::function<void(Fixture&)> change;
    };
    const Case cases[] = {
        // The file was rewritten after the read: the output holds what was analysed.
        {"file rewritten", [](Fixture& f) {
             ByteBuffer other(f.input.size(), 0xEE);
             f.dir.write("in.bin", other);
             struct timespec times[2] = {{0, UTIME_OMIT}, {12345, 0}};
             ASSERT_EQ(::utimensat(AT_FDCWD, f.inputPath.c_str(), times, 0), 0);
         }},
        {"file grew", [](Fixture& f) {
             FILE* file = std::fopen(f.inputPath.c_str(), "ab");
             std::fputs("more", file);
             std::fclose(file);
         }},
        {"another path", [](Fixture& f) { f.inputPath = f.dir.write("other.bin", ByteBuffer(f.input.size(), 0xEE)); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        c.change(f);
        std::string error;
        ASSERT_TRUE(f.write(f.dir / "out" / "o.bin", &error)) << error;
        EXPECT_EQ(test_support::readAll(f.dir / "out" / "o.bin"), f.expected);
        EXPECT_EQ(CopyRangeStub::calls(), 0);
    }
    // A copy of the buffer read is not the read itself.
    Fixture f;
    const ByteBuffer copy = f.input;
    const InputSource source{f.inputPath, copy, {}};
    std::string error;
    ASSERT_TRUE(writeFile(f.dir / "out" / "copy.bin", ByteParts{std::span<const uint8_t>(copy)}, &error, true, &source));
    EXPECT_EQ(test_support::readAll(f.dir / "out" / "copy.bin"), copy);
    EXPECT_EQ(CopyRangeStub::calls(), 0);

    // A read belongs to the entry that made it. Once that is over, the buffer's address may come
    // back for other bytes (a patched working copy of the same size), so the writer no longer
    // takes the buffer for the file: it stands here for such a later buffer.
    ByteBuffer later;
    {
        const ReadScope entry;
        later = readFile(f.inputPath, &error);
        ASSERT_EQ(later.size(), f.input.size());
    }
    later[200] ^= 0xFF;
    const InputSource stale{f.inputPath, later, {}};
    ASSERT_TRUE(writeFile(f.dir / "out" / "later.bin", ByteParts{std::span<const uint8_t>(later)}, &error, true, &stale));
    EXPECT_EQ(test_support::readAll(f.dir / "out" / "later.bin"), later);
    EXPECT_EQ(CopyRangeStub::calls(), 0);
}

TEST(InputCopy, AFailedCopyLeavesNoFile)
{
    Fixture f;
    // The first copy succeeds, the next finds the disk full.
    CopyRangeStub stub([](int in, off_t* at, int out, size_t length) -> ssize_t {
        if (CopyRangeStub::calls() > 1) {
            errno = ENOSPC;
            return -1;
        }
        return CopyRangeStub::real(in, at, out, std::min<size_t>(length, 4096));
    });
    for (const bool replace : {false, true}) {
        std::string error;
        EXPECT_FALSE(f.write(f.dir / "out" / "o.bin", &error, replace));
        EXPECT_EQ(error, kErrWriteOutput);
        EXPECT_EQ(entriesIn(f.dir / "out"), 0u);
        CopyRangeStub::calls() = 0;
    }
}

namespace {

class StopAfter : public IProgress {
public:
    explicit StopAfter(int queries) : left_(queries) {}
    bool onProgress(const ProgressEvent&) override { return true; }
    bool isCancelled() override { return --left_ < 0; }

private:
    int left_;
};

} // namespace

TEST(InputCopy, CancellationDuringTheCopyLeavesNoFile)
{
    // Large enough for several checkpoints of 16 MiB.
    Fixture f(40 << 20);
    CopyRangeStub stub(CopyRangeStub::real);
    for (const bool replace : {false, true}) {
        StopAfter sink(1);
        RunScope scope(&sink, 0, f.inputPath.string());
        std::string error;
        EXPECT_THROW(f.write(f.dir / "out" / "o.bin", &error, replace), OperationCancelled);
        EXPECT_EQ(entriesIn(f.dir / "out"), 0u);
    }
    EXPECT_GT(CopyRangeStub::calls(), 0);
}

TEST(InputCopy, ASecondCopyOfTheSamePiecesClonesTheFirstWhereItCan)
{
    struct Case {
        const char* name;
        detail::CloneFunction clone;
        bool changePreview;
        int expectedClones;
    };
    static int clones = 0;
    // A stand-in for a file system that shares blocks: the clone copies the file whole.
    const detail::CloneFunction sharing = [](int out, int in) {
        ++clones;
        off_t from = 0;
        struct stat st {};
        ::fstat(in, &st);
        return ::copy_file_range(in, &from, out, nullptr, static_cast<size_t>(st.st_size), 0) == st.st_size ? 0 : -1;
    };
    const detail::CloneFunction refusing = [](int, int) {
        ++clones;
        errno = EOPNOTSUPP;
        return -1;
    };
    const Case cases[] = {
        {"cloned", sharing, false, 1},
        {"no clones on this file system", refusing, false, 1},
        {"preview changed since", sharing, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        clones = 0;
        const detail::CloneFunction saved = detail::cloneFile;
        detail::cloneFile = c.clone;
        RepairRequest request = test_support::requestFor(f.inputPath);
        request.outputDirectory = (f.dir / "out").string();
        request.writePreview = true;
        OutputPieces pieces(f.input);
        for (const std::span<const uint8_t> part : f.parts) {
            if (part.data() >= f.input.data() && part.data() < f.input.data() + f.input.size())
                pieces.appendInput(static_cast<uint64_t>(part.data() - f.input.data()), part.size());
            else
                pieces.append(ByteBuffer(part.begin(), part.end()));
        }
        RepairResult result;
        ASSERT_TRUE(writeExtraArtifact(result, request, pieces, "bin", "document-preview"));
        if (c.changePreview) {
            FILE* file = std::fopen(pieces.writtenTo().c_str(), "ab");
            std::fputs("x", file);
            std::fclose(file);
        }
        ASSERT_TRUE(writeRepairedOutput(result, request, pieces, "bin", "repaired-document", 45));
        detail::cloneFile = saved;
        EXPECT_EQ(clones, c.expectedClones);
        EXPECT_EQ(test_support::readAll(result.output.path), f.expected);
        EXPECT_EQ(result.outputSize, f.expected.size());
        EXPECT_NE(result.output.path, result.artifacts.at(0).path);
    }
}

TEST(OutputPieces, TinyPiecesAreGatheredAndStretchesStayInTheInput)
{
    ByteBuffer input(1 << 20);
    for (size_t i = 0; i < input.size(); ++i)
        input[i] = static_cast<uint8_t>(i * 7 + (i >> 9));
    OutputPieces pieces(input);
    ByteBuffer expected;
    auto addNew = [&](ByteBuffer bytes) {
        expected.insert(expected.end(), bytes.begin(), bytes.end());
        pieces.append(std::move(bytes));
    };
    auto addInput = [&](uint64_t pos, uint64_t length) {
        expected.insert(expected.end(), input.begin() + static_cast<std::ptrdiff_t>(pos),
                        input.begin() + static_cast<std::ptrdiff_t>(pos + length));
        pieces.appendInput(pos, length);
    };
    const auto inInput = [&](std::span<const uint8_t> part) {
        return part.data() >= input.data() && part.data() + part.size() <= input.data() + input.size();
    };
    // A file of a hundred thousand tiny chunks, a header and three bytes of the input each: the
    // part list stays far shorter than the chunks (the bytes are gathered into blocks).
    for (uint64_t i = 0; i < 100000; ++i) {
        addNew({static_cast<uint8_t>(i), 1, 2, 3, 4, 5, 6, 7});
        addInput((i * 7919) % (input.size() - 16), 3);
    }
    const size_t tinyParts = pieces.parts().size();
    EXPECT_LT(tinyParts, 40u);
    // Entries of a few KiB between new headers: each stretch stays a view of the input, nothing
    // of it is copied.
    for (uint64_t i = 0; i < 200; ++i) {
        addNew({0x50, 0x4B, static_cast<uint8_t>(i)});
        addInput((i * 4099) % (input.size() - 5000), 1000 + i * 20);
    }
    size_t stretches = 0;
    for (const std::span<const uint8_t> part : pieces.parts())
        stretches += inInput(part) && part.size() >= 1000 ? 1 : 0;
    EXPECT_EQ(stretches, 200u);
    // A long stretch in two adjacent calls stays one part of the input, for the kernel copy.
    addInput(0, 200 << 10);
    addInput(200 << 10, 100 << 10);
    // Short adjacent stretches join first, then are gathered with what follows.
    const size_t before = pieces.parts().size();
    addNew({9, 9, 9, 9});
    addInput(500000, 10);
    addInput(500010, 10);
    addNew({1});

    EXPECT_EQ(pieces.size(), expected.size());
    EXPECT_EQ(pieces.joined(), expected);
    EXPECT_EQ(pieces.parts()[before - 1].data(), input.data());
    EXPECT_EQ(pieces.parts()[before - 1].size(), size_t{300} << 10);
    ASSERT_EQ(pieces.parts().size(), before + 1);
    EXPECT_FALSE(inInput(pieces.parts().back()));
}

TEST(InputCopy, ShortPartsAreWrittenTogetherThroughOneBoundedBuffer)
{
    // An archive of many small entries: a new header and a short stretch of the input each. They
    // go out in a few writes of at most the buffer's size, never as one write per part and never
    // as the whole output at once; the long stretch at the end is copied in the kernel. The input
    // as read into memory and as mapped (whose short stretches are read from the file) alike.
    Fixture f(12 << 20);
    std::string error;
    const InputFile mapped = openInputFile(f.inputPath, &error);
    const ByteBuffer header = bytesOf("PK-header-of-an-entry");
    static std::vector<size_t> writes;
    struct Restore {
        detail::WriteFunction saved = detail::writeOut;
        ~Restore() { detail::writeOut = saved; }
    } restore;
    detail::writeOut = [](int fd, const void* data, size_t length) {
        writes.push_back(length);
        return ::write(fd, data, length);
    };
    CopyRangeStub stub(CopyRangeStub::real);
    for (const bool fromMapping : {false, true}) {
        SCOPED_TRACE(fromMapping ? "mapped" : "read");
        const std::span<const uint8_t> all = fromMapping ? mapped.bytes() : std::span<const uint8_t>(f.input);
        ByteParts parts;
        ByteBuffer expected;
        for (size_t at = 0; at + (40 << 10) < all.size() - (1 << 20); at += 40 << 10) {
            parts.push_back(header);
            parts.push_back(all.subspan(at, 32 << 10));
        }
        parts.push_back(all.subspan(all.size() - (1 << 20)));
        for (const auto part : parts)
            expected.insert(expected.end(), part.begin(), part.end());

        writes.clear();
        CopyRangeStub::calls() = 0;
        const InputSource source{f.inputPath, all, {}};
        const fs::path out = f.dir / "out" / (fromMapping ? "mapped.zip" : "read.zip");
        ASSERT_TRUE(writeFile(out, parts, &error, false, &source)) << error;
        EXPECT_EQ(test_support::readAll(out), expected);
        ASSERT_FALSE(writes.empty());
        EXPECT_LE(*std::max_element(writes.begin(), writes.end()), kOutputGatherBytes);
        EXPECT_LE(writes.size(), (expected.size() - (1 << 20)) / (kOutputGatherBytes - (64 << 10)) + 1);
        EXPECT_GT(CopyRangeStub::calls(), 0);
    }
}
