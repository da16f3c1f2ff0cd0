#pragma once
// Folders the program works in.

#include <QString>

#include <cstdint>

namespace tesedra {

// The folder the program writes its files in and opens its folder and file
// choosers on: the folder of its own executable when this user may create files
// there (run from the build folder, or a portable copy), else the per-user folder
// Tesedra in CarpetaPersonal() (an installed program lives in /usr/bin or in
// Program Files, which a technician cannot write).
QString CarpetaPrograma();

// The folder that holds the per-user Tesedra folder: the home folder on Linux,
// %LOCALAPPDATA% on Windows.
QString CarpetaPersonal();

// The same choice for a given executable folder and per-user folder: `programa`
// when it is a folder this user can create files in (CarpetaEscribible); else
// `personal`/Tesedra, created when missing.
QString CarpetaPrograma(const QString& programa, const QString& personal);

// Whether this user can create files in the folder `carpeta`, found out by creating
// (and removing) one there: the answer the later writes will get, whatever the
// permission bits, access lists or mount options say. False with the system's
// reason in `motivo`.
bool CarpetaEscribible(const QString& carpeta, QString* motivo = nullptr);

// The folder choice of the validation windows: `seleccion` 0 fills DirectorioOrigen,
// 1 DirectorioDestino (SeleccionDirectorio is set to it). The chooser goes through the
// dialog seam and opens on CarpetaPrograma(). True when a folder was chosen;
// a cancel changes nothing.
bool ElegirDirectorio(int16_t seleccion);

// The session folder values as paths.
QString DirectorioSesion(int16_t seleccion);

} // namespace tesedra
