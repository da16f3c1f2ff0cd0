#pragma once
// The codes that travel between the parts: router model, profile and check type.
// Most files need only these, not the session values.

#include <cstdint>

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

} // namespace tesedra
