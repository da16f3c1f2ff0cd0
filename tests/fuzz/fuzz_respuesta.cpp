// Router replies of any bytes: the lines of a reply join back to it, and the cuts of
// a value keep to what they promise.
#include "Exigir.h"

#include "console/Respuesta.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using namespace tesedra;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The first byte, when there is one, picks a separator out of the reply.
    std::string texto(reinterpret_cast<const char*>(data), size);
    std::string separador = texto.empty() ? std::string(" ") : std::string(1, texto[0]);
    if (texto.size() > 2 && texto[1] == '\x01')
        separador = texto.substr(2, 2);

    // The lines join back to the reply; each but the last ends with its one CR LF.
    std::vector<std::string> lineas;
    RecorrerLineas(texto, [&](const std::string& l) { lineas.push_back(l); });
    std::string unidas;
    for (size_t i = 0; i < lineas.size(); ++i) {
        const std::string& l = lineas[i];
        EXIGIR(!l.empty());
        const size_t crlf = l.find("\r\n");
        EXIGIR(crlf == std::string::npos ? i + 1 == lineas.size() : crlf + 2 == l.size());
        unidas += l;
    }
    EXIGIR(unidas == texto);

    // Cut one by one, the reply gives the same lines.
    std::string resto = texto;
    for (const std::string& l : lineas)
        EXIGIR(ExtraerLinea(resto, resto) == l);
    EXIGIR(resto.empty());

    // Filtering keeps whole lines in order: nothing with no discard, no line holding one.
    EXIGIR(FiltrarLineas(texto, {}) == texto);
    const std::string filtrado = FiltrarLineas(texto, {separador});
    std::string esperado;
    for (const std::string& l : lineas)
        if (l.find(separador) == std::string::npos)
            esperado += l;
    EXIGIR(filtrado == esperado);

    // Before and after a separator put back together give the reply.
    if (texto.find(separador) != std::string::npos)
        EXIGIR(AntesDe(texto, separador) + separador + DespuesDe(texto, separador) == texto);
    else
        EXIGIR(AntesDe(texto, separador) == texto && DespuesDe(texto, separador) == texto);

    // A cleaned value holds no line end and no blank at either end.
    const std::string limpio = LimpiarValor(texto);
    EXIGIR(limpio.find_first_of("\r\n") == std::string::npos);
    EXIGIR(limpio.empty() || (limpio.front() != ' ' && limpio.back() != ' '));
    EXIGIR(QuitarCaracter(texto, separador[0]).find(separador[0]) == std::string::npos);

    // A cut is a piece of the reply with no blank at either end (or the reply itself).
    for (int veces = 1; veces <= 3; ++veces) {
        const std::string cortado = Cortar(texto, veces);
        EXIGIR(texto.find(cortado) != std::string::npos);
        if (cortado != texto)
            EXIGIR(cortado.empty() || (cortado.front() != ' ' && cortado.back() != ' '));
    }
    return 0;
}
