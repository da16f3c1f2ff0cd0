// The record cipher: sealing, opening and its failure cases, line digests.
#include "crypto/Blowfish.h"
#include "crypto/CSHA256.h"
#include "crypto/Cripto.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace tesedra;

namespace {

const std::string kAlterado = "--Registro incorrecto --;NOK";
const std::string kIlegible = "-- Registro incorrecto --;NOK";

std::string Sha(const std::string& s) { return CSHA256().SHA256(s); }

// A sealed text from raw bytes enciphered under the record key: lets a test
// choose exactly what opening will decipher.
std::string SellarBytes(std::string claro)
{
    FijarClave(ClaveRegistro());
    BlowfishEncipherBytes(reinterpret_cast<std::uint8_t*>(claro.data()), claro.size() / 8);
    const std::string hex = HexFromText(claro);
    return hex + "#" + Sha(hex);
}

struct Apertura {
    std::string texto;
    bool resultado;
    bool intacto;
};

Apertura Abrir(const std::string& sellado)
{
    Apertura a{"sin tocar", false, false};
    a.resultado = DescifrarRegistro(sellado, a.texto, a.intacto);
    return a;
}

std::string TextoDePrueba(std::size_t n)
{
    // ASCII, field separators and the Spanish single-byte letters.
    static const std::string letras = "Tel\xE9" "fono;912345678;Se\xF1" "al \xBF" "OK? \xC1\xC9\xCD\xD3\xDA\xD1\xFC\xA1";
    std::string t;
    for (std::size_t i = 0; i < n; ++i)
        t.push_back(letras[(i * 7) % letras.size()]);
    return t;
}

std::size_t LargoSellado(std::size_t n) { return 16 * ((n + 65) / 8 + 1) + 65; }

} // namespace

TEST(Cripto, RecordKey)
{
    const std::string& k = ClaveRegistro();
    ASSERT_EQ(k.size(), 35u);
    EXPECT_EQ(k.substr(0, 32), "MZRV!1968wPLKUjHGTYBnMERW58172((");
    EXPECT_EQ(static_cast<unsigned char>(k[32]), 0xBF);
    EXPECT_EQ(k.substr(33), "39");
}

TEST(Cripto, SealAndOpenEveryLengthUpTo100)
{
    for (std::size_t n = 0; n <= 100; ++n) {
        const std::string t = TextoDePrueba(n);
        std::string sellado;
        ASSERT_TRUE(CifrarRegistro(t, sellado)) << n;
        ASSERT_EQ(sellado.size(), LargoSellado(n)) << n;

        const std::size_t p = sellado.find('#');
        ASSERT_EQ(p, sellado.size() - 65) << n;
        const std::string hex = sellado.substr(0, p);
        EXPECT_TRUE(std::all_of(hex.begin(), hex.end(),
                                [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }))
            << n;
        EXPECT_EQ(sellado.substr(p + 1), Sha(hex)) << n;

        const Apertura a = Abrir(sellado);
        EXPECT_TRUE(a.resultado) << n;
        EXPECT_TRUE(a.intacto) << n;
        EXPECT_EQ(a.texto, t + ";" + Sha(t) + ";OK") << n;
    }
}

TEST(Cripto, SealedLengthsAndPadding)
{
    std::string sellado;
    ASSERT_TRUE(CifrarRegistro("", sellado));
    EXPECT_EQ(sellado.size(), 209u);

    // abc gets five bytes of value 5; eight letters a whole block of 8s.
    FijarClave(ClaveRegistro());
    std::string esperado = "abc\x05\x05\x05\x05\x05";
    BlowfishEncipherBytes(reinterpret_cast<std::uint8_t*>(esperado.data()), 1);
    EXPECT_EQ(BlowfishEncipherText("abc"), esperado);

    std::string ocho = "abcdefgh" + std::string(8, '\x08');
    BlowfishEncipherBytes(reinterpret_cast<std::uint8_t*>(ocho.data()), 2);
    EXPECT_EQ(BlowfishEncipherText("abcdefgh"), ocho);

    for (std::size_t n = 0; n < 40; ++n) {
        const std::string t = TextoDePrueba(n);
        const std::string c = BlowfishEncipherText(t);
        EXPECT_EQ(c.size(), (n / 8 + 1) * 8) << n;
        EXPECT_EQ(BlowfishDecipherText(c), t) << n;
    }
}

TEST(Cripto, EqualBlocksEncipherEqually)
{
    FijarClave(ClaveRegistro());
    const std::string c = BlowfishEncipherText("ABCDEFGHABCDEFGHxyz");
    ASSERT_EQ(c.size(), 24u);
    EXPECT_EQ(c.substr(0, 8), c.substr(8, 8));
    EXPECT_NE(c.substr(0, 8), c.substr(16, 8));
}

TEST(Cripto, SealingSetsTheRecordKeyItself)
{
    std::string primero, segundo;
    ASSERT_TRUE(CifrarRegistro("912345678", primero));
    FijarClave("otra clave cualquiera");
    ASSERT_TRUE(CifrarRegistro("912345678", segundo));
    EXPECT_EQ(primero, segundo);
    FijarClave("otra clave cualquiera");
    const Apertura a = Abrir(primero);
    EXPECT_EQ(a.texto, "912345678;" + Sha("912345678") + ";OK");
}

TEST(Cripto, OpeningAlteredTexts)
{
    const std::string t = "912345678;3Com 812;5,5";
    const std::string p = t + ";" + Sha(t);
    std::string sellado;
    ASSERT_TRUE(CifrarRegistro(t, sellado));
    const std::size_t almohadilla = sellado.find('#');

    // Outer digest altered: the text still opens, followed by the marker.
    std::string malo = sellado;
    malo.back() = malo.back() == '0' ? '1' : '0';
    Apertura a = Abrir(malo);
    EXPECT_FALSE(a.resultado);
    EXPECT_FALSE(a.intacto);
    EXPECT_EQ(a.texto, p + kAlterado);

    // A digest of the wrong length does not match either.
    a = Abrir(sellado + "0");
    EXPECT_FALSE(a.resultado);
    EXPECT_EQ(a.texto, p + kAlterado);

    // One cipher digit changed: the digest fails; the first block is garbled.
    malo = sellado;
    malo[3] = malo[3] == 'A' ? 'B' : 'A';
    a = Abrir(malo);
    EXPECT_FALSE(a.resultado);
    EXPECT_FALSE(a.intacto);
    EXPECT_NE(a.texto.substr(0, 8), p.substr(0, 8));
    EXPECT_EQ(a.texto.substr(8), p.substr(8) + kAlterado);

    // Lower-case digits open like upper-case ones.
    std::string minusculas = sellado.substr(0, almohadilla);
    std::transform(minusculas.begin(), minusculas.end(), minusculas.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    ASSERT_NE(minusculas, sellado.substr(0, almohadilla));
    a = Abrir(minusculas + "#" + Sha(minusculas));
    EXPECT_TRUE(a.resultado);
    EXPECT_TRUE(a.intacto);
    EXPECT_EQ(a.texto, p + ";OK");
    a = Abrir(minusculas + sellado.substr(almohadilla)); // the digest was of the upper-case digits
    EXPECT_FALSE(a.resultado);
    EXPECT_EQ(a.texto, p + kAlterado);

    // Only the last '#' separates: an earlier one makes the hex part unreadable.
    a = Abrir("AB#" + sellado);
    EXPECT_TRUE(a.resultado);
    EXPECT_EQ(a.texto, kIlegible);
}

TEST(Cripto, OpeningUnreadableTexts)
{
    std::string sellado;
    ASSERT_TRUE(CifrarRegistro("texto", sellado));
    const std::size_t almohadilla = sellado.find('#');

    // No '#': marker, true, and the intact flag is not written.
    for (bool previo : {false, true}) {
        std::string abierto;
        bool intacto = previo;
        EXPECT_TRUE(DescifrarRegistro(sellado.substr(0, almohadilla), abierto, intacto));
        EXPECT_EQ(abierto, kIlegible);
        EXPECT_EQ(intacto, previo);
    }
    EXPECT_EQ(Abrir("").texto, kIlegible);

    // A pair that is not hexadecimal, with and without a matching digest.
    for (std::size_t pos : {std::size_t(0), std::size_t(7), almohadilla - 1}) {
        for (char c : {'G', 'g', ' ', '-', '\xF1', '\0'}) {
            std::string hex = sellado.substr(0, almohadilla);
            hex[pos] = c;
            for (const std::string& resumen : {Sha(hex), sellado.substr(almohadilla + 1)}) {
                const Apertura a = Abrir(hex + "#" + resumen);
                EXPECT_TRUE(a.resultado) << pos << " " << int(c);
                EXPECT_EQ(a.texto, kIlegible) << pos << " " << int(c);
            }
        }
    }

    // An empty cipher part, or one lone digit.
    for (const std::string hex : {"", "A"}) {
        const Apertura a = Abrir(hex + "#" + Sha(hex));
        EXPECT_TRUE(a.resultado);
        EXPECT_EQ(a.texto, kIlegible);
    }
}

TEST(Cripto, PaddingRemovalOnOpening)
{
    const std::string cuerpo = "ABCDEFGHIJKLMNO";
    struct Caso {
        char ultimo;
        std::size_t quedan;
    } casos[] = {
        {'\x01', 15}, {'\x03', 13}, {'\x08', 8}, {'\x09', 16}, {'\xFF', 16}, {'\x00', 16},
    };
    for (const auto& c : casos) {
        const std::string claro = cuerpo + c.ultimo;
        const Apertura a = Abrir(SellarBytes(claro));
        EXPECT_TRUE(a.resultado) << int(c.ultimo);
        EXPECT_EQ(a.texto, claro.substr(0, c.quedan) + ";OK") << int(c.ultimo);
        EXPECT_EQ(BlowfishDecipherText(BlowfishEncipherText(claro)), claro);
    }

    // A final lone digit is ignored; a trailing partial block is dropped.
    std::string sellado = SellarBytes("12345678abcdefg\x01");
    std::string hex = sellado.substr(0, sellado.find('#'));
    Apertura a = Abrir(hex + "F#" + Sha(hex + "F"));
    EXPECT_EQ(a.texto, "12345678abcdefg;OK");
    a = Abrir(hex + "0102#" + Sha(hex + "0102"));
    EXPECT_EQ(a.texto, "12345678abcdefg;OK");
    a = Abrir(hex.substr(0, 8) + "#" + Sha(hex.substr(0, 8)));
    EXPECT_TRUE(a.resultado);
    EXPECT_EQ(a.texto, ";OK");
}

TEST(Cripto, LongTextsSealAndOpen)
{
    std::mt19937 azar(7);
    std::string t(100000, '\0');
    for (auto& c : t)
        c = static_cast<char>(azar());
    std::string sellado;
    ASSERT_TRUE(CifrarRegistro(t, sellado));
    EXPECT_EQ(sellado.size(), LargoSellado(t.size()));
    const Apertura a = Abrir(sellado);
    EXPECT_TRUE(a.resultado);
    EXPECT_EQ(a.texto, t + ";" + Sha(t) + ";OK");
}

TEST(Cripto, OpeningManyRecordsSchedulesTheKeyOnce)
{
    std::string sellado;
    ASSERT_TRUE(CifrarRegistro("912345678", sellado));
    FijarClave("otra");
    const auto antes = BlowfishPlanificaciones();
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(Abrir(sellado).texto, "912345678;" + Sha("912345678") + ";OK");
        std::string otro;
        ASSERT_TRUE(CifrarRegistro("x", otro));
    }
    EXPECT_LE(BlowfishPlanificaciones(), antes + 1);
}

TEST(Cripto, HexConversions)
{
    EXPECT_EQ(HexFromText(std::string("\x00\x0F\x10\xAB\xFF", 5)), "000F10ABFF");
    EXPECT_EQ(HexFromText(""), "");

    std::string bytes = "previo";
    EXPECT_TRUE(BytesFromHex("000f10aBfF", bytes));
    EXPECT_EQ(bytes, std::string("\x00\x0F\x10\xAB\xFF", 5));
    EXPECT_TRUE(BytesFromHex("ABC", bytes));
    EXPECT_EQ(bytes, "\xAB");
    EXPECT_TRUE(BytesFromHex("", bytes));
    EXPECT_EQ(bytes, "");
    for (const std::string malo : {"0G", "G0", " 1", "1 ", "+1", "-1", "0x", "1\xB1"})
        EXPECT_FALSE(BytesFromHex("AA" + malo, bytes)) << malo;

    std::string todos;
    for (int i = 0; i < 256; ++i)
        todos.push_back(static_cast<char>(i));
    ASSERT_TRUE(BytesFromHex(HexFromText(todos), bytes));
    EXPECT_EQ(bytes, todos);
}

TEST(Cripto, LineDigests)
{
    std::string linea;
    ASSERT_TRUE(AnadirResumen("a;b;c", linea));
    EXPECT_EQ(linea, "a;b;c;" + Sha("a;b;c"));
    std::string cuerpo;
    EXPECT_TRUE(ComprobarResumen(linea, cuerpo));
    EXPECT_EQ(cuerpo, "a;b;c");

    ASSERT_TRUE(AnadirResumen("", linea));
    EXPECT_EQ(linea, ";" + Sha(""));
    EXPECT_TRUE(ComprobarResumen(linea, cuerpo));
    EXPECT_EQ(cuerpo, "");

    // Altered body or digest: false, the body still given.
    std::string malo = "a;b;C;" + Sha("a;b;c");
    EXPECT_FALSE(ComprobarResumen(malo, cuerpo));
    EXPECT_EQ(cuerpo, "a;b;C");
    std::string mayusculas = "x;" + Sha("x");
    std::transform(mayusculas.begin(), mayusculas.end(), mayusculas.begin(),
                   [](char c) { return c == 'x' ? c : static_cast<char>(std::toupper(c)); });
    EXPECT_FALSE(ComprobarResumen(mayusculas, cuerpo));
    EXPECT_FALSE(ComprobarResumen("x;", cuerpo));

    // No ';' at all: cannot be split.
    cuerpo = "previo";
    EXPECT_FALSE(ComprobarResumen("sin separador", cuerpo));
    EXPECT_EQ(cuerpo, "");

    // The output may be the input.
    std::string mismo = "\xBF" "S\xED?";
    ASSERT_TRUE(AnadirResumen(mismo, mismo));
    EXPECT_EQ(mismo, "\xBF" "S\xED?;" + Sha("\xBF" "S\xED?"));
    EXPECT_TRUE(ComprobarResumen(mismo, mismo));
    EXPECT_EQ(mismo, "\xBF" "S\xED?");
}
