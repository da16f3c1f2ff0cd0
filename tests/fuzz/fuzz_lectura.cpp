// Line readings of any text: what is read is exact and stable, and the judgement of a
// reading against a limit moves one way as the limit moves.
#include "Exigir.h"

#include "base/Codigos.h"
#include "validation/JuicioLinea.h"
#include "validation/LecturaLinea.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace tesedra;

namespace {

// A reading written back as a router would write it.
std::string Escribir(const LecturaDecibelios& l)
{
    const bool negativo = l.mantisa < 0;
    std::string cifras = std::to_string(negativo ? -l.mantisa : l.mantisa);
    if (l.escala > 0) {
        if (cifras.size() <= static_cast<size_t>(l.escala))
            cifras.insert(0, static_cast<size_t>(l.escala) + 1 - cifras.size(), '0');
        cifras.insert(cifras.size() - static_cast<size_t>(l.escala), ".");
    }
    return (negativo ? "-" : "") + cifras;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string texto(reinterpret_cast<const char*>(data), size);
    const auto l = LeerDecibelios(texto);
    if (!l) {
        // No reading: the value is taken as unreadable and passes every judgement.
        for (const int16_t modalidad : {kModalidadEstandar, kModalidadClass, kModalidadPremium})
            for (const ValorJuzgado que : kValoresJuzgados) {
                const JuicioValor j = JuzgarValor(kOfficeRemote812, modalidad, que, texto);
                EXIGIR(j.juzgado && !j.leido && j.correcto);
            }
        return 0;
    }
    EXIGIR(l->escala >= 0 && l->escala <= 15);

    // Written back, with or without a unit and blanks, it reads the same.
    const std::string escrito = Escribir(*l);
    for (const std::string& forma : {escrito, "  " + escrito, escrito + " dB", escrito + "dB"}) {
        const auto otra = LeerDecibelios(forma);
        EXIGIR(otra && otra->mantisa == l->mantisa && otra->escala == l->escala);
    }

    // Below, at or above a limit, consistently over a run of limits.
    int anterior = 1;
    for (int limite = -100; limite <= 100; ++limite) {
        const int c = CompararConLimite(*l, limite);
        EXIGIR(c >= -1 && c <= 1 && c <= anterior);
        anterior = c;
    }
    // Each judgement agrees with the comparison against its own limit: a maximum
    // passes at or under it, a minimum at or over it.
    for (const int16_t modalidad : {kModalidadEstandar, kModalidadClass, kModalidadPremium})
        for (const ValorJuzgado que : kValoresJuzgados) {
            const JuicioValor j = JuzgarValor(kOfficeRemote812, modalidad, que, texto);
            EXIGIR(j.juzgado && j.leido == (texto != "0"));
            if (j.leido) {
                const int c = CompararConLimite(*l, j.limite);
                EXIGIR(j.correcto == (j.maximo ? c <= 0 : c >= 0));
            }
        }
    return 0;
}
