// SHA-256: portable rounds, and the x86 SHA instructions when the processor
// has them (chosen once at run time, so the build needs no special flags).
#include "crypto/CSHA256.h"

#include <cstring>

#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
#define TESEDRA_SHA_X86 1
#include <cpuid.h>
#include <immintrin.h>
#endif

namespace tesedra {

namespace {

alignas(16) constexpr std::uint32_t K[64] = {
    0x428A2F98, 0x71374491, 0xB5C0FBCF, 0xE9B5DBA5, 0x3956C25B, 0x59F111F1, 0x923F82A4, 0xAB1C5ED5,
    0xD807AA98, 0x12835B01, 0x243185BE, 0x550C7DC3, 0x72BE5D74, 0x80DEB1FE, 0x9BDC06A7, 0xC19BF174,
    0xE49B69C1, 0xEFBE4786, 0x0FC19DC6, 0x240CA1CC, 0x2DE92C6F, 0x4A7484AA, 0x5CB0A9DC, 0x76F988DA,
    0x983E5152, 0xA831C66D, 0xB00327C8, 0xBF597FC7, 0xC6E00BF3, 0xD5A79147, 0x06CA6351, 0x14292967,
    0x27B70A85, 0x2E1B2138, 0x4D2C6DFC, 0x53380D13, 0x650A7354, 0x766A0ABB, 0x81C2C92E, 0x92722C85,
    0xA2BFE8A1, 0xA81A664B, 0xC24B8B70, 0xC76C51A3, 0xD192E819, 0xD6990624, 0xF40E3585, 0x106AA070,
    0x19A4C116, 0x1E376C08, 0x2748774C, 0x34B0BCB5, 0x391C0CB3, 0x4ED8AA4A, 0x5B9CCA4F, 0x682E6FF3,
    0x748F82EE, 0x78A5636F, 0x84C87814, 0x8CC70208, 0x90BEFFFA, 0xA4506CEB, 0xBEF9A3F7, 0xC67178F2,
};

constexpr std::uint32_t H0[8] = {
    0x6A09E667, 0xBB67AE85, 0x3C6EF372, 0xA54FF53A, 0x510E527F, 0x9B05688C, 0x1F83D9AB, 0x5BE0CD19,
};

using Comprimir = void (*)(std::uint32_t* estado, const std::uint8_t* bloques, std::size_t cuantos);

inline std::uint32_t Rotr(std::uint32_t x, int n)
{
    return (x >> n) | (x << (32 - n));
}
inline std::uint32_t Ch(std::uint32_t x, std::uint32_t y, std::uint32_t z)
{
    return z ^ (x & (y ^ z));
}
inline std::uint32_t Maj(std::uint32_t x, std::uint32_t y, std::uint32_t z)
{
    return (x & (y ^ z)) ^ (y & z);
}
inline std::uint32_t S0(std::uint32_t x)
{
    return Rotr(x, 2) ^ Rotr(x, 13) ^ Rotr(x, 22);
}
inline std::uint32_t S1(std::uint32_t x)
{
    return Rotr(x, 6) ^ Rotr(x, 11) ^ Rotr(x, 25);
}
inline std::uint32_t SigmaMensaje0(std::uint32_t x)
{
    return Rotr(x, 7) ^ Rotr(x, 18) ^ (x >> 3);
}
inline std::uint32_t SigmaMensaje1(std::uint32_t x)
{
    return Rotr(x, 17) ^ Rotr(x, 19) ^ (x >> 10);
}

inline std::uint32_t Cargar(const std::uint8_t* p)
{
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

// One round with the working words named by position instead of moved: the
// caller rotates the names, so each round only updates d and h.
#define SHA_RONDA(a, b, c, d, e, f, g, h, t, w)                                                                        \
    do {                                                                                                               \
        std::uint32_t t1 = (h) + S1(e) + Ch(e, f, g) + K[t] + (w);                                                     \
        (d) += t1;                                                                                                     \
        (h) = t1 + S0(a) + Maj(a, b, c);                                                                               \
    } while (0)

#define SHA_W(t) (W[(t)&15] += SigmaMensaje1(W[((t)-2) & 15]) + W[((t)-7) & 15] + SigmaMensaje0(W[((t)-15) & 15]))

#define SHA_OCHO(t, wexpr)                                                                                             \
    SHA_RONDA(a, b, c, d, e, f, g, h, (t) + 0, wexpr((t) + 0));                                                        \
    SHA_RONDA(h, a, b, c, d, e, f, g, (t) + 1, wexpr((t) + 1));                                                        \
    SHA_RONDA(g, h, a, b, c, d, e, f, (t) + 2, wexpr((t) + 2));                                                        \
    SHA_RONDA(f, g, h, a, b, c, d, e, (t) + 3, wexpr((t) + 3));                                                        \
    SHA_RONDA(e, f, g, h, a, b, c, d, (t) + 4, wexpr((t) + 4));                                                        \
    SHA_RONDA(d, e, f, g, h, a, b, c, (t) + 5, wexpr((t) + 5));                                                        \
    SHA_RONDA(c, d, e, f, g, h, a, b, (t) + 6, wexpr((t) + 6));                                                        \
    SHA_RONDA(b, c, d, e, f, g, h, a, (t) + 7, wexpr((t) + 7))

#define SHA_WLEIDA(t) W[t]

void ComprimirPortable(std::uint32_t* estado, const std::uint8_t* bloques, std::size_t cuantos)
{
    for (; cuantos > 0; --cuantos, bloques += 64) {
        std::uint32_t W[16];
        for (int i = 0; i < 16; ++i)
            W[i] = Cargar(bloques + 4 * i);
        std::uint32_t a = estado[0], b = estado[1], c = estado[2], d = estado[3];
        std::uint32_t e = estado[4], f = estado[5], g = estado[6], h = estado[7];
        SHA_OCHO(0, SHA_WLEIDA);
        SHA_OCHO(8, SHA_WLEIDA);
        SHA_OCHO(16, SHA_W);
        SHA_OCHO(24, SHA_W);
        SHA_OCHO(32, SHA_W);
        SHA_OCHO(40, SHA_W);
        SHA_OCHO(48, SHA_W);
        SHA_OCHO(56, SHA_W);
        estado[0] += a;
        estado[1] += b;
        estado[2] += c;
        estado[3] += d;
        estado[4] += e;
        estado[5] += f;
        estado[6] += g;
        estado[7] += h;
    }
}

#undef SHA_RONDA
#undef SHA_W
#undef SHA_OCHO
#undef SHA_WLEIDA

#ifdef TESEDRA_SHA_X86

// Four rounds per step: the round instructions take the state as ABEF and
// CDGH halves; the message schedule is kept as four vectors of four words.
__attribute__((target("sha,sse4.1,ssse3"))) void ComprimirSha(std::uint32_t* estado, const std::uint8_t* bloques,
                                                              std::size_t cuantos)
{
    const __m128i orden = _mm_set_epi64x(0x0C0D0E0F08090A0BLL, 0x0405060700010203LL);

    __m128i tmp = _mm_loadu_si128(reinterpret_cast<const __m128i*>(estado));
    __m128i st1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(estado + 4));
    tmp = _mm_shuffle_epi32(tmp, 0xB1);         // CDAB
    st1 = _mm_shuffle_epi32(st1, 0x1B);         // EFGH
    __m128i st0 = _mm_alignr_epi8(tmp, st1, 8); // ABEF
    st1 = _mm_blend_epi16(st1, tmp, 0xF0);      // CDGH

    for (; cuantos > 0; --cuantos, bloques += 64) {
        const __m128i abef = st0, cdgh = st1;
        __m128i m[4];
        for (int i = 0; i < 4; ++i)
            m[i] = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bloques + 16 * i)), orden);

#define SHA_PASO(g)                                                                                                    \
    do {                                                                                                               \
        __m128i msg = _mm_add_epi32(m[(g)&3], _mm_load_si128(reinterpret_cast<const __m128i*>(K + 4 * (g))));          \
        st1 = _mm_sha256rnds2_epu32(st1, st0, msg);                                                                    \
        if ((g) >= 3 && (g) <= 14) {                                                                                   \
            __m128i t = _mm_alignr_epi8(m[(g)&3], m[((g)-1) & 3], 4);                                                  \
            m[((g) + 1) & 3] = _mm_sha256msg2_epu32(_mm_add_epi32(m[((g) + 1) & 3], t), m[(g)&3]);                     \
        }                                                                                                              \
        st0 = _mm_sha256rnds2_epu32(st0, st1, _mm_shuffle_epi32(msg, 0x0E));                                           \
        if ((g) >= 1 && (g) <= 12)                                                                                     \
            m[((g)-1) & 3] = _mm_sha256msg1_epu32(m[((g)-1) & 3], m[(g)&3]);                                           \
    } while (0)

        SHA_PASO(0);
        SHA_PASO(1);
        SHA_PASO(2);
        SHA_PASO(3);
        SHA_PASO(4);
        SHA_PASO(5);
        SHA_PASO(6);
        SHA_PASO(7);
        SHA_PASO(8);
        SHA_PASO(9);
        SHA_PASO(10);
        SHA_PASO(11);
        SHA_PASO(12);
        SHA_PASO(13);
        SHA_PASO(14);
        SHA_PASO(15);
#undef SHA_PASO

        st0 = _mm_add_epi32(st0, abef);
        st1 = _mm_add_epi32(st1, cdgh);
    }

    tmp = _mm_shuffle_epi32(st0, 0x1B);    // FEBA
    st1 = _mm_shuffle_epi32(st1, 0xB1);    // DCHG
    st0 = _mm_blend_epi16(tmp, st1, 0xF0); // DCBA
    st1 = _mm_alignr_epi8(st1, tmp, 8);    // HGFE
    _mm_storeu_si128(reinterpret_cast<__m128i*>(estado), st0);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(estado + 4), st1);
}

bool ProcesadorConSha()
{
    unsigned a, b, c, d;
    if (!__get_cpuid(1, &a, &b, &c, &d))
        return false;
    const bool ssse3 = (c >> 9) & 1, sse41 = (c >> 19) & 1;
    if (!ssse3 || !sse41)
        return false;
    if (__get_cpuid_max(0, nullptr) < 7)
        return false;
    __cpuid_count(7, 0, a, b, c, d);
    return (b >> 29) & 1;
}

#else

bool ProcesadorConSha()
{
    return false;
}

#endif

// Chosen on first use, so digests taken while other files' statics are being
// set up work as well.
bool Acelerado()
{
    static const bool acelerado = ProcesadorConSha();
    return acelerado;
}

Comprimir Elegida()
{
#ifdef TESEDRA_SHA_X86
    if (Acelerado())
        return ComprimirSha;
#endif
    return ComprimirPortable;
}

ResumenSha256 Resumir(Comprimir comprimir, const void* datos, std::size_t n)
{
    std::uint32_t estado[8];
    std::memcpy(estado, H0, sizeof estado);
    const auto* p = static_cast<const std::uint8_t*>(datos);
    const std::size_t completos = n / 64;
    if (completos > 0)
        comprimir(estado, p, completos);

    // The tail, the 0x80 byte, zeros and the bit length fill one or two blocks.
    std::uint8_t cola[128] = {};
    const std::size_t resto = n % 64;
    if (resto > 0)
        std::memcpy(cola, p + completos * 64, resto);
    cola[resto] = 0x80;
    const std::size_t bloquesCola = resto + 9 > 64 ? 2 : 1;
    const std::uint64_t bits = std::uint64_t(n) * 8;
    std::uint8_t* fin = cola + bloquesCola * 64 - 8;
    for (int i = 0; i < 8; ++i)
        fin[i] = std::uint8_t(bits >> (56 - 8 * i));
    comprimir(estado, cola, bloquesCola);

    ResumenSha256 r;
    for (int i = 0; i < 8; ++i) {
        r[4 * i] = std::uint8_t(estado[i] >> 24);
        r[4 * i + 1] = std::uint8_t(estado[i] >> 16);
        r[4 * i + 2] = std::uint8_t(estado[i] >> 8);
        r[4 * i + 3] = std::uint8_t(estado[i]);
    }
    return r;
}

} // namespace

ResumenSha256 Sha256Bytes(const void* datos, std::size_t longitud)
{
    return Resumir(Elegida(), datos, longitud);
}

ResumenSha256 Sha256Bytes(std::string_view mensaje)
{
    return Sha256Bytes(mensaje.data(), mensaje.size());
}

ResumenSha256 Sha256BytesPortable(const void* datos, std::size_t longitud)
{
    return Resumir(ComprimirPortable, datos, longitud);
}

bool Sha256Acelerado()
{
    return Acelerado();
}

void Sha256Hex(const ResumenSha256& resumen, char* salida)
{
    static constexpr char digitos[] = "0123456789abcdef";
    for (std::size_t i = 0; i < resumen.size(); ++i) {
        salida[2 * i] = digitos[resumen[i] >> 4];
        salida[2 * i + 1] = digitos[resumen[i] & 15];
    }
}

std::string CSHA256::SHA256(std::string_view mensaje) const
{
    std::string hex(64, '\0');
    Sha256Hex(Sha256Bytes(mensaje), hex.data());
    return hex;
}

} // namespace tesedra
