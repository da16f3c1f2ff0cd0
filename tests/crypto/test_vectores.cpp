// Blowfish and SHA-256 against the published test vectors: the reference that needs
// no other library, so it runs on every platform (test_crypto also compares with
// OpenSSL on Linux).
#include "crypto/Blowfish.h"
#include "crypto/CSHA256.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using namespace tesedra;

namespace {

std::string Bytes(const std::string& hex)
{
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

// Eric Young's Blowfish ECB vectors (key, plain text, cipher text).
TEST(BlowfishVectores, EncipherAndDecipherTheBlock)
{
    const std::tuple<const char*, const char*, const char*> vectores[] = {
        {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
        {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "51866FD5B85ECB8A"},
        {"3000000000000000", "1000000000000001", "7D856F9A613063F2"},
        {"1111111111111111", "1111111111111111", "2466DD878B963C9D"},
        {"0123456789ABCDEF", "1111111111111111", "61F9C3802281B096"},
        {"FEDCBA9876543210", "0123456789ABCDEF", "0ACEAB0FC6A0A28D"},
        {"7CA110454A1A6E57", "01A1D6D039776742", "59C68245EB05282B"},
    };
    for (const auto& [clave, claro, cifrado] : vectores) {
        SCOPED_TRACE(clave);
        ASSERT_TRUE(BlowfishSetKey(Bytes(clave)));
        std::string bloque = Bytes(claro);
        BlowfishEncipherBytes(reinterpret_cast<std::uint8_t*>(bloque.data()), 1);
        EXPECT_EQ(bloque, Bytes(cifrado));
        BlowfishDecipherBytes(reinterpret_cast<std::uint8_t*>(bloque.data()), 1);
        EXPECT_EQ(bloque, Bytes(claro));
    }
}

// The FIPS 180-2 examples, and a message longer than a block's padding room.
TEST(Sha256Vectores, PublishedDigests)
{
    const std::tuple<std::string, const char*> casos[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& [mensaje, resumen] : casos) {
        SCOPED_TRACE(mensaje.substr(0, 20));
        EXPECT_EQ(CSHA256().SHA256(mensaje), resumen);
    }
}

} // namespace
