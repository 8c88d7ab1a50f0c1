#include <sys/stat.h>

#include <random>

#include "data_repair/consensus.h"
#include "test_support.h"

using namespace data_repair;
using test_support::TempDir;

namespace {

std::string digestOf(const ByteBuffer& bytes)
{
    Sha256Context context;
    context.update(bytes.data(), bytes.size());
    return hexDigest(context.finish());
}

// sha256sum is the independent judge of our digests.
std::string sha256sumOf(const std::filesystem::path& path)
{
    const auto out = test_support::run("sha256sum " + test_support::quote(path));
    EXPECT_EQ(out.exitCode, 0) << out.output;
    return out.output.substr(0, 64);
}

ByteBuffer patterned(size_t size)
{
    ByteBuffer bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<uint8_t>(i * 131 + 7);
    return bytes;
}

} // namespace

TEST(Sha256, PublishedExamples)
{
    EXPECT_EQ(digestOf({}), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(digestOf({'a', 'b', 'c'}), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    const std::string two = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";
    EXPECT_EQ(digestOf(ByteBuffer(two.begin(), two.end())),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
}

TEST(Sha256, FilesOnPaddingBoundariesMatchSha256sum)
{
    TempDir dir;
    for (const size_t size : {0, 1, 3, 55, 56, 57, 63, 64, 65, 119, 120, 128, 1000, (1 << 20) + 17}) {
        const auto path = dir.write("m" + std::to_string(size), patterned(size));
        const std::string expected = sha256sumOf(path);
        EXPECT_EQ(sha256HexOfFile(path), expected) << size << " bytes";
        EXPECT_EQ(digestOf(patterned(size)), expected) << size << " bytes";
    }
}

TEST(Sha256, PiecewiseUpdatesGiveTheSameDigestAndFinishResets)
{
    std::mt19937 rng(7);
    const ByteBuffer bytes = patterned(3001);
    Sha256Context context;
    size_t pos = 0;
    while (pos < bytes.size()) {
        const size_t take = std::min<size_t>(rng() % 150, bytes.size() - pos);
        context.update(bytes.data() + pos, take);
        context.update(nullptr, 0);
        pos += take;
    }
    EXPECT_EQ(hexDigest(context.finish()), digestOf(bytes));
    // The finished context hashes a new message from scratch.
    context.update(reinterpret_cast<const uint8_t*>("abc"), 3);
    EXPECT_EQ(hexDigest(context.finish()), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
}

TEST(Sha256, UnreadableInputsGiveNoDigest)
{
    TempDir dir;
    EXPECT_EQ(sha256HexOfFile(dir / "missing.bin"), "");
    EXPECT_EQ(sha256HexOfFile(dir.path()), "");
    const auto fifo = dir / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(sha256HexOfFile(fifo), ""); // must not block waiting for a writer
}
