#pragma once
// The line checks: the dispatcher and the per-model checks.

#include <cstdint>
#include <string>

namespace tesedra {

// The values the check windows hold: VP and VC of the ATM window, the circuit name
// of the configuration window.
struct ParametrosPrueba {
    std::string vp = "8";
    std::string vc = "32";
    std::string circuito = "WAN";
};

// The rule of the ATM check's VP and VC: every character one of "0" to "9"
// (the empty text passes; the window leaves an empty box alone).
bool SoloDigitos(const std::string& texto);

// Logs on to `modelo`, runs check `tipoPrueba` and closes the port.
// The result text, or "" on any failure.
std::string EjecutarPrueba(int16_t modelo, int16_t tipoPrueba, const ParametrosPrueba& p);

bool SincronizacionOfficeRemote812(std::string& resultado);
bool ATMOfficeRemote812(std::string& resultado);
bool PPPOfficeRemote812(std::string& resultado);
bool ConfiguracionOfficeRemote812(std::string& resultado, const ParametrosPrueba& p);
bool SincronizacionEfficient5660(std::string& resultado);
bool ATMEfficient5660(std::string& resultado, const ParametrosPrueba& p);
bool PPPEfficient5660(std::string& resultado);
bool ConfiguracionEfficient5660(std::string& resultado);

} // namespace tesedra
