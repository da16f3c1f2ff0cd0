#include "sim/Reproduccion.h"
#include "console/Respuesta.h"

namespace tesedra::sim {

namespace {

// The line typed at a password prompt, whatever it was.
const std::string kClave(1, '\0');

bool TerminaEn(const std::string& texto, const std::string& fin)
{
    const size_t n = texto.find_last_not_of(' ');
    if (n == std::string::npos)
        return false;
    return n + 1 >= fin.size() && texto.compare(n + 1 - fin.size(), fin.size(), fin) == 0;
}

} // namespace

bool TerminaEnPagina(const std::string& texto)
{
    return TerminaEn(texto, "Press any key to continue") || TerminaEn(texto, "---Press <return> or type More for more");
}

bool Reproduccion::Cargar(const std::string& texto, std::string& error)
{
    Transcripcion t;
    if (!LeerTranscripcion(texto, t, error))
        return false;
    if (t.modelo != 1 && t.modelo != 2) {
        error = "the transcript names no router model (812 or 5660)";
        return false;
    }
    modelo_ = t.modelo;
    respuestas_.clear();
    enviadas_.clear();

    Respuesta* actual = nullptr; // the reply the router's output belongs to
    std::string linea;           // the line the program is typing
    std::string desdeLinea;      // the router's output since the last line
    long long ultimoMs = 0;
    for (const auto& tr : t.tramos) {
        if (tr.delRouter) {
            if (actual) {
                actual->segmentos.back().push_back({tr.ms - ultimoMs, tr.bytes});
                desdeLinea += tr.bytes;
            }
            ultimoMs = tr.ms;
            continue;
        }
        for (const char c : tr.bytes) {
            if (c == '\n')
                continue;
            if (c != '\r') {
                linea += c;
                continue;
            }
            if (actual && TerminaEnPagina(desdeLinea)) {
                actual->segmentos.emplace_back();
            } else {
                if (actual)
                    actual->pideClave = TerminaEn(desdeLinea, "Password:");
                const std::string clave = actual && actual->pideClave ? kClave : RecortarBlancos(linea);
                auto& lista = respuestas_[clave];
                lista.emplace_back();
                actual = &lista.back();
                actual->segmentos.emplace_back();
            }
            linea.clear();
            desdeLinea.clear();
            ultimoMs = tr.ms;
        }
    }
    if (actual)
        actual->pideClave = TerminaEn(desdeLinea, "Password:");
    return true;
}

const Reproduccion::Respuesta* Reproduccion::Siguiente(const std::string& linea, bool enClave)
{
    const std::string clave = enClave ? kClave : RecortarBlancos(linea);
    const auto it = respuestas_.find(clave);
    if (it == respuestas_.end() || it->second.empty())
        return nullptr;
    size_t& k = enviadas_[clave];
    const size_t i = k < it->second.size() ? k : it->second.size() - 1;
    ++k;
    return &it->second[i];
}

} // namespace tesedra::sim
