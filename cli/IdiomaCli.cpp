#include "cli/IdiomaCli.h"

#include "base/Idiomas.h"

namespace tesedra::cli {

void CargarIdiomaDelEntorno()
{
    const int16_t idioma = IdiomaDelEntorno();
    CargarMensajes(idioma);
    CargarTextosControles(idioma);
}

} // namespace tesedra::cli
