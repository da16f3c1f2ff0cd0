#pragma once
// Reading of the published test vector files in tests/vectors.
#include <cstdint>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace prueba {

inline std::string RutaVector(const std::string& nombre)
{
    return std::string(TESEDRA_VECTORS_DIR) + "/" + nombre;
}

// The non-comment, non-empty lines of a vector file, split at blanks.
inline std::vector<std::vector<std::string>> LeerVectores(const std::string& nombre)
{
    std::ifstream f(RutaVector(nombre));
    if (!f)
        throw std::runtime_error("cannot open " + RutaVector(nombre));
    std::vector<std::vector<std::string>> filas;
    std::string linea;
    while (std::getline(f, linea)) {
        if (!linea.empty() && linea.back() == '\r')
            linea.pop_back();
        if (linea.empty() || linea[0] == '#')
            continue;
        std::istringstream campos(linea);
        std::vector<std::string> fila;
        for (std::string c; campos >> c;)
            fila.push_back(c);
        filas.push_back(std::move(fila));
    }
    return filas;
}

// Independent of the code under test: plain stream parsing of hex pairs.
inline std::string DeHex(const std::string& hex)
{
    if (hex == "-")
        return {};
    if (hex.size() % 2 != 0)
        throw std::runtime_error("odd hex: " + hex);
    std::string bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2)
        bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

} // namespace prueba
