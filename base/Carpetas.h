#pragma once
// Folders the program works in.

#include <QString>

#include <cstdint>

namespace tesedra {

// The folder of the program's own executable.
QString CarpetaPrograma();

// The folder choice of the validation windows: `seleccion` 0 fills DirectorioOrigen,
// 1 DirectorioDestino (SeleccionDirectorio is set to it). The chooser goes through the
// dialog seam and opens on the program's own folder. True when a folder was chosen;
// a cancel changes nothing.
bool ElegirDirectorio(int16_t seleccion);

// The session folder values as paths.
QString DirectorioSesion(int16_t seleccion);

} // namespace tesedra
