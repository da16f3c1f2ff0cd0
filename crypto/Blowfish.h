#pragma once
// Blowfish block cipher: 64-bit blocks as two 32-bit words, 16 rounds, keys of
// 1 to 56 bytes. Words are big-endian: the first byte of four is the most
// significant, and the first four bytes of a block make its left word.
//
// There is one key state for the whole process, shared by every caller and
// used from one thread at a time. Setting a key replaces the whole state.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tesedra {

// The published initial tables (hexadecimal digits of pi), generated into
// BlowfishTablas.cpp by crypto/gen_tablas.py.
extern const std::uint32_t kBlowfishPInicial[18];
extern const std::uint32_t kBlowfishSInicial[4][256];

// The key state: 18-word P-array and four 256-word S-boxes.
struct EstadoBlowfish {
    std::uint32_t P[18];
    std::uint32_t S[4][256];
};

// Loads the initial P-array and S-boxes into the key state.
void BlowfishInitTables();

// Runs the key schedule over `longitud` key bytes. Keys of 1 to 56 bytes are
// accepted; an empty or longer key is refused (false) and the state is kept.
// Setting the key that was last scheduled restores its saved state instead of
// running the schedule again; the resulting state is the same.
bool BlowfishSetKey(const std::uint8_t* clave, std::size_t longitud);
bool BlowfishSetKey(std::string_view clave);

void BlowfishEncipherBlock(std::uint32_t& izquierda, std::uint32_t& derecha);
void BlowfishDecipherBlock(std::uint32_t& izquierda, std::uint32_t& derecha);

// Each pair (even index = left word, next = right word) is handled on its own
// (electronic code book). A trailing odd word is left untouched.
void BlowfishEncipherWords(std::uint32_t* palabras, std::size_t cuenta);
void BlowfishDecipherWords(std::uint32_t* palabras, std::size_t cuenta);

// Enciphers/deciphers `bloques` 8-byte blocks in place, bytes packed as above.
void BlowfishEncipherBytes(std::uint8_t* datos, std::size_t bloques);
void BlowfishDecipherBytes(std::uint8_t* datos, std::size_t bloques);

// The round function: ((S0[a] + S1[b]) ^ S2[c]) + S3[d], a the top byte.
std::uint32_t BlowfishF(std::uint32_t x);

constexpr std::uint32_t WordFromBytes(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3)
{
    return (std::uint32_t(b0) << 24) | (std::uint32_t(b1) << 16) | (std::uint32_t(b2) << 8) | b3;
}

constexpr std::array<std::uint8_t, 4> WordToBytes(std::uint32_t w)
{
    return {std::uint8_t(w >> 24), std::uint8_t(w >> 16), std::uint8_t(w >> 8), std::uint8_t(w)};
}

constexpr std::uint32_t WordShiftLeft8(std::uint32_t w)
{
    return w << 8;
}

constexpr std::uint32_t WordAdd(std::uint32_t x, std::uint32_t y)
{
    return x + y;
}

// Read access to the key state, for checks of the key schedule.
const EstadoBlowfish& BlowfishEstado();

// How many times the full key schedule has run in this process (saved states
// restored for a repeated key do not count).
std::uint64_t BlowfishPlanificaciones();

} // namespace tesedra
