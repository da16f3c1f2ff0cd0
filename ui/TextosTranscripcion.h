#pragma once
// Texts of saving a console transcript from a window.

#include "base/Idiomas.h"

namespace tesedra {

inline constexpr TextoDoble kTxtGuardarTranscripcion{"Guardar la transcripci\xF3n de la consola...",
                                                     "Save the console transcript..."};
inline constexpr TextoDoble kTxtSinTranscripcion{
    "Todav\xED"
    "a no hay transcripci\xF3n: esta ventana no ha hablado con el router.",
    "There is no transcript yet: this window has not talked to the router."};
inline constexpr TextoDoble kTxtFiltroTranscripcion{"Transcripci\xF3n de consola (*.txt)|*.txt",
                                                    "Console transcript (*.txt)|*.txt"};
inline constexpr TextoDoble kTxtErrorTranscripcion{"No se pudo guardar la transcripci\xF3n: ",
                                                   "The transcript could not be saved: "};

} // namespace tesedra
