// The four line checks of the 3Com OfficeConnect Remote 812 (prompt "3Com-DSL>").
#include "checks/Pruebas.h"

#include "console/ComSerie.h"
#include "console/Respuesta.h"
#include "base/Sesion.h"

#include <vector>

namespace tesedra {

namespace {

constexpr int16_t kModelo = kOfficeRemote812;
const char* const kCRLF = "\r\n";
// The paging prompt's wording without its leading dashes: the PPP check drops a
// line holding it whether or not the dashes came with it.
const std::string kPaginado812SinGuiones = std::string(kPaginado812).substr(3);

// Sends the commands in order; their replies in `respuestas`. False at the first failure.
bool EnviarOrdenes(const std::vector<std::string>& comandos, std::vector<std::string>& respuestas)
{
    respuestas.clear();
    for (const auto& c : comandos) {
        std::string r;
        if (!EnviarOrden(c, r, kModelo))
            return false;
        respuestas.push_back(std::move(r));
    }
    return true;
}

} // namespace

bool SincronizacionOfficeRemote812(std::string& resultado)
{
    resultado.clear();
    std::vector<std::string> r;
    if (!EnviarOrdenes({"show adsl transceiver_status", "show adsl performance", "show system"}, r))
        return false;
    const std::string texto = r[0] + r[1] + r[2];

    std::string version, atenSub, atenBaj, ruidoSub, ruidoBaj, potATUR, potATUC, velBaj, velSub, caidas, desdeArranque,
        desdeCaida, activo;

    // Every line is tested against every label. A value is what follows the first ":"
    // of the line, or what follows the one character after the label; blanks trimmed,
    // the line's CR LF kept.
    enum class Corte { TrasDosPuntos, TrasEtiqueta };
    struct Regla {
        const char* etiqueta;
        Corte corte;
        std::string* valor;
    };
    const Regla reglas[] = {
        {"System Version:", Corte::TrasDosPuntos, &version},
        {"Attenuation Upstream", Corte::TrasEtiqueta, &atenSub},
        {"Attenuation Downstream", Corte::TrasEtiqueta, &atenBaj},
        {"Noise Margin Upstream", Corte::TrasEtiqueta, &ruidoSub},
        {"Noise Margin Downstream", Corte::TrasEtiqueta, &ruidoBaj},
        {"Transmit Power (ATUR)", Corte::TrasEtiqueta, &potATUR},
        {"Transmit Power (ATUC)", Corte::TrasEtiqueta, &potATUC},
        {"Actual Negotiated Downstream Baud Rate", Corte::TrasDosPuntos, &velBaj},
        {"Actual Negotiated Upstream Baud Rate", Corte::TrasDosPuntos, &velSub},
        {"Number of link down events", Corte::TrasDosPuntos, &caidas},
        {"Total time since system reboot", Corte::TrasDosPuntos, &desdeArranque},
        {"Total time since last link down", Corte::TrasDosPuntos, &desdeCaida},
        {"System UpTime", Corte::TrasDosPuntos, &activo},
    };
    auto valorDe = [](const std::string& linea, const std::string& etiqueta, Corte corte) {
        if (corte == Corte::TrasDosPuntos)
            return RecortarBlancos(DespuesDe(linea, ":"));
        const auto pos = linea.find(etiqueta) + etiqueta.size() + 1;
        return pos >= linea.size() ? std::string() : RecortarBlancos(linea.substr(pos));
    };

    RecorrerLineas(texto, [&](const std::string& linea) {
        for (const auto& regla : reglas) {
            if (Contiene(linea, regla.etiqueta))
                *regla.valor = valorDe(linea, regla.etiqueta, regla.corte);
        }
    });

    std::string s;
    s += "System Version:\t" + version + kCRLF;
    s += kCRLF;
    s += "Attenuation Upstream:\t" + atenSub + kCRLF;
    s += "Attenuation Downstream:\t" + atenBaj + kCRLF;
    s += kCRLF;
    s += "Noise Margin Upstream:\t\t" + ruidoSub + kCRLF;
    s += "Noise Margin Downstream:\t" + ruidoBaj + kCRLF;
    s += kCRLF;
    s += "Transmit Power(ATUR):\t" + potATUR + kCRLF;
    s += "Transmit Power(ATUC):\t" + potATUC + kCRLF;
    s += kCRLF;
    s += "Actual Negotiated Downstream Baud Rate:\t" + velBaj + kCRLF;
    s += "Actual Negotiated Upstream Baud Rate:\t" + velSub + kCRLF;
    s += kCRLF;
    s += "Number of link down events:\t" + caidas + kCRLF;
    s += kCRLF;
    s += "Total time since system reboot:\t" + desdeArranque + kCRLF;
    s += kCRLF;
    s += "Total time since last link down:\t" + desdeCaida + kCRLF;
    s += kCRLF;
    s += "System Up Time:\t" + activo + kCRLF;
    resultado = std::move(s);
    return true;
}

bool ATMOfficeRemote812(std::string& resultado)
{
    resultado.clear();
    std::vector<std::string> r;
    if (!EnviarOrdenes({"show atm status"}, r))
        return false;
    resultado = FiltrarLineas(r[0], {kPrompt812, "show atm status"});
    return true;
}

bool PPPOfficeRemote812(std::string& resultado)
{
    resultado.clear();
    std::vector<std::string> r;
    if (!EnviarOrdenes({"list ppp", "show ppp on vc WAN settings"}, r))
        return false;
    resultado = FiltrarLineas(r[0] + kCRLF + kCRLF + r[1],
                              {"show ppp on vc WAN settings", "list ppp", kPrompt812, kPaginado812SinGuiones});
    return true;
}

bool ConfiguracionOfficeRemote812(std::string& resultado, const ParametrosPrueba& p)
{
    resultado.clear();
    std::vector<std::string> r;
    if (!EnviarOrdenes(
            {"show vc " + p.circuito + " settings", "show ip network LAN settings", "show dhcp server settings"}, r))
        return false;
    // The echo of the first command is dropped only for the circuit name "internet":
    // the drop list is fixed, as the saved results have always shown it.
    resultado = FiltrarLineas(r[0] + r[1] + r[2],
                              {"show vc internet settings", "show ip network LAN settings", "show dhcp server settings",
                               kPrompt812, kPaginado5660, kPaginado812});
    return true;
}

} // namespace tesedra
