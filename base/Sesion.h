#pragma once
// The session values of one run of the program: set by the windows, read by
// the router exchanges. Nothing of it is saved between runs.

#include "base/Codigos.h"

#include <cstdint>
#include <string>

namespace tesedra {

struct Sesion {
    int16_t Perfil = 0;
    int16_t Puerto = 0;     // 1..6
    std::string ClaveModem; // router console password, Latin-1
    int16_t TipoPrueba = 0;
    std::string DirectorioOrigen;
    std::string DirectorioDestino;
    int16_t SeleccionDirectorio = 0; // 0 fills DirectorioOrigen, 1 DirectorioDestino
};

Sesion& sesion();

} // namespace tesedra
