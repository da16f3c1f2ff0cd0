// SHA-256: published vectors, block boundaries and the form of the result.
#include "Vectores.h"
#include "crypto/CSHA256.h"

#include <gtest/gtest.h>

#include <random>

using namespace tesedra;

namespace {

std::string HexPortable(const std::string& m)
{
    std::string hex(64, '\0');
    Sha256Hex(Sha256BytesPortable(m.data(), m.size()), hex.data());
    return hex;
}

void ComprobarFichero(const char* fichero, std::size_t minimo)
{
    const auto filas = prueba::LeerVectores(fichero);
    ASSERT_GE(filas.size(), minimo);
    CSHA256 sha;
    for (const auto& f : filas) {
        ASSERT_EQ(f.size(), 3u);
        const std::string trozo = prueba::DeHex(f[1]);
        std::string mensaje;
        for (long i = std::stol(f[0]); i > 0; --i)
            mensaje += trozo;
        const std::string corto = f[1].size() > 40 ? f[1].substr(0, 40) + "..." : f[1];
        EXPECT_EQ(sha.SHA256(mensaje), f[2]) << fichero << ": " << f[0] << " x " << corto;
        EXPECT_EQ(HexPortable(mensaje), f[2]) << fichero << " (portable): " << f[0] << " x " << corto;
    }
}

bool SoloHexMinuscula(const std::string& s)
{
    for (char c : s)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    return true;
}

} // namespace

TEST(Sha256, Fips180Examples) { ComprobarFichero("sha256_fips180_2.txt", 3); }
TEST(Sha256, CavsExtraVectors) { ComprobarFichero("sha256_cavs_extra.txt", 7); }
TEST(Sha256, CavpShortMessages) { ComprobarFichero("sha256_shortmsg.txt", 65); }
TEST(Sha256, CavpLongMessages) { ComprobarFichero("sha256_longmsg.txt", 64); }

TEST(Sha256, BlockBoundaries)
{
    // 55 bytes pad into one block, 56 need two; 119 fit two, 120 need three.
    const struct {
        std::size_t n;
        const char* resumen;
    } casos[] = {
        {55, "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318"},
        {56, "b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a"},
        {119, "31eba51c313a5c08226adf18d4a359cfdfd8d2e816b13f4af952f7ea6584dcfb"},
        {120, "2f3d335432c70b580af0e8e1b3674a7c020d683aa5f73aaaedfdc55af904c21c"},
    };
    CSHA256 sha;
    for (const auto& c : casos) {
        const std::string m(c.n, 'a');
        EXPECT_EQ(sha.SHA256(m), c.resumen) << c.n;
        EXPECT_EQ(HexPortable(m), c.resumen) << c.n;
    }
}

TEST(Sha256, SingleByteTextsDigestTheirBytes)
{
    CSHA256 sha;
    EXPECT_EQ(sha.SHA256("\xF1"), "d4f09e5c5af99a24c7e304ca7997d26cb00901697de08a49be0d46ab5839b614");
    EXPECT_EQ(sha.SHA256("\xBF\xF1\xE1"), "2d0818e85d36ddce18ed381fce424d1e85c13c8eb6d450f5255ba4958cb8ece8");
    EXPECT_EQ(sha.SHA256(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    // A zero byte is a byte like any other, not the end of the text.
    EXPECT_NE(sha.SHA256(std::string("a\0b", 3)), sha.SHA256("a"));
    // One instance serves any number of calls, in any order.
    const std::string abc = sha.SHA256("abc");
    sha.SHA256(std::string(1000, 'x'));
    EXPECT_EQ(sha.SHA256("abc"), abc);
    EXPECT_EQ(CSHA256().SHA256("abc"), abc);
}

TEST(Sha256, EveryResultIsSixtyFourLowerCaseDigits)
{
    CSHA256 sha;
    std::string m;
    for (int n = 0; n <= 300; ++n) {
        const std::string r = sha.SHA256(m);
        EXPECT_EQ(r.size(), 64u) << n;
        EXPECT_TRUE(SoloHexMinuscula(r)) << n << ": " << r;
        m.push_back(static_cast<char>(n * 31 + 7));
    }
}

TEST(Sha256, AcceleratedAndPortableRoundsAgree)
{
    // On a processor without SHA instructions both paths are the portable one;
    // the published vectors above check each against known digests anyway.
    std::mt19937 azar(99);
    std::string m;
    for (int n = 0; n < 2000; n += 1 + static_cast<int>(azar() % 13)) {
        m.resize(n);
        for (auto& c : m)
            c = static_cast<char>(azar());
        const auto a = Sha256Bytes(m);
        const auto p = Sha256BytesPortable(m.data(), m.size());
        ASSERT_EQ(a, p) << "length " << n;
    }
}
