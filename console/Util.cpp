#include "console/Util.h"

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

std::string QuitarCaracter(const std::string& texto, char caracter)
{
    std::string copia;
    copia.reserve(texto.size());
    for (char c : texto)
        if (c != caracter)
            copia.push_back(c);
    return copia;
}

std::string LimpiarValor(const std::string& texto)
{
    const std::string sinFinales = QuitarCaracter(QuitarCaracter(texto, '\r'), '\n');
    const size_t primero = sinFinales.find_first_not_of(' ');
    if (primero == std::string::npos)
        return {};
    const size_t ultimo = sinFinales.find_last_not_of(' ');
    return sinFinales.substr(primero, ultimo - primero + 1);
}

} // namespace tesedra
