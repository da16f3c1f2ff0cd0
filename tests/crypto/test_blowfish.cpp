// Blowfish: initial tables, published vectors, key schedule rules, packing.
#include "Vectores.h"
#include "crypto/Blowfish.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

using namespace tesedra;

namespace {

std::uint8_t* B(std::string& s) { return reinterpret_cast<std::uint8_t*>(s.data()); }

// Enciphers one 8-byte block through the word interface, the way the record
// cipher packs bytes.
std::string CifrarBloque(const std::string& claro)
{
    std::uint32_t w[2] = {
        WordFromBytes(claro[0], claro[1], claro[2], claro[3]),
        WordFromBytes(claro[4], claro[5], claro[6], claro[7]),
    };
    BlowfishEncipherWords(w, 2);
    std::string salida;
    for (std::uint32_t p : w)
        for (std::uint8_t b : WordToBytes(p))
            salida.push_back(static_cast<char>(b));
    return salida;
}

std::string DescifrarBloque(std::string bloque)
{
    BlowfishDecipherBytes(B(bloque), 1);
    return bloque;
}

bool MismoEstado(const EstadoBlowfish& a, const EstadoBlowfish& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

void ComprobarFichero(const char* fichero, std::size_t minimo)
{
    const auto filas = prueba::LeerVectores(fichero);
    ASSERT_GE(filas.size(), minimo);
    for (const auto& f : filas) {
        ASSERT_EQ(f.size(), 3u);
        const std::string clave = prueba::DeHex(f[0]);
        const std::string claro = prueba::DeHex(f[1]);
        const std::string cifrado = prueba::DeHex(f[2]);
        ASSERT_TRUE(BlowfishSetKey(clave)) << f[0];
        EXPECT_EQ(CifrarBloque(claro), cifrado) << fichero << ": " << f[0] << " " << f[1];
        EXPECT_EQ(DescifrarBloque(cifrado), claro) << fichero << ": " << f[0] << " " << f[2];
    }
}

} // namespace

TEST(Blowfish, InitialTablesAreTheDigitsOfPi)
{
    EXPECT_EQ(kBlowfishPInicial[0], 0x243F6A88u);
    EXPECT_EQ(kBlowfishPInicial[1], 0x85A308D3u);
    EXPECT_EQ(kBlowfishPInicial[17], 0x8979FB1Bu);
    EXPECT_EQ(kBlowfishSInicial[0][0], 0xD1310BA6u);
    EXPECT_EQ(kBlowfishSInicial[0][1], 0x98DFB5ACu);
    EXPECT_EQ(kBlowfishSInicial[1][0], 0x4B7A70E9u);
    EXPECT_EQ(kBlowfishSInicial[2][0], 0xE93D5A68u);
    EXPECT_EQ(kBlowfishSInicial[3][0], 0x3A39CE37u);
    EXPECT_EQ(kBlowfishSInicial[3][255], 0x3AC372E6u);
    for (auto p : kBlowfishPInicial)
        EXPECT_NE(p, 0u);
    for (const auto& caja : kBlowfishSInicial)
        for (auto s : caja)
            EXPECT_NE(s, 0u);

    ASSERT_TRUE(BlowfishSetKey("clave"));
    BlowfishInitTables();
    EXPECT_EQ(std::memcmp(BlowfishEstado().P, kBlowfishPInicial, sizeof kBlowfishPInicial), 0);
    EXPECT_EQ(std::memcmp(BlowfishEstado().S, kBlowfishSInicial, sizeof kBlowfishSInicial), 0);
    // The round function over the initial tables, worked by hand from the
    // first entry of each box: ((D1310BA6 + 4B7A70E9) ^ E93D5A68) + 3A39CE37.
    EXPECT_EQ(BlowfishF(0), 0x2FCFF51Eu);
}

TEST(Blowfish, PublishedEcbVectors) { ComprobarFichero("blowfish_ecb.txt", 34); }

TEST(Blowfish, PublishedVariableKeyLengthVectors) { ComprobarFichero("blowfish_setkey.txt", 24); }

TEST(Blowfish, RefusedKeyLengthsKeepThePreviousKey)
{
    ASSERT_TRUE(BlowfishSetKey("previa"));
    const std::string claro = "12345678";
    const std::string esperado = CifrarBloque(claro);
    const EstadoBlowfish antes = BlowfishEstado();

    const std::string larga(57, 'k');
    EXPECT_FALSE(BlowfishSetKey(larga));
    EXPECT_TRUE(MismoEstado(BlowfishEstado(), antes));
    EXPECT_FALSE(BlowfishSetKey(std::string_view()));
    EXPECT_FALSE(BlowfishSetKey(reinterpret_cast<const std::uint8_t*>("x"), 0));
    EXPECT_FALSE(BlowfishSetKey(nullptr, 8));
    EXPECT_TRUE(MismoEstado(BlowfishEstado(), antes));
    EXPECT_EQ(CifrarBloque(claro), esperado);
}

TEST(Blowfish, FiftySixByteKeyUsesEveryByte)
{
    std::string clave(56, '\0');
    for (int i = 0; i < 56; ++i)
        clave[i] = static_cast<char>(i * 7 + 1);
    ASSERT_TRUE(BlowfishSetKey(clave));
    const std::string base = CifrarBloque("ABCDEFGH");
    for (int i : {0, 17, 54, 55}) {
        std::string otra = clave;
        otra[i] ^= 0x01;
        ASSERT_TRUE(BlowfishSetKey(otra));
        EXPECT_NE(CifrarBloque("ABCDEFGH"), base) << "byte " << i << " of the key is not used";
    }
}

TEST(Blowfish, ShortKeyRepeatsThroughAllKeyBytes)
{
    // A key cycles through the 72 key bytes, so one byte and 56 copies of it,
    // or a 35-byte key and the same bytes set twice over 56, schedule alike.
    ASSERT_TRUE(BlowfishSetKey("\xA5"));
    const EstadoBlowfish uno = BlowfishEstado();
    ASSERT_TRUE(BlowfishSetKey(std::string(56, '\xA5')));
    EXPECT_TRUE(MismoEstado(BlowfishEstado(), uno));

    ASSERT_TRUE(BlowfishSetKey("abcd"));
    const EstadoBlowfish cuatro = BlowfishEstado();
    ASSERT_TRUE(BlowfishSetKey("abcdabcdabcd"));
    EXPECT_TRUE(MismoEstado(BlowfishEstado(), cuatro));
    ASSERT_TRUE(BlowfishSetKey("abcdabcdabc"));
    EXPECT_FALSE(MismoEstado(BlowfishEstado(), cuatro));
}

TEST(Blowfish, SettingAKeyAgainGivesTheSameStateWithoutRescheduling)
{
    ASSERT_TRUE(BlowfishSetKey("primera clave"));
    const EstadoBlowfish primera = BlowfishEstado();
    const std::string cifrado = CifrarBloque("bloque01");

    const auto antes = BlowfishPlanificaciones();
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(BlowfishSetKey("primera clave"));
    EXPECT_EQ(BlowfishPlanificaciones(), antes);
    EXPECT_TRUE(MismoEstado(BlowfishEstado(), primera));

    // After the tables were reset or another key was set, the same key still
    // yields exactly its own state.
    BlowfishInitTables();
    ASSERT_TRUE(BlowfishSetKey("primera clave"));
    EXPECT_TRUE(MismoEstado(BlowfishEstado(), primera));
    ASSERT_TRUE(BlowfishSetKey("segunda clave"));
    EXPECT_EQ(BlowfishPlanificaciones(), antes + 1);
    EXPECT_NE(CifrarBloque("bloque01"), cifrado);
    ASSERT_TRUE(BlowfishSetKey("primera clave"));
    EXPECT_EQ(BlowfishPlanificaciones(), antes + 2);
    EXPECT_TRUE(MismoEstado(BlowfishEstado(), primera));
    EXPECT_EQ(CifrarBloque("bloque01"), cifrado);

    // A key of the same length differing in one byte is not taken for it.
    ASSERT_TRUE(BlowfishSetKey("primera clavE"));
    EXPECT_FALSE(MismoEstado(BlowfishEstado(), primera));
}

TEST(Blowfish, DecipherUndoesEncipher)
{
    std::mt19937 azar(1234);
    for (int ronda = 0; ronda < 50; ++ronda) {
        std::string clave(1 + azar() % 56, '\0');
        for (auto& c : clave)
            c = static_cast<char>(azar());
        ASSERT_TRUE(BlowfishSetKey(clave));
        std::uint32_t l = azar(), r = azar();
        const std::uint32_t l0 = l, r0 = r;
        BlowfishEncipherBlock(l, r);
        EXPECT_FALSE(l == l0 && r == r0);
        BlowfishDecipherBlock(l, r);
        EXPECT_EQ(l, l0);
        EXPECT_EQ(r, r0);
    }
}

TEST(Blowfish, WordArraysAreCodeBook)
{
    ASSERT_TRUE(BlowfishSetKey("libro"));
    std::uint32_t w[7] = {1, 2, 1, 2, 3, 4, 0xDEADBEEF};
    BlowfishEncipherWords(w, 0);
    EXPECT_EQ(w[0], 1u);
    EXPECT_EQ(w[1], 2u);

    BlowfishEncipherWords(w, 7); // the odd last word is not a block
    EXPECT_EQ(w[0], w[2]);
    EXPECT_EQ(w[1], w[3]);
    EXPECT_NE(w[0], 1u);
    EXPECT_EQ(w[6], 0xDEADBEEFu);
    std::uint32_t l = 3, r = 4;
    BlowfishEncipherBlock(l, r);
    EXPECT_EQ(w[4], l);
    EXPECT_EQ(w[5], r);

    BlowfishDecipherWords(w, 7);
    const std::uint32_t esperado[7] = {1, 2, 1, 2, 3, 4, 0xDEADBEEF};
    EXPECT_EQ(std::memcmp(w, esperado, sizeof w), 0);

    // The byte interface packs big-endian words, first four bytes on the left.
    std::string bytes = "\x01\x02\x03\x04\x05\x06\x07\x08";
    BlowfishEncipherBytes(B(bytes), 1);
    std::uint32_t p[2] = {0x01020304, 0x05060708};
    BlowfishEncipherWords(p, 2);
    EXPECT_EQ(WordFromBytes(bytes[0], bytes[1], bytes[2], bytes[3]), p[0]);
    EXPECT_EQ(WordFromBytes(bytes[4], bytes[5], bytes[6], bytes[7]), p[1]);
}

TEST(Blowfish, WordHelpers)
{
    EXPECT_EQ(WordToBytes(0x80000000u), (std::array<std::uint8_t, 4>{128, 0, 0, 0}));
    EXPECT_EQ(WordToBytes(0x0102A0FFu), (std::array<std::uint8_t, 4>{1, 2, 0xA0, 0xFF}));
    EXPECT_EQ(WordFromBytes(255, 255, 255, 255), 0xFFFFFFFFu);
    EXPECT_EQ(WordFromBytes(0x12, 0x34, 0x56, 0x78), 0x12345678u);
    EXPECT_EQ(WordShiftLeft8(0xFF345678u), 0x34567800u);
    EXPECT_EQ(WordAdd(0xFFFFFFFFu, 1u), 0u);
    EXPECT_EQ(WordAdd(0x80000000u, 0x80000005u), 5u);
}
