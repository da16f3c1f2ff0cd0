// Blowfish and SHA-256 against OpenSSL's libcrypto, the independent reference, on
// random keys and data of every key length and of every message length up to 300
// bytes and beyond, and the key-state rules of the process-wide Blowfish state.
#include "crypto/Blowfish.h"
#include "crypto/CSHA256.h"

#include <openssl/blowfish.h>
#include <openssl/sha.h>

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

using namespace tesedra;

namespace {

std::string Azar(std::mt19937& azar, std::size_t n)
{
    std::string s(n, '\0');
    for (auto& c : s)
        c = static_cast<char>(azar());
    return s;
}

const unsigned char* U(const std::string& s)
{
    return reinterpret_cast<const unsigned char*>(s.data());
}
std::uint8_t* B(std::string& s)
{
    return reinterpret_cast<std::uint8_t*>(s.data());
}

std::string Hex(const ResumenSha256& r)
{
    std::string hex(64, '\0');
    Sha256Hex(r, hex.data());
    return hex;
}

bool MismoEstado(const EstadoBlowfish& a, const EstadoBlowfish& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

TEST(BlowfishAgainstOpenSsl, EveryKeyLengthAndBufferSizeThroughEachInterface)
{
    std::mt19937 azar(20240601);
    for (int ronda = 0; ronda < 560; ++ronda) {
        const std::string clave = Azar(azar, 1 + ronda % 56);
        const std::size_t bloques = ronda % 10;
        SCOPED_TRACE(testing::Message() << "key of " << clave.size() << " bytes, " << bloques << " blocks");
        BF_KEY ref;
        BF_set_key(&ref, static_cast<int>(clave.size()), U(clave));
        ASSERT_TRUE(BlowfishSetKey(clave));

        // Three bytes past the blocks, and an odd last word, stay as they are.
        const std::string claro = Azar(azar, 8 * bloques + 3);
        std::string esperado = claro;
        for (std::size_t i = 0; i < bloques; ++i)
            BF_ecb_encrypt(U(claro) + 8 * i, B(esperado) + 8 * i, &ref, BF_ENCRYPT);

        std::string bytes = claro;
        BlowfishEncipherBytes(B(bytes), bloques);
        EXPECT_EQ(bytes, esperado);
        BlowfishDecipherBytes(B(bytes), bloques);
        EXPECT_EQ(bytes, claro);

        // The same through words: big-endian, the first four bytes the left word.
        auto Palabra = [](const std::string& s, std::size_t i) {
            return WordFromBytes(s[4 * i], s[4 * i + 1], s[4 * i + 2], s[4 * i + 3]);
        };
        std::vector<std::uint32_t> palabras(2 * bloques + 1, 0xDEADBEEF);
        for (std::size_t i = 0; i < 2 * bloques; ++i)
            palabras[i] = Palabra(claro, i);
        BlowfishEncipherWords(palabras.data(), palabras.size());
        for (std::size_t i = 0; i < 2 * bloques; ++i)
            EXPECT_EQ(palabras[i], Palabra(esperado, i)) << i;
        EXPECT_EQ(palabras.back(), 0xDEADBEEFu);
        BlowfishDecipherWords(palabras.data(), palabras.size());
        for (std::size_t i = 0; i < 2 * bloques; ++i)
            EXPECT_EQ(palabras[i], Palabra(claro, i)) << i;
        if (bloques > 0) {
            BlowfishEncipherBlock(palabras[0], palabras[1]);
            EXPECT_EQ(WordToBytes(palabras[0])[0], static_cast<std::uint8_t>(esperado[0]));
            EXPECT_EQ(WordToBytes(palabras[1])[3], static_cast<std::uint8_t>(esperado[7]));
            BlowfishDecipherBlock(palabras[0], palabras[1]);
            EXPECT_EQ(palabras[1], Palabra(claro, 1));
        }
    }
}

TEST(Sha256AgainstOpenSsl, EveryLengthUpTo300AndLongMessagesBothWays)
{
    std::mt19937 azar(77);
    std::vector<std::size_t> largos;
    for (std::size_t n = 0; n <= 300; ++n)
        largos.push_back(n);
    largos.insert(largos.end(), {4095, 4096, 65536 + 17, 1000003});
    for (std::size_t n : largos) {
        SCOPED_TRACE(n);
        const std::string m = Azar(azar, n);
        ResumenSha256 esperado;
        SHA256(U(m), m.size(), esperado.data());
        EXPECT_EQ(Sha256Bytes(m), esperado);
        EXPECT_EQ(Sha256BytesPortable(m.data(), m.size()), esperado);
        EXPECT_EQ(CSHA256().SHA256(m), Hex(esperado));
    }
}

TEST(BlowfishKeyState, RefusedKeysKeepTheStateAndARepeatedKeyIsRestoredNotRescheduled)
{
    ASSERT_TRUE(BlowfishSetKey("primera clave"));
    const EstadoBlowfish primera = BlowfishEstado();
    EXPECT_FALSE(BlowfishSetKey(std::string(57, 'k')));
    EXPECT_FALSE(BlowfishSetKey(std::string_view("x", 0)));
    EXPECT_FALSE(BlowfishSetKey(nullptr, 8));
    EXPECT_TRUE(MismoEstado(BlowfishEstado(), primera));

    BlowfishInitTables();
    EXPECT_EQ(std::memcmp(BlowfishEstado().P, kBlowfishPInicial, sizeof kBlowfishPInicial), 0);
    EXPECT_EQ(std::memcmp(BlowfishEstado().S, kBlowfishSInicial, sizeof kBlowfishSInicial), 0);
    // Worked by hand from the first entry of each box: ((D1310BA6 + 4B7A70E9) ^ E93D5A68) + 3A39CE37.
    EXPECT_EQ(BlowfishF(0), 0x2FCFF51Eu);

    const auto antes = BlowfishPlanificaciones();
    ASSERT_TRUE(BlowfishSetKey("primera clave"));
    EXPECT_EQ(BlowfishPlanificaciones(), antes);
    EXPECT_TRUE(MismoEstado(BlowfishEstado(), primera));
    // Same length, last byte different: scheduled anew, then the first again.
    ASSERT_TRUE(BlowfishSetKey("primera clavE"));
    EXPECT_FALSE(MismoEstado(BlowfishEstado(), primera));
    ASSERT_TRUE(BlowfishSetKey("primera clave"));
    EXPECT_EQ(BlowfishPlanificaciones(), antes + 2);
    EXPECT_TRUE(MismoEstado(BlowfishEstado(), primera));
    EXPECT_EQ(WordAdd(0xFFFFFFFFu, 2u), 1u);
}
