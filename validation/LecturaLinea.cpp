#include "validation/LecturaLinea.h"

#include "validation/ValoresInstalacion.h"

namespace tesedra {

namespace {

constexpr int kMaxDigitos = 15; // keeps mantisa * 10 and limite * 10^escala inside 64 bits

bool EsDigito(char c)
{
    return c >= '0' && c <= '9';
}
bool EsLetra(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || u >= 0xC0;
}

} // namespace

std::optional<LecturaDecibelios> LeerDecibelios(const std::string& texto)
{
    size_t i = 0;
    const size_t n = texto.size();
    while (i < n && texto[i] == ' ')
        ++i;
    bool negativo = false;
    if (i < n && (texto[i] == '-' || texto[i] == '+')) {
        negativo = texto[i] == '-';
        ++i;
    }
    LecturaDecibelios l;
    bool hayDigitos = false;
    int digitos = 0; // those that count: leading zeros of the whole part add nothing
    bool punto = false;
    for (; i < n; ++i) {
        const char c = texto[i];
        if (EsDigito(c)) {
            hayDigitos = true;
            if ((punto || l.mantisa != 0 || c != '0') && ++digitos > kMaxDigitos)
                return std::nullopt;
            l.mantisa = l.mantisa * 10 + (c - '0');
            if (punto)
                ++l.escala;
        } else if (c == '.' && !punto) {
            punto = true;
        } else {
            break;
        }
    }
    if (!hayDigitos)
        return std::nullopt;
    // "45." has no decimals after its point: not a reading a router writes.
    if (punto && l.escala == 0)
        return std::nullopt;
    if (i < n && texto[i] != ' ' && !EsLetra(texto[i]))
        return std::nullopt;
    if (negativo)
        l.mantisa = -l.mantisa;
    return l;
}

int CompararConLimite(const LecturaDecibelios& lectura, int limite)
{
    int64_t escalado = limite;
    for (int k = 0; k < lectura.escala; ++k)
        escalado *= 10;
    return lectura.mantisa < escalado ? -1 : (lectura.mantisa > escalado ? 1 : 0);
}

LimitesLinea LimitesModalidad(int16_t modalidad)
{
    switch (modalidad) {
    case kModalidadEstandar: return {true, 61, 59, 8};
    case kModalidadClass: return {true, 59, 56, 8};
    case kModalidadPremium: return {true, 49, 45, 8};
    default: return {};
    }
}

} // namespace tesedra
