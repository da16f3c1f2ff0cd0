// The check dispatcher.
#include "checks/Pruebas.h"

#include "console/Acceso.h"
#include "console/ComSerie.h"
#include "console/Transcripcion.h"
#include "base/Sesion.h"

#include <exception>

namespace tesedra {

namespace {

// The check of `tipoPrueba` on `modelo`; false when there is none (type 3 or unknown).
bool EjecutarCheck(int16_t modelo, int16_t tipoPrueba, const ParametrosPrueba& p, std::string& resultado)
{
    if (modelo == kEfficient5660) {
        switch (tipoPrueba) {
        case kPruebaSincronizacion: return SincronizacionEfficient5660(resultado);
        case kPruebaATM: return ATMEfficient5660(resultado, p);
        case kPruebaPPP: return PPPEfficient5660(resultado);
        case kPruebaConfiguracion: return ConfiguracionEfficient5660(resultado);
        default: return false;
        }
    }
    switch (tipoPrueba) {
    case kPruebaSincronizacion: return SincronizacionOfficeRemote812(resultado);
    case kPruebaATM: return ATMOfficeRemote812(resultado);
    case kPruebaPPP: return PPPOfficeRemote812(resultado);
    case kPruebaConfiguracion: return ConfiguracionOfficeRemote812(resultado, p);
    default: return false;
    }
}

} // namespace

bool SoloDigitos(const std::string& texto)
{
    for (const char c : texto) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

std::string EjecutarPrueba(int16_t modelo, int16_t tipoPrueba, const ParametrosPrueba& p)
{
    std::string resultado;
    try {
        if (modelo == kEfficient5660 || modelo == kOfficeRemote812) {
            static const char* const kNombres[] = {"sync", "atm", "ppp", "ip", "config"};
            Grabadora::Instancia().FijarOperacion(
                std::string("check-") + (tipoPrueba >= 0 && tipoPrueba <= 4 ? kNombres[tipoPrueba] : "other"));
            if (!IniciarModelo(modelo)) {
                CerrarPuerto();
                return {};
            }
            // Type 3 (and anything outside the table) runs nothing and gives "".
            if (!EjecutarCheck(modelo, tipoPrueba, p, resultado))
                resultado.clear();
        }
    } catch (const std::exception&) {
        resultado.clear();
    }
    CerrarPuerto();
    return resultado;
}

} // namespace tesedra
