// Record files of any bytes: the reverse validation of a whole file, and a record
// composed from fields cut out of the same bytes opening back to those fields.
#include "Exigir.h"

#include "crypto/Cripto.h"
#include "validation/FicheroRegistro.h"
#include "validation/ValidacionInversa.h"
#include "validation/ValoresInstalacion.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace tesedra;

namespace {

// Source lines as the reverse validation counts them: every LF ends one, and a last
// piece without its LF is one too.
int64_t LineasFuente(std::string_view f)
{
    int64_t n = 0;
    for (char c : f)
        n += c == '\n';
    if (!f.empty() && f.back() != '\n')
        ++n;
    return n;
}

int64_t FinesDeLinea(const std::string& s)
{
    int64_t n = 0;
    for (size_t p = s.find("\r\n"); p != std::string::npos; p = s.find("\r\n", p + 2))
        ++n;
    return n;
}

void ComprobarFichero(std::string_view fuente)
{
    ResumenFichero r;
    const std::string salida = ValidarContenido(fuente, &r);
    const int64_t lineas = LineasFuente(fuente);
    // Header and two empty lines, then one line per source line, each ended by CR LF.
    EXIGIR(salida.size() >= 2 && salida.compare(salida.size() - 2, 2, "\r\n") == 0);
    EXIGIR(salida.compare(0, CabeceraSalida().size(), CabeceraSalida()) == 0);
    // No output line is cut in two by what a damaged record deciphers to.
    EXIGIR(FinesDeLinea(salida) == 3 + lineas);
    EXIGIR(r.Registros() == lineas);
}

// The bytes as record fields: split at NUL, without the separators a field cannot hold.
ValoresInstalacion Campos(std::string_view datos)
{
    ValoresInstalacion v;
    size_t i = 0;
    for (const auto& c : kCamposValores) {
        if (c.miembro == &ValoresInstalacion::numeroRegistro)
            continue;
        std::string campo;
        while (i < datos.size() && datos[i] != '\0') {
            const char b = datos[i++];
            if (b != ';' && b != '\r' && b != '\n')
                campo += b;
        }
        ++i;
        v.*c.miembro = campo;
    }
    return v;
}

void ComprobarRegistro(std::string_view datos)
{
    // A sealed text opens to itself and its digest.
    const std::string texto(datos);
    std::string sellado, abierto, conResumen;
    EXIGIR(CifrarRegistro(texto, sellado));
    bool intacto = false;
    EXIGIR(DescifrarRegistro(sellado, abierto, intacto));
    EXIGIR(intacto);
    EXIGIR(AnadirResumen(texto, conResumen));
    EXIGIR(abierto == conResumen + ";OK");

    // A record line opens in place at its own number and as moved at any other.
    ValoresInstalacion v = Campos(datos);
    v.numeroRegistro = TextoNumeroRegistro(7);
    std::string linea;
    EXIGIR(ComponerRegistro(v, linea));
    EXIGIR(linea.find('\n') == std::string::npos);
    const std::string completo = TextoCompleto(v);
    std::string esperado;
    EXIGIR(AnadirResumen(completo, esperado));
    esperado = esperado.substr(esperado.find(';') + 1) + ";OK";
    ValidadorLineas validador;
    std::string salida;
    EXIGIR(validador.Validar(linea, 7, salida) == Veredicto::EnSitio);
    EXIGIR(salida == esperado);
    salida.clear();
    EXIGIR(validador.Validar(linea, 8, salida) == Veredicto::Movido);
    EXIGIR(salida.find(completo) != std::string::npos);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view datos(reinterpret_cast<const char*>(data), size);
    ComprobarFichero(datos);
    ComprobarRegistro(datos);
    return 0;
}
