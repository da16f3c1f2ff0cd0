// Differential checks against OpenSSL's libcrypto on random keys and data.
#include "crypto/Blowfish.h"
#include "crypto/CSHA256.h"
#include "crypto/Cripto.h"

#include <openssl/blowfish.h>
#include <openssl/sha.h>

#include <gtest/gtest.h>

#include <cstring>
#include <random>

using namespace tesedra;

namespace {

std::string Azar(std::mt19937& azar, std::size_t n)
{
    std::string s(n, '\0');
    for (auto& c : s)
        c = static_cast<char>(azar());
    return s;
}

const unsigned char* U(const std::string& s) { return reinterpret_cast<const unsigned char*>(s.data()); }

ResumenSha256 ShaOpenSsl(const std::string& m)
{
    ResumenSha256 r;
    SHA256(U(m), m.size(), r.data());
    return r;
}

} // namespace

TEST(ContraOpenSsl, BlowfishRandomKeysAndBlocks)
{
    std::mt19937 azar(20240601);
    for (int ronda = 0; ronda < 3000; ++ronda) {
        const std::string clave = Azar(azar, 1 + ronda % 56);
        BF_KEY ref;
        BF_set_key(&ref, static_cast<int>(clave.size()), U(clave));
        ASSERT_TRUE(BlowfishSetKey(clave));
        for (int b = 0; b < 4; ++b) {
            const std::string claro = Azar(azar, 8);
            unsigned char esperado[8];
            BF_ecb_encrypt(U(claro), esperado, &ref, BF_ENCRYPT);
            std::string propio = claro;
            BlowfishEncipherBytes(reinterpret_cast<std::uint8_t*>(propio.data()), 1);
            ASSERT_EQ(std::memcmp(propio.data(), esperado, 8), 0) << "key length " << clave.size();

            unsigned char vuelta[8];
            BF_ecb_encrypt(esperado, vuelta, &ref, BF_DECRYPT);
            BlowfishDecipherBytes(reinterpret_cast<std::uint8_t*>(propio.data()), 1);
            ASSERT_EQ(std::memcmp(propio.data(), vuelta, 8), 0);
            ASSERT_EQ(propio, claro);
        }
    }
}

TEST(ContraOpenSsl, BlowfishBuffersOfManyBlocks)
{
    // Buffers go through several blocks side by side; every count of blocks
    // and every position must still match block-by-block ECB.
    std::mt19937 azar(31337);
    for (std::size_t bloques = 0; bloques <= 40; ++bloques) {
        const std::string clave = Azar(azar, 1 + azar() % 56);
        BF_KEY ref;
        BF_set_key(&ref, static_cast<int>(clave.size()), U(clave));
        ASSERT_TRUE(BlowfishSetKey(clave));
        const std::string claro = Azar(azar, 8 * bloques + 3); // 3 bytes past the blocks stay put
        std::string esperado = claro;
        for (std::size_t i = 0; i < bloques; ++i)
            BF_ecb_encrypt(U(claro) + 8 * i, reinterpret_cast<unsigned char*>(esperado.data()) + 8 * i, &ref,
                           BF_ENCRYPT);
        std::string propio = claro;
        BlowfishEncipherBytes(reinterpret_cast<std::uint8_t*>(propio.data()), bloques);
        ASSERT_EQ(propio, esperado) << bloques << " blocks";
        BlowfishDecipherBytes(reinterpret_cast<std::uint8_t*>(propio.data()), bloques);
        ASSERT_EQ(propio, claro) << bloques << " blocks";
    }
}

TEST(ContraOpenSsl, RecordCipherBlocksUnderTheRecordKey)
{
    // The sealed text's cipher part is OpenSSL's ECB output of the padded
    // text and its digest under the record key.
    const std::string& clave = ClaveRegistro();
    BF_KEY ref;
    BF_set_key(&ref, static_cast<int>(clave.size()), U(clave));
    std::mt19937 azar(5);
    for (std::size_t n = 0; n < 64; n += 5) {
        const std::string t = Azar(azar, n);
        std::string sellado;
        ASSERT_TRUE(CifrarRegistro(t, sellado));
        std::string claro = t + ";" + CSHA256().SHA256(t);
        const std::size_t k = 8 - claro.size() % 8;
        claro.append(k, static_cast<char>(k));
        std::string hex;
        for (std::size_t i = 0; i < claro.size(); i += 8) {
            unsigned char c[8];
            BF_ecb_encrypt(U(claro) + i, c, &ref, BF_ENCRYPT);
            char dos[3];
            for (unsigned char b : c) {
                std::snprintf(dos, sizeof dos, "%02X", b);
                hex += dos;
            }
        }
        EXPECT_EQ(sellado.substr(0, sellado.find('#')), hex) << n;
    }
}

TEST(ContraOpenSsl, Sha256EveryLengthUpTo300AndLongMessages)
{
    std::mt19937 azar(77);
    for (std::size_t n = 0; n <= 300; ++n) {
        for (int r = 0; r < 3; ++r) {
            const std::string m = Azar(azar, n);
            const ResumenSha256 esperado = ShaOpenSsl(m);
            ASSERT_EQ(Sha256Bytes(m), esperado) << n;
            ASSERT_EQ(Sha256BytesPortable(m.data(), m.size()), esperado) << n;
        }
    }
    for (std::size_t n : {1000u, 4095u, 4096u, 65536u + 17u, 1000003u}) {
        const std::string m = Azar(azar, n);
        const ResumenSha256 esperado = ShaOpenSsl(m);
        EXPECT_EQ(Sha256Bytes(m), esperado) << n;
        EXPECT_EQ(Sha256BytesPortable(m.data(), m.size()), esperado) << n;
        std::string hex(64, '\0');
        Sha256Hex(esperado, hex.data());
        EXPECT_EQ(CSHA256().SHA256(m), hex) << n;
    }
}
