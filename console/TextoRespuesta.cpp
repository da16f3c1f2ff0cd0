#include "console/TextoRespuesta.h"

#include "console/ComSerie.h"

#include <utility>

namespace tesedra {

namespace {

AvisoProgreso& avisoProgreso()
{
    static AvisoProgreso aviso;
    return aviso;
}

} // namespace

std::string RecortarBlancos(const std::string& texto)
{
    const auto inicio = texto.find_first_not_of(' ');
    if (inicio == std::string::npos)
        return {};
    const auto fin = texto.find_last_not_of(' ');
    return texto.substr(inicio, fin - inicio + 1);
}

std::string DespuesDe(const std::string& texto, const std::string& separador)
{
    const auto pos = texto.find(separador);
    if (pos == std::string::npos)
        return texto;
    return texto.substr(pos + separador.size());
}

std::string AntesDe(const std::string& texto, const std::string& separador)
{
    const auto pos = texto.find(separador);
    if (pos == std::string::npos)
        return texto;
    return texto.substr(0, pos);
}

std::string Cortar(const std::string& texto, int veces)
{
    std::string t = texto;
    for (int i = 0; i < veces; ++i) {
        const auto pos = t.find(' ');
        if (pos == std::string::npos)
            return t;
        t = RecortarBlancos(t.substr(pos));
    }
    return t;
}

std::string FiltrarLineas(const std::string& texto, const std::vector<std::string>& descartes)
{
    std::string resultado;
    RecorrerLineas(texto, [&](const std::string& linea) {
        for (const auto& d : descartes) {
            if (Contiene(linea, d))
                return;
        }
        resultado += linea;
    });
    return resultado;
}

bool EnviarOrden(const std::string& comando, std::string& respuesta, int16_t modelo)
{
    respuesta.clear();
    if (!PuertoAbierto())
        return false;
    if (avisoProgreso())
        avisoProgreso()(comando);
    const bool ok = EnviarComando(comando, respuesta, modelo, 0);
    return ok && PuertoAbierto();
}

void FijarAvisoProgreso(AvisoProgreso aviso)
{
    avisoProgreso() = std::move(aviso);
}

} // namespace tesedra
