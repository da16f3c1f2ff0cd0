// Blowfish: key schedule, round function and block operations over the one
// process-wide key state.
#include "crypto/Blowfish.h"

#include <cstring>

namespace tesedra {

namespace {

EstadoBlowfish g_estado = [] {
    EstadoBlowfish e;
    std::memcpy(e.P, kBlowfishPInicial, sizeof e.P);
    std::memcpy(e.S, kBlowfishSInicial, sizeof e.S);
    return e;
}();

// The scheduled state of the last key that ran the full schedule. Records are
// all sealed and opened under one key, so setting it again is a copy instead
// of 521 block encipherments.
struct ClaveGuardada {
    bool valida = false;
    std::size_t longitud = 0;
    std::uint8_t clave[56] = {};
    EstadoBlowfish estado;
};
ClaveGuardada g_guardada;
std::uint64_t g_planificaciones = 0;

inline std::uint32_t F(const EstadoBlowfish& e, std::uint32_t x)
{
    return ((e.S[0][x >> 24] + e.S[1][(x >> 16) & 0xFF]) ^ e.S[2][(x >> 8) & 0xFF]) + e.S[3][x & 0xFF];
}

// The sixteen rounds written out without the exchanges: `a` starts as the
// left word, `b` as the right one; after the last round they come out swapped.
inline void Cifrar(const EstadoBlowfish& e, std::uint32_t& izquierda, std::uint32_t& derecha)
{
    const std::uint32_t* P = e.P;
    std::uint32_t a = izquierda ^ P[0];
    std::uint32_t b = derecha;
    b ^= F(e, a) ^ P[1];
    a ^= F(e, b) ^ P[2];
    b ^= F(e, a) ^ P[3];
    a ^= F(e, b) ^ P[4];
    b ^= F(e, a) ^ P[5];
    a ^= F(e, b) ^ P[6];
    b ^= F(e, a) ^ P[7];
    a ^= F(e, b) ^ P[8];
    b ^= F(e, a) ^ P[9];
    a ^= F(e, b) ^ P[10];
    b ^= F(e, a) ^ P[11];
    a ^= F(e, b) ^ P[12];
    b ^= F(e, a) ^ P[13];
    a ^= F(e, b) ^ P[14];
    b ^= F(e, a) ^ P[15];
    a ^= F(e, b) ^ P[16];
    izquierda = b ^ P[17];
    derecha = a;
}

inline void Descifrar(const EstadoBlowfish& e, std::uint32_t& izquierda, std::uint32_t& derecha)
{
    const std::uint32_t* P = e.P;
    std::uint32_t a = izquierda ^ P[17];
    std::uint32_t b = derecha;
    b ^= F(e, a) ^ P[16];
    a ^= F(e, b) ^ P[15];
    b ^= F(e, a) ^ P[14];
    a ^= F(e, b) ^ P[13];
    b ^= F(e, a) ^ P[12];
    a ^= F(e, b) ^ P[11];
    b ^= F(e, a) ^ P[10];
    a ^= F(e, b) ^ P[9];
    b ^= F(e, a) ^ P[8];
    a ^= F(e, b) ^ P[7];
    b ^= F(e, a) ^ P[6];
    a ^= F(e, b) ^ P[5];
    b ^= F(e, a) ^ P[4];
    a ^= F(e, b) ^ P[3];
    b ^= F(e, a) ^ P[2];
    a ^= F(e, b) ^ P[1];
    izquierda = b ^ P[0];
    derecha = a;
}

inline std::uint32_t Cargar(const std::uint8_t* p)
{
    return WordFromBytes(p[0], p[1], p[2], p[3]);
}

inline void Guardar(std::uint8_t* p, std::uint32_t w)
{
    p[0] = std::uint8_t(w >> 24);
    p[1] = std::uint8_t(w >> 16);
    p[2] = std::uint8_t(w >> 8);
    p[3] = std::uint8_t(w);
}

void Planificar(EstadoBlowfish& e, const std::uint8_t* clave, std::size_t longitud)
{
    std::memcpy(e.P, kBlowfishPInicial, sizeof e.P);
    std::memcpy(e.S, kBlowfishSInicial, sizeof e.S);
    // The key bytes cycle through all 72 bytes of the P-array; the position
    // runs on from one entry to the next.
    std::size_t j = 0;
    for (int i = 0; i < 18; ++i) {
        std::uint32_t d = 0;
        for (int k = 0; k < 4; ++k) {
            d = WordShiftLeft8(d) | clave[j];
            if (++j == longitud)
                j = 0;
        }
        e.P[i] ^= d;
    }
    std::uint32_t l = 0, r = 0;
    for (int i = 0; i < 18; i += 2) {
        Cifrar(e, l, r);
        e.P[i] = l;
        e.P[i + 1] = r;
    }
    for (auto& caja : e.S) {
        for (int i = 0; i < 256; i += 2) {
            Cifrar(e, l, r);
            caja[i] = l;
            caja[i + 1] = r;
        }
    }
}

} // namespace

void BlowfishInitTables()
{
    std::memcpy(g_estado.P, kBlowfishPInicial, sizeof g_estado.P);
    std::memcpy(g_estado.S, kBlowfishSInicial, sizeof g_estado.S);
}

bool BlowfishSetKey(const std::uint8_t* clave, std::size_t longitud)
{
    // An empty key has no bytes to mix in: refused like one that is too long.
    if (longitud == 0 || longitud > 56 || clave == nullptr)
        return false;
    if (g_guardada.valida && g_guardada.longitud == longitud && std::memcmp(g_guardada.clave, clave, longitud) == 0) {
        g_estado = g_guardada.estado;
        return true;
    }
    Planificar(g_estado, clave, longitud);
    ++g_planificaciones;
    g_guardada.valida = true;
    g_guardada.longitud = longitud;
    std::memcpy(g_guardada.clave, clave, longitud);
    g_guardada.estado = g_estado;
    return true;
}

bool BlowfishSetKey(std::string_view clave)
{
    return BlowfishSetKey(reinterpret_cast<const std::uint8_t*>(clave.data()), clave.size());
}

void BlowfishEncipherBlock(std::uint32_t& izquierda, std::uint32_t& derecha)
{
    Cifrar(g_estado, izquierda, derecha);
}

void BlowfishDecipherBlock(std::uint32_t& izquierda, std::uint32_t& derecha)
{
    Descifrar(g_estado, izquierda, derecha);
}

void BlowfishEncipherWords(std::uint32_t* palabras, std::size_t cuenta)
{
    for (std::size_t i = 0; i + 1 < cuenta; i += 2)
        Cifrar(g_estado, palabras[i], palabras[i + 1]);
}

void BlowfishDecipherWords(std::uint32_t* palabras, std::size_t cuenta)
{
    for (std::size_t i = 0; i + 1 < cuenta; i += 2)
        Descifrar(g_estado, palabras[i], palabras[i + 1]);
}

// Blocks are independent, so several go through the rounds side by side: the
// table look-ups of one block fill the waits of the others.
template <int N, bool Cifrando>
inline void VariosBloques(const EstadoBlowfish& e, std::uint8_t* datos)
{
    const std::uint32_t* P = e.P;
    std::uint32_t a[N], b[N];
    for (int j = 0; j < N; ++j) {
        a[j] = Cargar(datos + 8 * j) ^ P[Cifrando ? 0 : 17];
        b[j] = Cargar(datos + 8 * j + 4);
    }
#pragma GCC unroll 16
    for (int i = 1; i < 17; i += 2) {
        const std::uint32_t p1 = P[Cifrando ? i : 17 - i], p2 = P[Cifrando ? i + 1 : 16 - i];
#pragma GCC unroll 8
        for (int j = 0; j < N; ++j)
            b[j] ^= F(e, a[j]) ^ p1;
#pragma GCC unroll 8
        for (int j = 0; j < N; ++j)
            a[j] ^= F(e, b[j]) ^ p2;
    }
    for (int j = 0; j < N; ++j) {
        Guardar(datos + 8 * j, b[j] ^ P[Cifrando ? 17 : 0]);
        Guardar(datos + 8 * j + 4, a[j]);
    }
}

template <bool Cifrando>
void Bloques(std::uint8_t* datos, std::size_t bloques)
{
    constexpr int kJuntos = 4;
    const EstadoBlowfish& e = g_estado;
    for (; bloques >= kJuntos; bloques -= kJuntos, datos += 8 * kJuntos)
        VariosBloques<kJuntos, Cifrando>(e, datos);
    for (; bloques > 0; --bloques, datos += 8)
        VariosBloques<1, Cifrando>(e, datos);
}

void BlowfishEncipherBytes(std::uint8_t* datos, std::size_t bloques)
{
    Bloques<true>(datos, bloques);
}

void BlowfishDecipherBytes(std::uint8_t* datos, std::size_t bloques)
{
    Bloques<false>(datos, bloques);
}

std::uint32_t BlowfishF(std::uint32_t x)
{
    return F(g_estado, x);
}

const EstadoBlowfish& BlowfishEstado()
{
    return g_estado;
}

std::uint64_t BlowfishPlanificaciones()
{
    return g_planificaciones;
}

} // namespace tesedra
