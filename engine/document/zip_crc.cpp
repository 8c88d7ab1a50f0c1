// CRC-32 for the ZIP family: a folding loop where the processor can run it, zlib elsewhere, and
// helper threads that compute the CRCs of long stretches of the input while a walk goes on.

#include <zlib.h>

#if defined(__x86_64__)
#include <emmintrin.h>
#include <wmmintrin.h>
#endif

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "data_repair/checkpoint.h"
#include "data_repair/file_access.h"
#include "document/zip_archive.h"

namespace data_repair {

namespace {

#if defined(__x86_64__)
// CRC-32 by folding 64 bytes at a time with carry-less multiplication: several times faster than
// zlib's table-driven loop, which dominated the analysis of archives with stored entries. The
// constants are x^k mod P for the reflected polynomial; the last 128 bits are reduced to 32 by
// Barrett reduction. `length` is a multiple of 16, at least 64; `crc` is the register value
// (without zlib's inversion).
__attribute__((target("pclmul,sse2"))) inline __m128i load(const uint8_t* p)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

__attribute__((target("pclmul,sse2"))) inline __m128i fold(__m128i x, __m128i k)
{
    return _mm_xor_si128(_mm_clmulepi64_si128(x, k, 0x00), _mm_clmulepi64_si128(x, k, 0x11));
}

__attribute__((target("pclmul,sse2"))) uint32_t crc32Folded(uint32_t crc, const uint8_t* data, uint64_t length)
{
    __m128i x0 = _mm_xor_si128(load(data), _mm_cvtsi32_si128(static_cast<int>(crc)));
    __m128i x1 = load(data + 16);
    __m128i x2 = load(data + 32);
    __m128i x3 = load(data + 48);
    data += 64;
    length -= 64;
    const __m128i by4 = _mm_set_epi64x(0x1c6e41596, 0x154442bd4);
    for (; length >= 64; data += 64, length -= 64) {
        x0 = _mm_xor_si128(fold(x0, by4), load(data));
        x1 = _mm_xor_si128(fold(x1, by4), load(data + 16));
        x2 = _mm_xor_si128(fold(x2, by4), load(data + 32));
        x3 = _mm_xor_si128(fold(x3, by4), load(data + 48));
    }
    const __m128i by1 = _mm_set_epi64x(0x0ccaa009e, 0x1751997d0);
    x0 = _mm_xor_si128(fold(x0, by1), x1);
    x0 = _mm_xor_si128(fold(x0, by1), x2);
    x0 = _mm_xor_si128(fold(x0, by1), x3);
    for (; length >= 16; data += 16, length -= 16)
        x0 = _mm_xor_si128(fold(x0, by1), load(data));

    // 128 bits to 64, then to 32 with Barrett reduction.
    const __m128i mask32 = _mm_set_epi32(0, 0, 0, -1);
    x0 = _mm_xor_si128(_mm_clmulepi64_si128(x0, by1, 0x10), _mm_srli_si128(x0, 8));
    x0 = _mm_xor_si128(_mm_clmulepi64_si128(_mm_and_si128(x0, mask32), _mm_set_epi64x(0, 0x163cd6124), 0x00),
                       _mm_srli_si128(x0, 4));
    const __m128i poly = _mm_set_epi64x(0x1f7011641, 0x1db710641);
    __m128i t = _mm_clmulepi64_si128(_mm_and_si128(x0, mask32), poly, 0x10);
    t = _mm_clmulepi64_si128(_mm_and_si128(t, mask32), poly, 0x00);
    return static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(_mm_xor_si128(t, x0), 4)));
}

bool canFoldCrc()
{
    static const bool supported = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse2");
    return supported;
}
#endif

} // namespace

uint32_t zipCrc32(const uint8_t* data, uint64_t length) { return zipCrc32(0, data, length); }

uint32_t zipCrc32(uint32_t crcSoFar, const uint8_t* data, uint64_t length)
{
    uLong crc = crcSoFar;
#if defined(__x86_64__)
    if (length >= 64 && canFoldCrc()) {
        // Whole 16-byte blocks are folded; zlib takes the rest.
        const uint64_t folded = length & ~uint64_t{15};
        crc = ~crc32Folded(static_cast<uint32_t>(~crc), data, folded) & 0xFFFFFFFFu;
        data += folded;
        length -= folded;
    }
#endif
    while (length > 0) {
        const uInt chunk = static_cast<uInt>(std::min<uint64_t>(length, 1u << 30));
        crc = ::crc32(crc, data, chunk);
        data += chunk;
        length -= chunk;
    }
    return static_cast<uint32_t>(crc);
}

namespace {

// Helper threads beside the walking one: the reads and CRCs they take over are memory-bound, so a
// few are enough.
constexpr unsigned kMaxHelpers = 3;
// A stretch is split into pieces of at most this size, so that helpers share a long entry and a
// stop is never far away.
constexpr uint64_t kPieceBytes = uint64_t{4} << 20;
// A helper is woken once this much waits, and takes about as much at a time.
constexpr uint64_t kBatchBytes = uint64_t{4} << 20;
// The most bytes one read brings in.
constexpr uint64_t kReadBytes = uint64_t{1} << 20;

} // namespace

uint32_t zipCrc32Of(InputWindow& input, uint64_t pos, uint64_t length, uint64_t readAhead)
{
    uint32_t crc = 0;
    for (uint64_t done = 0; done < length;) {
        const uint64_t chunk = std::min(length - done, kReadBytes);
        const uint64_t ahead = chunk == length - done ? readAhead : 0;
        const ByteView bytes = input.view(pos + done, chunk + ahead);
        const uint64_t got = std::min<uint64_t>(chunk, bytes.size());
        if (got == 0)
            break;
        crc = zipCrc32(crc, bytes.data(), got);
        done += got;
        checkpoint(pos + done, input.size());
    }
    return crc;
}

struct BackgroundCrc::State {
    struct Piece {
        uint64_t pos = 0;
        uint64_t length = 0;
        uint32_t crc = 0;
        bool taken = false; // a thread is computing it or has
        bool done = false;
        bool failed = false; // its helper could not read it: computed again when asked
    };
    struct Ticket {
        size_t first = 0;
        size_t count = 0;
    };

    explicit State(const InputWindow& input) : source(input), own(input, 1) {}

    void help() noexcept
    {
        try {
            helpWith(InputWindow(source, 1)); // reads exactly what each view asks
        } catch (...) {
            // This helper stops; the pieces it did not take are computed when asked.
        }
    }

    void helpWith(InputWindow&& window)
    {
        std::vector<Piece*> batch;
        std::unique_lock lock(mutex);
        for (;;) {
            work.wait(lock, [&] {
                while (next < pieces.size() && pieces[next].taken)
                    ++next;
                return stop || next < pieces.size();
            });
            if (stop)
                return;
            // Pieces in a row, so that a helper wakes once for many small entries.
            batch.clear();
            for (uint64_t bytes = 0; next < pieces.size() && bytes < kBatchBytes; ++next) {
                Piece& piece = pieces[next];
                if (!piece.taken) {
                    piece.taken = true;
                    batch.push_back(&piece);
                    bytes += piece.length;
                }
            }
            lock.unlock();
            for (Piece* piece : batch) {
                try {
                    piece->crc = zipCrc32Of(window, piece->pos, piece->length);
                } catch (...) {
                    piece->failed = true;
                }
            }
            lock.lock();
            for (Piece* piece : batch)
                piece->done = true;
            if (callerWaits)
                finished.notify_all();
        }
    }

    // Computes a piece no helper has taken, on the calling thread.
    void computeHere(Piece& piece, std::unique_lock<std::mutex>& lock)
    {
        piece.taken = true;
        lock.unlock();
        const uint32_t crc = zipCrc32Of(own, piece.pos, piece.length);
        lock.lock();
        piece.crc = crc;
        piece.failed = false;
        piece.done = true;
    }

    const InputWindow& source;
    InputWindow own; // the calling thread's
    std::mutex mutex;
    std::condition_variable work;
    std::condition_variable finished;
    std::deque<Piece> pieces; // references stay valid as pieces are added
    size_t next = 0;          // no piece before it is left for the helpers
    uint64_t queued = 0;      // bytes added since the helpers were last woken
    bool callerWaits = false;
    bool stop = false;
    std::vector<Ticket> tickets;
    std::vector<std::thread> helpers;
    bool started = false;
};

BackgroundCrc::BackgroundCrc(const InputWindow& input) : state_(std::make_unique<State>(input)) {}

BackgroundCrc::~BackgroundCrc()
{
    {
        const std::lock_guard lock(state_->mutex);
        state_->stop = true;
    }
    state_->work.notify_all();
    for (std::thread& helper : state_->helpers)
        helper.join();
}

size_t BackgroundCrc::add(uint64_t pos, uint64_t length)
{
    State& s = *state_;
    if (!s.started) {
        s.started = true;
        const unsigned processors = std::thread::hardware_concurrency();
        const unsigned count = processors > 1 ? std::min(processors - 1, kMaxHelpers) : 0;
        try {
            for (unsigned i = 0; i < count; ++i)
                s.helpers.emplace_back([&s] { s.help(); });
        } catch (...) {
            // Fewer helpers, or none.
        }
    }
    State::Ticket ticket{s.pieces.size(), 0};
    std::unique_lock lock(s.mutex);
    for (uint64_t done = 0; done < length || ticket.count == 0; ++ticket.count) {
        const uint64_t piece = std::min(length - done, kPieceBytes);
        s.pieces.push_back(State::Piece{pos + done, piece});
        done += piece;
    }
    if (s.helpers.empty()) {
        // Nobody to hand it to: computed now.
        for (size_t i = ticket.first; i < ticket.first + ticket.count; ++i)
            s.computeHere(s.pieces[i], lock);
    }
    s.queued += length;
    const bool wake = s.queued >= kBatchBytes;
    if (wake)
        s.queued = 0;
    lock.unlock();
    if (wake)
        s.work.notify_one();
    s.tickets.push_back(ticket);
    return s.tickets.size() - 1;
}

bool BackgroundCrc::ready(size_t ticket)
{
    State& s = *state_;
    const State::Ticket& t = s.tickets.at(ticket);
    const std::lock_guard lock(s.mutex);
    for (size_t i = t.first; i < t.first + t.count; ++i) {
        if (!s.pieces[i].done)
            return false;
    }
    return true;
}

uint32_t BackgroundCrc::crc(size_t ticket)
{
    State& s = *state_;
    const State::Ticket& t = s.tickets.at(ticket);
    uint32_t crc = 0;
    for (size_t i = t.first; i < t.first + t.count; ++i) {
        State::Piece& piece = s.pieces[i];
        std::unique_lock lock(s.mutex);
        // Rather than wait for a piece no helper has reached, this thread computes it, and wakes
        // the helpers for what follows.
        if (!piece.taken) {
            s.queued = 0;
            s.work.notify_all();
            s.computeHere(piece, lock);
        }
        while (!piece.done) {
            s.callerWaits = true;
            s.finished.wait_for(lock, std::chrono::milliseconds(20), [&] { return piece.done; });
            s.callerWaits = false;
            if (!piece.done) {
                lock.unlock();
                checkCancelled();
                lock.lock();
            }
        }
        if (piece.failed)
            s.computeHere(piece, lock);
        crc = i == t.first ? piece.crc
                           : static_cast<uint32_t>(crc32_combine(crc, piece.crc, static_cast<z_off_t>(piece.length)));
    }
    return crc;
}

} // namespace data_repair
