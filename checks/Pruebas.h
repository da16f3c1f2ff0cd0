#pragma once
// The line checks: the dispatcher and the per-model checks.

#include <QString>

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

// Logs on to `modelo`, runs check `tipoPrueba` and closes the port.
// The result text, or "" on any failure.
std::string EjecutarPrueba(int16_t modelo, int16_t tipoPrueba, const ParametrosPrueba& p);

// Writes `texto` and one CR LF to `fichero`, replacing it. Shows msgErrEscFichero on failure.
bool GuardarResultado(const std::string& texto, const QString& fichero);

// The saving sequence of every result window: the save dialog (through the dialog seam)
// starting in the program's own folder, filter caption 90, default extension "txt";
// then GuardarResultado. A cancelled dialog writes nothing and shows nothing.
void SalvarResultado(const std::string& texto);

bool SincronizacionOfficeRemote812(std::string& resultado);
bool ATMOfficeRemote812(std::string& resultado);
bool PPPOfficeRemote812(std::string& resultado);
bool ConfiguracionOfficeRemote812(std::string& resultado, const ParametrosPrueba& p);
bool SincronizacionEfficient5660(std::string& resultado);
bool ATMEfficient5660(std::string& resultado, const ParametrosPrueba& p);
bool PPPEfficient5660(std::string& resultado);
bool ConfiguracionEfficient5660(std::string& resultado);

} // namespace tesedra
