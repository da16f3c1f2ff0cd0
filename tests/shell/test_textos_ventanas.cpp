// The texts of the log-on window, the management key dialog and the main window (its
// port list, the machine's own, by name only).
#include "TextosVentanas.h"

#include "shell/fClaveGestionProvision.h"
#include "shell/fMain.h"
#include "shell/fPerfil.h"

using namespace tesedra;
using namespace tesedra::prueba;

TEXTOS_DE_VENTANAS(Shell, VentanaConTextos{"shell", "fPerfil", [] { return new fPerfil(); }},
                   VentanaConTextos{"shell", "fMain", [] { return new fMain(); }, {"cPuerto"}},
                   VentanaConTextos{"shell", "fClaveGestionProvision", [] { return new fClaveGestionProvision(); }});
