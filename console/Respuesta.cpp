#include "console/Respuesta.h"

namespace tesedra {

std::string ExtraerLinea(const std::string& texto, std::string& resto)
{
    const size_t fin = texto.find("\r\n");
    if (fin == std::string::npos) {
        std::string linea = texto;
        resto.clear();
        return linea;
    }
    std::string linea = texto.substr(0, fin + 2);
    resto = texto.substr(fin + 2);
    return linea;
}

std::string RecortarBlancos(const std::string& texto)
{
    const auto inicio = texto.find_first_not_of(' ');
    if (inicio == std::string::npos)
        return {};
    const auto fin = texto.find_last_not_of(' ');
    return texto.substr(inicio, fin - inicio + 1);
}

std::string LimpiarValor(const std::string& texto)
{
    return RecortarBlancos(QuitarCaracter(QuitarCaracter(texto, '\r'), '\n'));
}

std::string QuitarCaracter(const std::string& texto, char caracter)
{
    std::string copia;
    copia.reserve(texto.size());
    for (char c : texto)
        if (c != caracter)
            copia.push_back(c);
    return copia;
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

size_t Ocurrencias(const std::string& texto, const std::string& buscado)
{
    size_t n = 0;
    for (size_t p = texto.find(buscado); p != std::string::npos; p = texto.find(buscado, p + buscado.size()))
        ++n;
    return n;
}

} // namespace tesedra
