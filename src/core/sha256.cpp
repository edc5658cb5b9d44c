#include "core/sha256.h"

#include <array>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define PLANEK_SHA_EXTENSIONS 1
#endif

namespace planek {

namespace {

alignas(16) constexpr std::array<std::uint32_t, 64> kRound = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

constexpr std::array<std::uint32_t, 8> kStart = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                                 0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};

std::uint32_t rotr(std::uint32_t v, int n) { return (v >> n) | (v << (32 - n)); }

void compress(std::array<std::uint32_t, 8>& h, const unsigned char* block) {
    std::array<std::uint32_t, 64> w{};
    for (int i = 0; i < 16; ++i)
        w[i] = std::uint32_t(block[4 * i]) << 24 | std::uint32_t(block[4 * i + 1]) << 16 |
               std::uint32_t(block[4 * i + 2]) << 8 | std::uint32_t(block[4 * i + 3]);
    for (int i = 16; i < 64; ++i) {
        const std::uint32_t s0 = rotr(w[i - 15], 7) ^ rotr(w[i - 15], 18) ^ (w[i - 15] >> 3);
        const std::uint32_t s1 = rotr(w[i - 2], 17) ^ rotr(w[i - 2], 19) ^ (w[i - 2] >> 10);
        w[i] = w[i - 16] + s0 + w[i - 7] + s1;
    }
    std::uint32_t a = h[0], b = h[1], c = h[2], d = h[3], e = h[4], f = h[5], g = h[6], k = h[7];
    for (int i = 0; i < 64; ++i) {
        const std::uint32_t t1 = k + (rotr(e, 6) ^ rotr(e, 11) ^ rotr(e, 25)) + ((e & f) ^ (~e & g)) + kRound[i] + w[i];
        const std::uint32_t t2 = (rotr(a, 2) ^ rotr(a, 13) ^ rotr(a, 22)) + ((a & b) ^ (a & c) ^ (b & c));
        k = g;
        g = f;
        f = e;
        e = d + t1;
        d = c;
        c = b;
        b = a;
        a = t1 + t2;
    }
    h[0] += a, h[1] += b, h[2] += c, h[3] += d, h[4] += e, h[5] += f, h[6] += g, h[7] += k;
}

void compress_portable(std::array<std::uint32_t, 8>& h, const unsigned char* blocks, size_t count) {
    for (size_t i = 0; i < count; ++i) compress(h, blocks + 64 * i);
}

#ifdef PLANEK_SHA_EXTENSIONS
// The processor's own SHA-256 rounds: every month file read and saved is
// hashed several times over (its seal, what was read, what the save set
// holds), and this takes a tenth of the time of the rounds above.
__attribute__((target("sha,sse4.1"))) void compress_extensions(std::array<std::uint32_t, 8>& h,
                                                              const unsigned char* blocks, size_t count) {
    const __m128i byteSwap = _mm_set_epi64x(0x0c0d0e0f08090a0bULL, 0x0405060700010203ULL);
    // The instructions keep the state as ABEF and CDGH.
    __m128i t = _mm_loadu_si128(reinterpret_cast<const __m128i*>(h.data()));
    __m128i state1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(h.data() + 4));
    t = _mm_shuffle_epi32(t, 0xB1);
    state1 = _mm_shuffle_epi32(state1, 0x1B);
    __m128i state0 = _mm_alignr_epi8(t, state1, 8);
    state1 = _mm_blend_epi16(state1, t, 0xF0);
    for (size_t b = 0; b < count; ++b) {
        const unsigned char* block = blocks + 64 * b;
        const __m128i abef = state0, cdgh = state1;
        __m128i w[4];
        for (int g = 0; g < 16; ++g) {
            __m128i m;
            if (g < 4) {
                m = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * g)), byteSwap);
            } else {
                m = _mm_sha256msg1_epu32(w[(g - 4) & 3], w[(g - 3) & 3]);
                m = _mm_add_epi32(m, _mm_alignr_epi8(w[(g - 1) & 3], w[(g - 2) & 3], 4));
                m = _mm_sha256msg2_epu32(m, w[(g - 1) & 3]);
            }
            w[g & 3] = m;
            __m128i k = _mm_add_epi32(m, _mm_load_si128(reinterpret_cast<const __m128i*>(kRound.data() + 4 * g)));
            state1 = _mm_sha256rnds2_epu32(state1, state0, k);
            k = _mm_shuffle_epi32(k, 0x0E);
            state0 = _mm_sha256rnds2_epu32(state0, state1, k);
        }
        state0 = _mm_add_epi32(state0, abef);
        state1 = _mm_add_epi32(state1, cdgh);
    }
    t = _mm_shuffle_epi32(state0, 0x1B);
    state1 = _mm_shuffle_epi32(state1, 0xB1);
    state0 = _mm_blend_epi16(t, state1, 0xF0);
    state1 = _mm_alignr_epi8(state1, t, 8);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(h.data()), state0);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(h.data() + 4), state1);
}

bool has_extensions() {
    static const bool has = __builtin_cpu_supports("sha") && __builtin_cpu_supports("sse4.1");
    return has;
}
#endif

using compressor = void (*)(std::array<std::uint32_t, 8>&, const unsigned char*, size_t);

std::string digest_with(std::string_view bytes, compressor run) {
    std::array<std::uint32_t, 8> h = kStart;
    const size_t whole = bytes.size() / 64;
    run(h, reinterpret_cast<const unsigned char*>(bytes.data()), whole);
    // The tail, the 0x80 marker, zeros and the length in bits fill one or two blocks.
    unsigned char tail[128] = {};
    const size_t rest = bytes.size() - whole * 64;
    if (rest > 0) std::memcpy(tail, bytes.data() + whole * 64, rest);
    tail[rest] = 0x80;
    const size_t blocks = rest < 56 ? 1 : 2;
    const std::uint64_t bits = std::uint64_t(bytes.size()) * 8;
    for (int i = 0; i < 8; ++i) tail[64 * blocks - 1 - i] = static_cast<unsigned char>((bits >> (8 * i)) & 0xff);
    run(h, tail, blocks);
    static const char* const digits = "0123456789abcdef";
    std::string out;
    out.reserve(64);
    for (std::uint32_t v : h)
        for (int i = 28; i >= 0; i -= 4) out += digits[(v >> i) & 0xf];
    return out;
}

}  // namespace

std::string sha256_hex(std::string_view bytes) {
#ifdef PLANEK_SHA_EXTENSIONS
    if (has_extensions()) return digest_with(bytes, compress_extensions);
#endif
    return digest_with(bytes, compress_portable);
}

std::string sha256_hex_portable(std::string_view bytes) { return digest_with(bytes, compress_portable); }

}  // namespace planek
