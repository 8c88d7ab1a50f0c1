#include "app/incremental_aead.h"

#include <sodium.h>

#include <cstring>

namespace olm::repair::aead {

namespace {

// Poly1305 over ad || pad16 || cipher || pad16 || le64(adSize) || le64(size).
void authenticate(unsigned char tag[kTagSize], const unsigned char polyKey[32], const unsigned char* ad,
                  std::size_t adSize, const unsigned char* cipher, std::size_t size)
{
    static const unsigned char zeros[16] = {};
    crypto_onetimeauth_poly1305_state state;
    crypto_onetimeauth_poly1305_init(&state, polyKey);
    crypto_onetimeauth_poly1305_update(&state, ad, adSize);
    crypto_onetimeauth_poly1305_update(&state, zeros, (16 - adSize % 16) % 16);
    crypto_onetimeauth_poly1305_update(&state, cipher, size);
    crypto_onetimeauth_poly1305_update(&state, zeros, (16 - size % 16) % 16);
    unsigned char lengths[16];
    for (int i = 0; i < 8; ++i) {
        lengths[i] = static_cast<unsigned char>(static_cast<std::uint64_t>(adSize) >> (8 * i));
        lengths[8 + i] = static_cast<unsigned char>(static_cast<std::uint64_t>(size) >> (8 * i));
    }
    crypto_onetimeauth_poly1305_update(&state, lengths, sizeof lengths);
    crypto_onetimeauth_poly1305_final(&state, tag);
    sodium_memzero(&state, sizeof state);
}

// The 64-byte block at the context's counter: Poly1305 key, then the next context key.
void messageBlock(const Context& context, unsigned char block[64])
{
    std::memset(block, 0, 64);
    crypto_stream_chacha20_xor_ic(block, block, 64, context.nonce, context.counter, context.key);
}

void advance(Context& context, unsigned char block[64])
{
    std::memcpy(context.key, block + 32, kKeySize);
    sodium_memzero(block, 64);
}

} // namespace

void initX(Context& context, const unsigned char key[kKeySize], const unsigned char nonce[kNonceSize])
{
    crypto_core_hchacha20(context.key, nonce, key, nullptr);
    std::memcpy(context.nonce, nonce + 16, 8);
    context.counter = 0;
}

void write(Context& context, unsigned char* cipher, unsigned char tag[kTagSize], const unsigned char* ad,
           std::size_t adSize, const unsigned char* plain, std::size_t size)
{
    unsigned char block[64];
    messageBlock(context, block);
    crypto_stream_chacha20_xor_ic(cipher, plain, size, context.nonce, context.counter + 1, context.key);
    authenticate(tag, block, ad, adSize, cipher, size);
    advance(context, block);
}

bool read(Context& context, unsigned char* plain, const unsigned char tag[kTagSize], const unsigned char* ad,
          std::size_t adSize, const unsigned char* cipher, std::size_t size)
{
    unsigned char block[64];
    messageBlock(context, block);
    unsigned char expected[kTagSize];
    authenticate(expected, block, ad, adSize, cipher, size);
    const bool matches = crypto_verify_16(expected, tag) == 0;
    sodium_memzero(expected, sizeof expected);
    if (!matches) {
        sodium_memzero(block, sizeof block);
        return false;
    }
    crypto_stream_chacha20_xor_ic(plain, cipher, size, context.nonce, context.counter + 1, context.key);
    advance(context, block);
    return true;
}

void wipe(Context& context) { sodium_memzero(&context, sizeof context); }

} // namespace olm::repair::aead
