// The texts of the validation and reverse validation windows.
#include "TextosVentanas.h"

#include "validation/fValidacion.h"
#include "validation/fvalInversa.h"

using namespace tesedra;
using namespace tesedra::prueba;

TEXTOS_DE_VENTANAS(Validation,
                   VentanaConTextos{"validation", "fValidacion", [] { return new fValidacion(nullptr, {}); }},
                   VentanaConTextos{"validation", "fvalInversa", [] { return new fvalInversa(nullptr); }});
