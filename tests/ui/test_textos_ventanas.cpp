// The texts of the processing dialog and the folder chooser (its drives and the
// current folder, written in the platform's form, by name only).
#include "TextosVentanas.h"

#include "ui/fdirectorio.h"

using namespace tesedra;
using namespace tesedra::prueba;

TEXTOS_DE_VENTANAS(
    Ui, VentanaConTextos{"ui", "fProcesando", [] { return new fProcesando(); }},
    VentanaConTextos{"ui", "fdirectorio", [] { return new fdirectorio(nullptr, "/"); }, {"dUnidad", "tCarpetaActual"}});
