// The texts of the IP connectivity window.
#include "TextosVentanas.h"

#include "ipconn/fconIP.h"

using namespace tesedra;
using namespace tesedra::prueba;

TEXTOS_DE_VENTANAS(Ipconn, VentanaConTextos{"ipconn", "fconIP", [] { return new fconIP(nullptr, {}); }});
