#pragma once
// The session values of one run of the program: set by the windows, read by
// the router exchanges. Nothing of it is saved between runs.

#include <cstdint>
#include <string>

namespace tesedra {

// Router model codes, as the main window's model list carries them.
inline constexpr int16_t kEfficient5660 = 1;
inline constexpr int16_t kOfficeRemote812 = 2;

// Profile codes.
inline constexpr int16_t kPerfilUsuario = 0;
inline constexpr int16_t kPerfilInstalador = 1;
inline constexpr int16_t kPerfilGestion = 2;

// Check type codes.
inline constexpr int16_t kPruebaSincronizacion = 0;
inline constexpr int16_t kPruebaATM = 1;
inline constexpr int16_t kPruebaPPP = 2;
inline constexpr int16_t kPruebaIP = 3;
inline constexpr int16_t kPruebaConfiguracion = 4;

struct Sesion {
    int16_t Perfil = 0;
    int16_t Puerto = 0;          // 1..6
    std::string ClaveModem;      // router console password, Latin-1
    int16_t TipoPrueba = 0;
    std::string DirectorioOrigen;
    std::string DirectorioDestino;
    int16_t SeleccionDirectorio = 0; // 0 fills DirectorioOrigen, 1 DirectorioDestino
};

Sesion& sesion();

} // namespace tesedra
