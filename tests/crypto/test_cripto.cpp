// The record cipher against OpenSSL's Blowfish and SHA-256 under the record key
// written out below: records sealed here open in the product and the other way
// round; then the failure cases of opening (both digests checked), line digests and
// hexadecimal.
#include "crypto/Blowfish.h"
#include "crypto/Cripto.h"

#include <openssl/blowfish.h>
#include <openssl/sha.h>

#include <gtest/gtest.h>

#include <cstdio>

using namespace tesedra;

namespace {

const std::string kAlterado = "--Registro incorrecto --;NOK";
const std::string kIlegible = "-- Registro incorrecto --;NOK";
// The 35 bytes of the record key.
const char kClaveHex[] = "4D5A5256213139363877504C4B556A48475459426E4D45525735383137322828BF3339";

const unsigned char* U(const std::string& s)
{
    return reinterpret_cast<const unsigned char*>(s.data());
}

std::string Hex(const std::string& bytes, const char* formato = "%02X")
{
    std::string hex;
    char dos[3];
    for (unsigned char b : bytes) {
        std::snprintf(dos, sizeof dos, formato, b);
        hex += dos;
    }
    return hex;
}

std::string Bytes(const std::string& hex)
{
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

std::string Sha(const std::string& s)
{
    unsigned char r[SHA256_DIGEST_LENGTH];
    SHA256(U(s), s.size(), r);
    return Hex(std::string(reinterpret_cast<char*>(r), sizeof r), "%02x");
}

// OpenSSL's ECB over the whole blocks of `bytes` under the record key.
std::string Ecb(const std::string& bytes, int sentido)
{
    const std::string clave = Bytes(kClaveHex);
    BF_KEY k;
    BF_set_key(&k, static_cast<int>(clave.size()), U(clave));
    std::string salida = bytes;
    for (std::size_t i = 0; i + 8 <= bytes.size(); i += 8)
        BF_ecb_encrypt(U(bytes) + i, reinterpret_cast<unsigned char*>(salida.data()) + i, &k, sentido);
    return salida;
}

// A sealed text whose cipher part is exactly `claro` enciphered here.
std::string SellarBytes(const std::string& claro)
{
    const std::string hex = Hex(Ecb(claro, BF_ENCRYPT));
    return hex + "#" + Sha(hex);
}

// The plain text that sealing enciphers: the text, ';' and its digest.
std::string Interior(const std::string& t)
{
    return t + ";" + Sha(t);
}

std::string Rellenar(std::string s)
{
    const std::size_t k = 8 - s.size() % 8;
    return s.append(k, static_cast<char>(k));
}

std::string TextoDePrueba(std::size_t n)
{
    // ASCII, field separators and the Spanish single-byte letters.
    static const std::string letras = "Tel\xE9"
                                      "fono;912345678;Se\xF1"
                                      "al \xBF"
                                      "OK? \xC1\xC9\xCD\xD3\xDA\xD1\xFC\xA1";
    std::string t;
    for (std::size_t i = 0; i < n; ++i)
        t.push_back(letras[(i * 7) % letras.size()]);
    return t;
}

} // namespace

// Sealed here, the record is OpenSSL's cipher of the padded text and its digest under
// the record key, and it opens again (through every padding length, past a block of
// SHA-256 padding room, and long).
TEST(RecordCipher, OpenSslOpensWhatTheProductSeals)
{
    FijarClave("otra clave cualquiera"); // sealing sets the record key itself
    const auto planificaciones = BlowfishPlanificaciones();
    for (std::size_t n = 0; n <= 1000; n += n < 100 ? 1 : 900) {
        SCOPED_TRACE(n);
        const std::string t = TextoDePrueba(n);
        std::string sellado;
        ASSERT_TRUE(CifrarRegistro(t, sellado));
        const std::size_t p = sellado.find('#');
        ASSERT_EQ(p, sellado.size() - 65);
        const std::string hex = sellado.substr(0, p);
        EXPECT_EQ(sellado.substr(p + 1), Sha(hex));
        EXPECT_EQ(Hex(Bytes(hex)), hex) << "not upper-case hexadecimal";
        EXPECT_EQ(Ecb(Bytes(hex), BF_DECRYPT), Rellenar(Interior(t)));
        // The text cipher pads to whole blocks too, under the key sealing left set.
        EXPECT_EQ(BlowfishEncipherText(t), Ecb(Rellenar(t), BF_ENCRYPT));
        EXPECT_EQ(BlowfishDecipherText(Ecb(Rellenar(t), BF_ENCRYPT)), t);

        std::string abierto;
        bool intacto = false;
        EXPECT_TRUE(DescifrarRegistro(sellado, abierto, intacto));
        EXPECT_TRUE(intacto);
        EXPECT_EQ(abierto, t + ";" + Sha(t) + ";OK");
    }
    EXPECT_LE(BlowfishPlanificaciones(), planificaciones + 1) << "the record key is scheduled once";
}

TEST(RecordCipher, OpeningAlteredAndUnreadableTexts)
{
    const std::string t = "912345678;3Com 812;5,5";
    const std::string p = Interior(t);
    const std::string sellado = SellarBytes(Rellenar(p));
    const std::string hex = sellado.substr(0, sellado.find('#'));
    const std::string resumen = sellado.substr(hex.size() + 1);
    std::string minusculas = hex;
    for (char& c : minusculas)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::string mayusculas = Sha(t);
    for (char& c : mayusculas)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const std::string digitoCambiado = (hex[3] == 'A' ? "B" : "A");
    const std::string otroPrimerBloque = Ecb(Bytes(hex.substr(0, 3) + digitoCambiado + hex.substr(4, 12)), BF_DECRYPT);
    // Padding cases over sound inner texts of 71 and 72 bytes: the bytes before the
    // last one of the padding are not looked at.
    const std::string t6 = Interior("ABCDEF"), t7 = Interior("ABCDEFG");
    const std::string relleno = SellarBytes(t6 + "\x01");
    const std::string rellenoHex = relleno.substr(0, relleno.find('#'));
    auto ConResumen = [](const std::string& h) { return h + "#" + Sha(h); };
    auto NoHex = [&](std::size_t pos, char c) {
        std::string h = hex;
        h[pos] = c;
        return h;
    };

    // Each case, the text, the flag before opening, what opens, the result and the flag
    // after. Without a '#' it is not written.
    // A text opens intact only when both the digest of its hexadecimal part and the digest
    // inside the cipher (after the deciphered text's last ';') are right.
    const std::tuple<const char*, std::string, bool, std::string, bool, bool> casos[] = {
        {"outer digest altered", sellado.substr(0, sellado.size() - 1) + (sellado.back() == '0' ? "1" : "0"), true,
         p + kAlterado, false, false},
        {"digest one digit long", sellado + "0", true, p + kAlterado, false, false},
        {"one cipher digit changed", hex.substr(0, 3) + digitoCambiado + hex.substr(4) + "#" + resumen, true,
         otroPrimerBloque + p.substr(8) + kAlterado, false, false},
        {"one cipher digit changed, outer digest made again",
         ConResumen(hex.substr(0, 3) + digitoCambiado + hex.substr(4)), true,
         otroPrimerBloque + p.substr(8) + kAlterado, false, false},
        {"inner digest of another text", SellarBytes(Rellenar(t + ";" + Sha(t + "x"))), true,
         t + ";" + Sha(t + "x") + kAlterado, false, false},
        {"inner digest in upper case", SellarBytes(Rellenar(t + ";" + mayusculas)), true,
         t + ";" + mayusculas + kAlterado, false, false},
        {"inner digest one digit short", SellarBytes(Rellenar(p.substr(0, p.size() - 1))), true,
         p.substr(0, p.size() - 1) + kAlterado, false, false},
        {"no ';' before the inner digest", SellarBytes(Rellenar(Sha(t))), true, Sha(t) + kAlterado, false, false},
        {"lower-case digits, their digest", ConResumen(minusculas), false, p + ";OK", true, true},
        {"lower-case digits, upper-case digest", minusculas + "#" + resumen, true, p + kAlterado, false, false},
        {"no '#', flag clear", hex, false, kIlegible, true, false},
        {"no '#', flag set", hex, true, kIlegible, true, true},
        {"empty", "", true, kIlegible, true, true},
        {"an earlier '#'", "AB#" + sellado, true, kIlegible, true, false},
        {"'G' first", ConResumen(NoHex(0, 'G')), false, kIlegible, true, true},
        {"'g' inside", NoHex(7, 'g') + "#" + resumen, true, kIlegible, true, false},
        {"empty cipher part", ConResumen(""), false, kIlegible, true, true},
        {"one lone digit", ConResumen("A"), false, kIlegible, true, true},
        {"padding of 1", relleno, false, t6 + ";OK", true, true},
        {"padding of 8", SellarBytes(t7 + "1234567\x08"), false, t7 + ";OK", true, true},
        // A last byte that is no padding stays, and then the inner digest is not the last field.
        {"last byte 9 kept", SellarBytes(t6 + "\x09"), true, t6 + "\x09" + kAlterado, false, false},
        {"last byte 0 kept", SellarBytes(t6 + std::string(1, '\0')), true, t6 + std::string(1, '\0') + kAlterado, false,
         false},
        {"final lone digit ignored", ConResumen(rellenoHex + "F"), false, t6 + ";OK", true, true},
        {"partial last block dropped", ConResumen(rellenoHex + "0102"), false, t6 + ";OK", true, true},
        {"only a partial block", ConResumen(rellenoHex.substr(0, 8)), true, kAlterado, false, false},
    };
    for (const auto& [caso, sellado, previo, esperado, resultado, intactoTras] : casos) {
        SCOPED_TRACE(caso);
        std::string abierto = "sin tocar";
        bool intacto = previo;
        EXPECT_EQ(DescifrarRegistro(sellado, abierto, intacto), resultado);
        EXPECT_EQ(abierto, esperado);
        EXPECT_EQ(intacto, intactoTras);
    }
}

TEST(LineDigest, AppendedAndChecked)
{
    const std::string latin1 = TextoDePrueba(20);
    const std::tuple<std::string, bool, std::string> casos[] = {
        {"a;b;c;" + Sha("a;b;c"), true, "a;b;c"},
        {";" + Sha(""), true, ""},
        {latin1 + ";" + Sha(latin1), true, latin1},
        {"a;b;C;" + Sha("a;b;c"), false, "a;b;C"},
        {"x;" + Hex(Bytes(Sha("x"))), false, "x"},
        {"x;" + Sha("x") + "0", false, "x"},
        {"x;", false, "x"},
        {"sin separador", false, ""},
    };
    for (const auto& [linea, coincide, cuerpo] : casos) {
        SCOPED_TRACE(linea);
        std::string leido = "previo";
        EXPECT_EQ(ComprobarResumen(linea, leido), coincide);
        EXPECT_EQ(leido, cuerpo);
        std::string conResumen = cuerpo; // the output may be the input
        ASSERT_TRUE(AnadirResumen(conResumen, conResumen));
        EXPECT_EQ(conResumen, cuerpo + ";" + Sha(cuerpo));
    }
}

TEST(Hexadecimal, EveryByteBothWaysAndNonDigitsRefused)
{
    std::string todos;
    for (int i = 0; i < 256; ++i)
        todos.push_back(static_cast<char>(i));
    EXPECT_EQ(HexFromText(todos), Hex(todos));
    std::string bytes = "previo";
    ASSERT_TRUE(BytesFromHex(Hex(todos, "%02x") + "A", bytes));
    EXPECT_EQ(bytes, todos);
    for (const std::string malo : {"0G", "G0", " 1", "1 ", "+1", "-1", "0x", "1\xB1", "/0", ":0", "@0", "`0"}) {
        EXPECT_FALSE(BytesFromHex("AA" + malo, bytes)) << malo;
        EXPECT_EQ(bytes, todos) << malo;
    }
}
