// Whole inputs held as read-only mappings: the same bytes as a read, the same failures, reads
// where a file cannot be mapped, and no crash when the file shrinks underneath.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <future>
#include <vector>

#include "data_repair/engine.h"
#include "test_support.h"

using namespace data_repair;
using test_support::TempDir;
namespace fs = std::filesystem;

namespace {

ByteBuffer patterned(size_t size)
{
    ByteBuffer bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<uint8_t>(i * 131 + (i >> 12) + 1); // no long runs of zeros
    return bytes;
}

ByteBuffer copyOf(std::span<const uint8_t> bytes) { return ByteBuffer(bytes.begin(), bytes.end()); }

// Replaces the mapping call for one test and counts the calls; without a behaviour it maps.
class MapStub {
public:
    using Behaviour = void* (*)(int fd, size_t length);
    explicit MapStub(Behaviour behaviour = nullptr) : saved_(detail::mapFile)
    {
        behaviour_ = behaviour;
        calls_ = 0;
        detail::mapFile = [](void* address, size_t length, int protection, int flags, int fd, off_t offset) {
            ++calls_;
            return behaviour_ != nullptr ? behaviour_(fd, length)
                                         : ::mmap(address, length, protection, flags, fd, offset);
        };
    }
    ~MapStub() { detail::mapFile = saved_; }
    MapStub(const MapStub&) = delete;
    MapStub& operator=(const MapStub&) = delete;
    static int calls() { return calls_; }

    // The path the behaviours act on.
    static fs::path& target()
    {
        static fs::path path;
        return path;
    }

private:
    static inline Behaviour behaviour_ = nullptr;
    static inline int calls_ = 0;
    detail::MapFunction saved_;
};

void* refuseMapping(int, size_t)
{
    errno = ENODEV;
    return MAP_FAILED;
}

} // namespace

TEST(InputFile, MapsRegularFilesAndLinksWithTheFileBytes)
{
    TempDir dir;
    // Not a whole number of pages, so the last page is partly past the end.
    const ByteBuffer content = patterned((3 << 20) + 123);
    const fs::path path = dir.write("in.bin", content);
    fs::create_symlink(path, dir / "link.bin");
    MapStub counting;
    for (const fs::path& p : {path, dir / "link.bin"}) {
        std::string error;
        const InputFile file = openInputFile(p, &error);
        EXPECT_TRUE(error.empty()) << error;
        EXPECT_EQ(copyOf(file.bytes()), content);
        EXPECT_FALSE(file.shrankWhileMapped());
    }
    EXPECT_EQ(MapStub::calls(), 2);

    // An empty file is empty bytes, not a failure, and nothing to map.
    std::string error;
    const InputFile empty = openInputFile(dir.write("empty.bin", ByteBuffer{}), &error);
    EXPECT_TRUE(empty.bytes().empty());
    EXPECT_TRUE(error.empty());
    EXPECT_EQ(MapStub::calls(), 2);

    // The bytes move with the owner.
    InputFile first = openInputFile(path, &error);
    const uint8_t* data = first.bytes().data();
    InputFile second(std::move(first));
    EXPECT_TRUE(first.bytes().empty());
    EXPECT_EQ(second.bytes().data(), data);
    first = std::move(second);
    EXPECT_EQ(copyOf(first.bytes()), content);
}

TEST(InputFile, NonRegularInputsFailAtOnce)
{
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    // A FIFO without a writer must not block the opening.
    auto fifo = std::async(std::launch::async, [&] {
        std::string error;
        const InputFile file = openInputFile(dir / "fifo", &error);
        return std::make_pair(file.bytes().size(), error);
    });
    ASSERT_EQ(fifo.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_EQ(fifo.get(), std::make_pair(size_t{0}, std::string(kErrOpenInput)));

    for (const fs::path& p : {dir.path(), fs::path("/dev/null"), dir / "missing.bin"}) {
        std::string error;
        EXPECT_TRUE(openInputFile(p, &error).bytes().empty()) << p;
        EXPECT_EQ(error, kErrOpenInput) << p;
    }
}

TEST(InputFile, WhereMappingFailsTheFileIsReadWithTheReadRules)
{
    struct Case {
        const char* name;
        MapStub::Behaviour behaviour;
        ByteBuffer expected;
        const char* error;
    };
    const ByteBuffer content = patterned(5 << 20);
    const Case cases[] = {
        {"no mapping on this file system", refuseMapping, content, ""},
        // The file is cut between the size query and the read: the bytes read are kept.
        {"file shrinks before the read",
         [](int, size_t length) -> void* {
             EXPECT_EQ(::truncate(MapStub::target().c_str(), static_cast<off_t>(length / 2)), 0);
             errno = ENOMEM;
             return MAP_FAILED;
         },
         ByteBuffer(content.begin(), content.begin() + (5 << 19)), kErrShortRead},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        MapStub::target() = dir.write("in.bin", content);
        MapStub stub(c.behaviour);
        std::string error;
        const InputFile file = openInputFile(MapStub::target(), &error);
        EXPECT_EQ(MapStub::calls(), 1);
        EXPECT_EQ(copyOf(file.bytes()), c.expected);
        EXPECT_EQ(error, c.error);
        EXPECT_FALSE(file.shrankWhileMapped());
    }
}

TEST(InputFile, AFileLargerThanMemoryIsMappedButNotRead)
{
    TempDir dir;
    const fs::path path = dir / "sparse.bin";
    const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, off_t(1) << 40), 0); // 1 TiB, no blocks
    ::close(fd);
    {
        std::string error;
        const InputFile file = openInputFile(path, &error);
        EXPECT_TRUE(error.empty()) << error;
        ASSERT_EQ(file.bytes().size(), size_t{1} << 40);
        EXPECT_EQ(file.bytes()[(size_t{1} << 40) - 1], 0);
    }
    MapStub stub(refuseMapping);
    std::string error;
    EXPECT_TRUE(openInputFile(path, &error).bytes().empty());
    EXPECT_EQ(error, kErrInputTooLarge);
}

TEST(InputFile, AFileCutShortWhileMappedReadsAsZerosPastItsNewEnd)
{
    TempDir dir;
    const size_t page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
    const ByteBuffer content = patterned(64 * page);
    const fs::path path = dir.write("in.bin", content);
    const fs::path other = dir.write("other.bin", content);
    fs::create_directory(dir / "out");
    std::string error;
    const InputFile untouched = openInputFile(other, &error);
    InputFile opened = openInputFile(path, &error);
    const InputFile file(std::move(opened));
    ASSERT_EQ(file.bytes().size(), content.size());
    EXPECT_FALSE(file.shrankWhileMapped());

    // Cut inside a page: the rest of that page reads as zeros (the kernel's doing), every page
    // after it would fault.
    const size_t cut = 20 * page + 100;
    ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(cut)), 0);
    // Written before anything touched the lost pages: the kernel cannot read them for the write,
    // which fails whole.
    const InputSource source{path, file.bytes(), {}};
    EXPECT_FALSE(writeFile(dir / "out" / "o.bin", ByteParts{file.bytes()}, &error, true, &source));
    EXPECT_EQ(error, kErrWriteOutput);
    EXPECT_TRUE(fs::is_empty(dir / "out"));

    const ByteBuffer seen = copyOf(file.bytes());
    EXPECT_TRUE(std::equal(content.begin(), content.begin() + static_cast<std::ptrdiff_t>(cut), seen.begin()));
    EXPECT_TRUE(
        std::all_of(seen.begin() + static_cast<std::ptrdiff_t>(cut), seen.end(), [](uint8_t b) { return b == 0; }));
    EXPECT_TRUE(file.shrankWhileMapped());
    // The other input is still whole and was not marked.
    EXPECT_EQ(copyOf(untouched.bytes()), content);
    EXPECT_FALSE(untouched.shrankWhileMapped());
}

TEST(InputFile, ManyOpenInputsAreAllHeldWhetherMappedOrRead)
{
    TempDir dir;
    const ByteBuffer content = patterned(10000);
    const fs::path path = dir.write("in.bin", content);
    std::vector<InputFile> files;
    for (int i = 0; i < 200; ++i) {
        std::string error;
        files.push_back(openInputFile(path, &error));
        ASSERT_TRUE(error.empty()) << error;
    }
    for (const InputFile& file : files)
        ASSERT_EQ(copyOf(file.bytes()), content);
    // Cut to nothing: the mapped ones now read as zeros, the rest were read whole before. Any
    // mapping held without the guard would kill the process here.
    ASSERT_EQ(::truncate(path.c_str(), 0), 0);
    size_t zeroed = 0;
    size_t whole = 0;
    for (const InputFile& file : files) {
        const ByteBuffer seen = copyOf(file.bytes());
        zeroed += file.shrankWhileMapped() && seen == ByteBuffer(content.size(), 0) ? 1 : 0;
        whole += !file.shrankWhileMapped() && seen == content ? 1 : 0;
    }
    EXPECT_GT(zeroed, 0u);
    EXPECT_GT(whole, 0u);
    EXPECT_EQ(zeroed + whole, files.size());
}

TEST(InputFileDeathTest, ABusErrorOutsideTheInputsStillKills)
{
    TempDir dir;
    std::string error;
    // Opening an input puts the handler in place.
    const InputFile input = openInputFile(dir.write("in.bin", patterned(8192)), &error);
    ASSERT_FALSE(input.bytes().empty());
    const size_t page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
    const fs::path path = dir.write("plain.bin", patterned(2 * page));
    const auto touchPastTheEnd = [&] {
        const int fd = ::open(path.c_str(), O_RDONLY);
        auto* data = static_cast<volatile uint8_t*>(::mmap(nullptr, 2 * page, PROT_READ, MAP_PRIVATE, fd, 0));
        if (data == MAP_FAILED || ::truncate(path.c_str(), 0) != 0)
            std::_Exit(0);
        (void)data[page];
        std::_Exit(0);
    };
#ifdef __SANITIZE_ADDRESS__
    // The sanitizer's own handler reports the fault and aborts.
    EXPECT_DEATH(touchPastTheEnd(), "");
#else
    EXPECT_EXIT(touchPastTheEnd(), ::testing::KilledBySignal(SIGBUS), "");
#endif
}

TEST(InputFile, StretchesOfAMappedOrReadInputAreCopiedInTheKernel)
{
    static int copies = 0;
    const detail::CopyRangeFunction saved = detail::copyRange;
    detail::copyRange = [](int in, off_t* inOffset, int out, off_t* outOffset, size_t length, unsigned flags) {
        ++copies;
        return ::copy_file_range(in, inOffset, out, outOffset, length, flags);
    };
    struct Case {
        const char* name;
        MapStub::Behaviour behaviour;
    };
    for (const Case& c : {Case{"mapped", nullptr}, Case{"read", refuseMapping}}) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const ByteBuffer content = patterned(3 << 20);
        const fs::path path = dir.write("in.bin", content);
        MapStub stub(c.behaviour);
        std::string error;
        const ReadScope entry;
        const InputFile file = openInputFile(path, &error);
        const ByteBuffer header = bytesOf("HEAD");
        const std::span<const uint8_t> all = file.bytes();
        const ByteParts parts{header, all.subspan(100, 1 << 20), all.subspan(10, 20), all.subspan(2 << 20)};
        ByteBuffer expected;
        for (const auto part : parts)
            expected.insert(expected.end(), part.begin(), part.end());
        copies = 0;
        const InputSource source{path, file.bytes(), {}};
        ASSERT_TRUE(writeFile(dir / "out.bin", parts, &error, true, &source)) << error;
        EXPECT_GT(copies, 0);
        EXPECT_EQ(test_support::readAll(dir / "out.bin"), expected);

        // A file changed since it was opened is written from memory.
        struct timespec times[2] = {{0, UTIME_OMIT}, {12345, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
        copies = 0;
        ASSERT_TRUE(writeFile(dir / "again.bin", parts, &error, true, &source)) << error;
        EXPECT_EQ(copies, 0);
        EXPECT_EQ(test_support::readAll(dir / "again.bin"), expected);
    }
    detail::copyRange = saved;
}

TEST(InputFile, ClosedInputsNoLongerCountAsTheFile)
{
    TempDir dir;
    const ByteBuffer content = patterned(1 << 20);
    const fs::path path = dir.write("in.bin", content);
    std::string error;
    {
        const InputFile file = openInputFile(path, &error);
        ASSERT_EQ(file.bytes().size(), content.size());
    }
    // The freed address range usually comes straight back for the next mapping of that size:
    // other bytes there must be written as they are, not taken for the file.
    void* reused = ::mmap(nullptr, content.size(), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(reused, MAP_FAILED);
    const std::span<uint8_t> other(static_cast<uint8_t*>(reused), content.size());
    std::fill(other.begin(), other.end(), uint8_t{0xEE});
    const InputSource source{path, other, {}};
    ASSERT_TRUE(writeFile(dir / "out.bin", ByteParts{other}, &error, true, &source)) << error;
    EXPECT_EQ(test_support::readAll(dir / "out.bin"), ByteBuffer(content.size(), 0xEE));
    ::munmap(reused, content.size());
}

TEST(InputWindow, ReadsAMappedInputThroughTheFileWithTheSameBytes)
{
    TempDir dir;
    const ByteBuffer content = patterned((1 << 20) + 77);
    const fs::path path = dir.write("in.bin", content);
    std::string error;
    const InputFile mapped = openInputFile(path, &error);
    const ByteBuffer read = readFile(path, &error);
    const auto inside = [](std::span<const uint8_t> whole, std::span<const uint8_t> part) {
        return part.data() >= whole.data() && part.data() + part.size() <= whole.data() + whole.size();
    };
    struct Case {
        uint64_t pos;
        uint64_t length;
    };
    const uint64_t n = content.size();
    const Case cases[] = {{0, 30}, {65530, 20}, {65536, 65536}, {100, 200000}, {70000, 4}, {3, 30}, {n - 5, 30}, {n, 4}, {n + 10, 4}};
    for (const bool fromMapping : {true, false}) {
        SCOPED_TRACE(fromMapping ? "mapped" : "read");
        const std::span<const uint8_t> bytes = fromMapping ? mapped.bytes() : std::span<const uint8_t>(read);
        InputWindow window(bytes, 64 << 10);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::to_string(c.pos) + "+" + std::to_string(c.length));
            const ByteView view = window.view(c.pos, c.length);
            const uint64_t expected = c.pos >= n ? 0 : std::min(c.length, n - c.pos);
            ASSERT_EQ(view.size(), expected);
            EXPECT_TRUE(std::equal(view.begin(), view.end(), content.begin() + static_cast<std::ptrdiff_t>(std::min(c.pos, n))));
            // A mapped input is read into the window's own buffer; a buffer is viewed as it is.
            if (!view.empty()) {
                EXPECT_EQ(inside(bytes, view), !fromMapping);
            }
        }
    }

    // A file cut short under the window: what it no longer holds reads as zeros, as through the
    // mapping, and the input counts as shrunk.
    const InputFile cut = openInputFile(dir.write("cut.bin", content), &error);
    ASSERT_EQ(::truncate((dir / "cut.bin").c_str(), 300000), 0);
    InputWindow window(cut.bytes(), 64 << 10);
    const ByteView before = window.view(200000, 100000);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), content.begin() + 200000));
    const ByteView across = window.view(299990, 100);
    ASSERT_EQ(across.size(), 100u);
    EXPECT_TRUE(std::equal(across.begin(), across.begin() + 10, content.begin() + 299990));
    EXPECT_TRUE(std::all_of(across.begin() + 10, across.end(), [](uint8_t b) { return b == 0; }));
    EXPECT_TRUE(cut.shrankWhileMapped());
}
