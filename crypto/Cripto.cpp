// The record cipher: sealing and opening record texts with Blowfish under the
// fixed record key and SHA-256 digests.
#include "crypto/Cripto.h"

#include "crypto/Blowfish.h"
#include "crypto/CSHA256.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <exception>
#include <string_view>

namespace tesedra {

namespace {

constexpr std::string_view kMarcaCorrecto = ";OK";
constexpr std::string_view kMarcaAlterado = "--Registro incorrecto --;NOK";
constexpr std::string_view kMarcaIlegible = "-- Registro incorrecto --;NOK";

constexpr std::size_t kHexResumen = 64;

// Two upper-case digits per byte value.
constexpr std::array<char, 512> kHexDeByte = [] {
    std::array<char, 512> t{};
    constexpr char d[] = "0123456789ABCDEF";
    for (std::size_t i = 0; i < 256; ++i) {
        t[2 * i] = d[i >> 4];
        t[2 * i + 1] = d[i & 15];
    }
    return t;
}();

// Value of a hexadecimal digit of either case, -1 for any other byte.
constexpr std::array<std::int16_t, 256> kValorHex = [] {
    std::array<std::int16_t, 256> t{};
    for (auto& v : t)
        v = -1;
    for (int i = 0; i < 10; ++i)
        t['0' + i] = static_cast<std::int16_t>(i);
    for (int i = 0; i < 6; ++i) {
        t['A' + i] = static_cast<std::int16_t>(10 + i);
        t['a' + i] = static_cast<std::int16_t>(10 + i);
    }
    return t;
}();

std::uint8_t* Bytes(std::string& s)
{
    return reinterpret_cast<std::uint8_t*>(s.data());
}

void EscribirHex(const char* bytes, std::size_t n, char* salida)
{
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t b = static_cast<unsigned char>(bytes[i]);
        salida[2 * i] = kHexDeByte[2 * b];
        salida[2 * i + 1] = kHexDeByte[2 * b + 1];
    }
}

// Decodes n pairs of `hex` into `salida`; false at the first pair that is not
// hexadecimal.
bool LeerHex(const char* hex, std::size_t n, char* salida)
{
    for (std::size_t i = 0; i < n; ++i) {
        const int alto = kValorHex[static_cast<unsigned char>(hex[2 * i])];
        const int bajo = kValorHex[static_cast<unsigned char>(hex[2 * i + 1])];
        if ((alto | bajo) < 0)
            return false;
        salida[i] = static_cast<char>((alto << 4) | bajo);
    }
    return true;
}

// The digest of `texto` as 64 lower-case digits written to `salida`.
void ResumenHex(std::string_view texto, char* salida)
{
    Sha256Hex(Sha256Bytes(texto), salida);
}

bool ResumenCoincide(std::string_view texto, std::string_view resumen)
{
    if (resumen.size() != kHexResumen)
        return false;
    char hex[kHexResumen];
    ResumenHex(texto, hex);
    return std::memcmp(hex, resumen.data(), kHexResumen) == 0;
}

// Whether a deciphered text is what sealing enciphers: a text, ';' and the digest of
// that text. The digest of the hexadecimal part proves nothing on its own, as anyone can
// make it again after changing the cipher digits; this one only the key holder can.
bool InteriorIntacto(std::string_view claro)
{
    const std::size_t p = claro.rfind(';');
    return p != std::string_view::npos && ResumenCoincide(claro.substr(0, p), claro.substr(p + 1));
}

// Deciphers the whole blocks of `bytes` in place and drops the padding: the
// value k of the last byte, when it is 1 to 8, tells how many bytes to drop.
// A trailing partial block is not deciphered and is dropped.
void DescifrarEnSitio(std::string& bytes)
{
    const std::size_t bloques = bytes.size() / 8;
    bytes.resize(bloques * 8);
    if (bloques == 0)
        return;
    BlowfishDecipherBytes(Bytes(bytes), bloques);
    const auto k = static_cast<unsigned char>(bytes.back());
    if (k <= 8)
        bytes.resize(bytes.size() - k);
}

} // namespace

const std::string& ClaveRegistro()
{
    static const std::string clave = std::string("MZRV!1968wPLKUjHGTYBnMERW58172((") + '\xBF' + "39";
    return clave;
}

void FijarClave(const std::string& clave)
{
    BlowfishSetKey(clave);
}

std::string BlowfishEncipherText(const std::string& texto)
{
    const std::size_t k = 8 - texto.size() % 8;
    std::string bytes;
    bytes.reserve(texto.size() + k);
    bytes.append(texto);
    bytes.append(k, static_cast<char>(k));
    BlowfishEncipherBytes(Bytes(bytes), bytes.size() / 8);
    return bytes;
}

std::string BlowfishDecipherText(const std::string& bytes)
{
    std::string texto(bytes);
    DescifrarEnSitio(texto);
    return texto;
}

std::string HexFromText(const std::string& bytes)
{
    std::string hex(bytes.size() * 2, '\0');
    EscribirHex(bytes.data(), bytes.size(), hex.data());
    return hex;
}

bool BytesFromHex(const std::string& hex, std::string& bytes)
{
    std::string salida(hex.size() / 2, '\0');
    if (!LeerHex(hex.data(), salida.size(), salida.data()))
        return false;
    bytes = std::move(salida);
    return true;
}

bool CifrarRegistro(const std::string& texto, std::string& sellado)
{
    try {
        // P = texto ";" digest, then the padding bytes, enciphered in place.
        const std::size_t n = texto.size() + 1 + kHexResumen;
        const std::size_t k = 8 - n % 8;
        std::string bytes(n + k, static_cast<char>(k));
        std::memcpy(bytes.data(), texto.data(), texto.size());
        bytes[texto.size()] = ';';
        ResumenHex(texto, bytes.data() + texto.size() + 1);

        FijarClave(ClaveRegistro());
        BlowfishEncipherBytes(Bytes(bytes), bytes.size() / 8);

        // Hexadecimal part, "#", digest of the hexadecimal part.
        const std::size_t largoHex = bytes.size() * 2;
        std::string salida(largoHex + 1 + kHexResumen, '#');
        EscribirHex(bytes.data(), bytes.size(), salida.data());
        ResumenHex(std::string_view(salida.data(), largoHex), salida.data() + largoHex + 1);
        sellado = std::move(salida);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool DescifrarRegistro(const std::string& sellado, std::string& abierto, bool& intacto)
{
    try {
        const std::size_t almohadilla = sellado.rfind('#');
        if (almohadilla == std::string::npos) {
            abierto.assign(kMarcaIlegible);
            return true;
        }
        const std::string_view hex(sellado.data(), almohadilla);
        const std::string_view resumen = std::string_view(sellado).substr(almohadilla + 1);
        intacto = ResumenCoincide(hex, resumen);

        FijarClave(ClaveRegistro());
        const std::size_t largo = hex.size() / 2;
        std::string texto(largo, '\0');
        if (largo == 0 || !LeerHex(hex.data(), largo, texto.data())) {
            abierto.assign(kMarcaIlegible);
            return true;
        }
        DescifrarEnSitio(texto);
        intacto = intacto && InteriorIntacto(texto);
        texto.append(intacto ? kMarcaCorrecto : kMarcaAlterado);
        abierto = std::move(texto);
        return intacto;
    } catch (const std::exception&) {
        abierto.assign(kMarcaIlegible);
        return true;
    }
}

bool AnadirResumen(const std::string& texto, std::string& linea)
{
    try {
        std::string salida;
        salida.reserve(texto.size() + 1 + kHexResumen);
        salida.append(texto);
        salida.push_back(';');
        salida.resize(salida.size() + kHexResumen);
        ResumenHex(texto, salida.data() + texto.size() + 1);
        linea = std::move(salida);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool ComprobarResumen(const std::string& linea, std::string& cuerpo)
{
    const std::size_t p = linea.rfind(';');
    if (p == std::string::npos) {
        cuerpo.clear();
        return false;
    }
    const std::string_view resumen = std::string_view(linea).substr(p + 1);
    std::string_view texto(linea.data(), p);
    const bool coincide = ResumenCoincide(texto, resumen);
    cuerpo.assign(texto);
    return coincide;
}

} // namespace tesedra
