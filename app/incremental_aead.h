#pragma once

// Incremental XChaCha20-Poly1305 for a stream of messages (the result store's chunks).
//
// One context seals or opens its messages strictly in order: every message draws the ChaCha20
// block at the context's counter, whose first 32 bytes key that message's Poly1305 and whose last
// 32 bytes become the context's key for the next message. The text is enciphered from counter + 1
// and authenticated as RFC 8439 does (ad, pad16, ciphertext, pad16, le64 ad size, le64 text size).
// The first message therefore equals plain XChaCha20-Poly1305-IETF under the same key and nonce,
// and a message opens only after all the ones before it.

#include <cstddef>
#include <cstdint>

namespace olm::repair::aead {

inline constexpr std::size_t kKeySize = 32;
inline constexpr std::size_t kNonceSize = 24;
inline constexpr std::size_t kTagSize = 16;

struct Context {
    unsigned char key[kKeySize];
    unsigned char nonce[8];
    std::uint64_t counter;
};

// Context key = HChaCha20(key, nonce[0..16]); ChaCha20 nonce = nonce[16..24]; counter 0.
void initX(Context& context, const unsigned char key[kKeySize], const unsigned char nonce[kNonceSize]);

// Seals `size` bytes (cipher may equal plain) and writes the tag; moves the context on.
void write(Context& context, unsigned char* cipher, unsigned char tag[kTagSize], const unsigned char* ad,
           std::size_t adSize, const unsigned char* plain, std::size_t size);

// Checks the tag first (constant time) and only then deciphers; false on a mismatch, in which case
// nothing is written to `plain` and the context stays where it was.
bool read(Context& context, unsigned char* plain, const unsigned char tag[kTagSize], const unsigned char* ad,
          std::size_t adSize, const unsigned char* cipher, std::size_t size);

void wipe(Context& context);

} // namespace olm::repair::aead
