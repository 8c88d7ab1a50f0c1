#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "core/scoped_fd.h"
#include "core/sibling_consensus.h"
#include "data_repair/checkpoint.h"
#include "data_repair/consensus.h"
#include "data_repair/file_access.h"

namespace data_repair {

namespace {

constexpr uint32_t kInitial[8] = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                  0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};

constexpr uint32_t kRound[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

constexpr uint32_t rotr(uint32_t x, int n) { return (x >> n) | (x << (32 - n)); }

void transform(uint32_t h[8], const uint8_t block[64])
{
    uint32_t w[64];
    for (int i = 0; i < 16; ++i) {
        w[i] = (static_cast<uint32_t>(block[4 * i]) << 24) | (static_cast<uint32_t>(block[4 * i + 1]) << 16) |
               (static_cast<uint32_t>(block[4 * i + 2]) << 8) | static_cast<uint32_t>(block[4 * i + 3]);
    }
    for (int i = 16; i < 64; ++i) {
        const uint32_t s0 = rotr(w[i - 15], 7) ^ rotr(w[i - 15], 18) ^ (w[i - 15] >> 3);
        const uint32_t s1 = rotr(w[i - 2], 17) ^ rotr(w[i - 2], 19) ^ (w[i - 2] >> 10);
        w[i] = w[i - 16] + s0 + w[i - 7] + s1;
    }
    uint32_t a = h[0], b = h[1], c = h[2], d = h[3], e = h[4], f = h[5], g = h[6], k = h[7];
    for (int i = 0; i < 64; ++i) {
        const uint32_t t1 = k + (rotr(e, 6) ^ rotr(e, 11) ^ rotr(e, 25)) + ((e & f) ^ (~e & g)) + kRound[i] + w[i];
        const uint32_t t2 = (rotr(a, 2) ^ rotr(a, 13) ^ rotr(a, 22)) + ((a & b) ^ (a & c) ^ (b & c));
        k = g;
        g = f;
        f = e;
        e = d + t1;
        d = c;
        c = b;
        b = a;
        a = t1 + t2;
    }
    h[0] += a;
    h[1] += b;
    h[2] += c;
    h[3] += d;
    h[4] += e;
    h[5] += f;
    h[6] += g;
    h[7] += k;
}

// Block size of streamed reads: large enough for sequential throughput, small enough that
// hashing a family of large videos stays within a few MiB.
constexpr size_t kReadBlock = 1u << 20;

} // namespace

Sha256Context::Sha256Context() : h{}, block{}, blockFill(0), totalBytes(0)
{
    std::memcpy(h, kInitial, sizeof h);
}

void Sha256Context::update(const uint8_t* data, uint64_t size)
{
    if (data == nullptr || size == 0)
        return;
    totalBytes += size;
    while (size > 0) {
        const uint64_t take = std::min<uint64_t>(64 - blockFill, size);
        std::memcpy(block + blockFill, data, static_cast<size_t>(take));
        blockFill += take;
        data += take;
        size -= take;
        if (blockFill == 64) {
            transform(h, block);
            blockFill = 0;
        }
    }
}

std::array<uint8_t, 32> Sha256Context::finish()
{
    const uint64_t bits = totalBytes * 8;
    block[blockFill++] = 0x80;
    if (blockFill > 56) {
        std::memset(block + blockFill, 0, static_cast<size_t>(64 - blockFill));
        transform(h, block);
        blockFill = 0;
    }
    std::memset(block + blockFill, 0, static_cast<size_t>(56 - blockFill));
    for (int i = 0; i < 8; ++i)
        block[56 + i] = static_cast<uint8_t>(bits >> (56 - 8 * i));
    transform(h, block);

    std::array<uint8_t, 32> digest{};
    for (int i = 0; i < 8; ++i) {
        digest[4 * i] = static_cast<uint8_t>(h[i] >> 24);
        digest[4 * i + 1] = static_cast<uint8_t>(h[i] >> 16);
        digest[4 * i + 2] = static_cast<uint8_t>(h[i] >> 8);
        digest[4 * i + 3] = static_cast<uint8_t>(h[i]);
    }
    *this = Sha256Context();
    return digest;
}

std::string hexDigest(const std::array<uint8_t, 32>& digest)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    text.reserve(64);
    for (const uint8_t byte : digest) {
        text += kHex[byte >> 4];
        text += kHex[byte & 0x0f];
    }
    return text;
}

namespace {

// A regular file opened for reading without blocking on FIFOs or devices; with ReadLinks::Refuse
// a link at the path is refused as well. -1 when it cannot be opened or is anything else.
int openRegular(const std::filesystem::path& path, ReadLinks links, uint64_t& size)
{
    const int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | (links == ReadLinks::Refuse ? O_NOFOLLOW : 0);
    const int fd = ::open(path.c_str(), flags);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0) {
        ::close(fd);
        return -1;
    }
    size = static_cast<uint64_t>(st.st_size);
    return fd;
}

} // namespace

bool canOpenRegular(const std::filesystem::path& path, ReadLinks links)
{
    uint64_t size = 0;
    const ScopedFd fd(openRegular(path, links, size));
    return fd.isOpen();
}

bool readFileBlocks(const std::filesystem::path& path, const std::function<bool(const uint8_t*, size_t)>& sink,
                    std::string* error, ReadLinks links)
{
    auto fail = [&](const char* text) {
        if (error != nullptr)
            *error = text;
        return false;
    };
    uint64_t size = 0;
    const int fd = openRegular(path, links, size);
    if (fd < 0)
        return fail(kErrOpenInput);
    const ScopedFd closer(fd);
    // Small files get a buffer of their own size, not a whole block.
    const size_t capacity = static_cast<size_t>(std::min<uint64_t>(kReadBlock, std::max<uint64_t>(size, 1)));
    std::unique_ptr<uint8_t[]> buffer(new uint8_t[capacity]);
    uint64_t done = 0;
    while (done < size) {
        const size_t want = static_cast<size_t>(std::min<uint64_t>(capacity, size - done));
        const ssize_t n = ::read(fd, buffer.get(), want);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<uint64_t>(n);
        checkpoint(done, size);
        if (!sink(buffer.get(), static_cast<size_t>(n))) {
            if (error != nullptr)
                error->clear();
            return false;
        }
    }
    // A file that shrank or a medium that failed part-way: its digest would not be its content's.
    if (done < size)
        return fail(kErrShortRead);
    return true;
}

std::string sha256HexOfFile(const std::filesystem::path& path) { return sha256HexOfFile(path, ReadLinks::Follow); }

std::string sha256HexOfFile(const std::filesystem::path& path, ReadLinks links)
{
    Sha256Context context;
    const bool read = readFileBlocks(path, [&](const uint8_t* data, size_t size) {
        context.update(data, size);
        return true;
    }, nullptr, links);
    if (!read)
        return {};
    return hexDigest(context.finish());
}

} // namespace data_repair
