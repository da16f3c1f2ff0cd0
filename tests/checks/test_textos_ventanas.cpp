// The texts of the check windows.
#include "TextosVentanas.h"

#include "checks/Pruebas.h"
#include "checks/fConectividadATM.h"
#include "checks/fConfiguracion.h"
#include "checks/fGenerico.h"

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

std::function<QWidget*()> Crear(int16_t prueba, int16_t modelo = 0)
{
    return [=] {
        sesion().TipoPrueba = prueba;
        return prueba == kPruebaConfiguracion
                   ? static_cast<QWidget*>(new fConfiguracion(nullptr, [=] { return modelo; }))
                   : new fGenerico(nullptr, {});
    };
}

} // namespace

TEXTOS_DE_VENTANAS(Checks, VentanaConTextos{"checks", "fGenerico_sync", Crear(kPruebaSincronizacion)},
                   VentanaConTextos{"checks", "fGenerico_ppp", Crear(kPruebaPPP)},
                   VentanaConTextos{"checks", "fConectividadATM", [] { return new fConectividadATM(nullptr, {}); }},
                   VentanaConTextos{"checks", "fConfiguracion", Crear(kPruebaConfiguracion, kOfficeRemote812)},
                   VentanaConTextos{"checks", "fConfiguracion_5660", Crear(kPruebaConfiguracion, kEfficient5660)},
                   VentanaConTextos{"checks", "fConfiguracion_otro", Crear(kPruebaConfiguracion)});
