#pragma once
// Texts of the validation folder beyond the product's tables, in both languages
// (Latin-1 bytes).

#include "base/Idiomas.h"

namespace tesedra {

// The judged line values, as a screen reader names them.
inline constexpr TextoDoble kTxtAtenuacionBajada{"Atenuaci\xF3n en bajada", "Downstream attenuation"};
inline constexpr TextoDoble kTxtAtenuacionSubida{"Atenuaci\xF3n en subida", "Upstream attenuation"};
inline constexpr TextoDoble kTxtMargenRuidoBajada{"Margen de ruido en bajada", "Downstream noise margin"};
inline constexpr TextoDoble kTxtMargenRuidoSubida{"Margen de ruido en subida", "Upstream noise margin"};

// A limit beside a value ("m\xE1x. 61 dB") and read out ("m\xE1ximo 61 dB").
inline constexpr TextoDoble kTxtMaxCorto{"m\xE1x.", "max."};
inline constexpr TextoDoble kTxtMinCorto{"m\xEDn.", "min."};
inline constexpr TextoDoble kTxtMaximo{"m\xE1ximo", "maximum"};
inline constexpr TextoDoble kTxtMinimo{"m\xEDnimo", "minimum"};

// Verdicts, in the gender of the value's name (attenuation feminine, margin masculine).
inline constexpr TextoDoble kTxtCorrecta{"correcta", "correct"};
inline constexpr TextoDoble kTxtIncorrecta{"incorrecta", "incorrect"};
inline constexpr TextoDoble kTxtCorrecto{"correcto", "correct"};
inline constexpr TextoDoble kTxtIncorrecto{"incorrecto", "incorrect"};
inline constexpr TextoDoble kTxtNoLeido{"no se pudo leer", "could not be read"};

} // namespace tesedra

namespace tesedra {

// Saving a record: why the day file's lock was not had. "%1" is the day file, "%2"
// the lock file.
inline constexpr TextoDoble kTxtRegistroOcupado{
    "otro programa est\xE1 guardando en %1 y no ha terminado a tiempo; vuelva a intentarlo",
    "another program is saving into %1 and did not finish in time; try again"};
inline constexpr TextoDoble kTxtBloqueoImposible{"no se puede crear %2 para guardar en %1",
                                                 "%2 cannot be created to save into %1"};

// Reverse validation: what stops a run before any file, and what keeps one file
// from being written. "%1" and "%2" are paths.
inline constexpr TextoDoble kTxtOrigenNoIndicado{"Carpeta de origen no indicada", "Source folder not given"};
inline constexpr TextoDoble kTxtDestinoNoIndicado{"Carpeta de destino no indicada", "Destination folder not given"};
inline constexpr TextoDoble kTxtOrigenNoEncontrado{"Carpeta de origen no encontrada: %1",
                                                   "Source folder not found: %1"};
inline constexpr TextoDoble kTxtDestinoNoEncontrado{"Carpeta de destino no encontrada: %1",
                                                    "Destination folder not found: %1"};
inline constexpr TextoDoble kTxtOrigenNoEsCarpeta{"El origen no es una carpeta: %1", "Source is not a folder: %1"};
inline constexpr TextoDoble kTxtDestinoNoEsCarpeta{"El destino no es una carpeta: %1",
                                                   "Destination is not a folder: %1"};
inline constexpr TextoDoble kTxtOrigenIlegible{"No se puede leer la carpeta de origen: %1",
                                               "Source folder cannot be read: %1"};
inline constexpr TextoDoble kTxtFicheroIlegible{"no se puede leer %1: %2", "%1 cannot be read: %2"};
inline constexpr TextoDoble kTxtCarpetaEnMedio{"hay una carpeta con ese nombre", "a folder of that name is in the way"};
inline constexpr TextoDoble kTxtSalidaRepetida{"%1: su salida %2 ya se escribi\xF3 desde otro fichero",
                                               "%1: its output %2 was already written from another file"};

} // namespace tesedra
