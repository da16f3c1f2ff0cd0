// The four line checks of the Efficient SpeedStream 5660 (prompt "Command->").
#include "checks/Pruebas.h"

#include "console/ComSerie.h"
#include "console/Respuesta.h"
#include "base/Sesion.h"

namespace tesedra {

namespace {

constexpr int16_t kModelo = kEfficient5660;
const char* const kCRLF = "\r\n";

// The one-command pass-through checks: the reply without echo, prompt and paging lines.
bool PasarRespuesta(const std::string& comando, std::string& resultado)
{
    resultado.clear();
    std::string r;
    if (!EnviarOrden(comando, r, kModelo))
        return false;
    resultado = FiltrarLineas(r, {kPrompt5660, comando, kPaginado5660});
    return true;
}

} // namespace

bool SincronizacionEfficient5660(std::string& resultado)
{
    resultado.clear();
    std::string texto;
    for (const char* c : {"show dslstatus", "show dslstats", "show"}) {
        std::string r;
        if (!EnviarOrden(c, r, kModelo))
            return false;
        texto += r;
    }

    std::string version, activo, estado, txRate, alcanzable, snr, atenuacion, potencia;
    std::string perdidas[4];
    int ocurrenciasPerdida = 0;

    // The text between the first "-" and the next one (to the end when there is no second).
    auto entreGuiones = [](const std::string& linea) { return LimpiarValor(AntesDe(DespuesDe(linea, "-"), "-")); };
    auto trasGuion = [](const std::string& linea) { return LimpiarValor(DespuesDe(linea, "-")); };

    RecorrerLineas(texto, [&](const std::string& linea) {
        // One rule per line: the first whose label the line holds.
        if (Contiene(linea, "Software Version"))
            version = trasGuion(linea);
        else if (Contiene(linea, "DSL State"))
            estado = trasGuion(linea);
        else if (Contiene(linea, "Current TX Rate"))
            txRate = RecortarBlancos(DespuesDe(linea, "-"));
        else if (Contiene(linea, "Current Attainable Rate"))
            alcanzable = entreGuiones(linea);
        else if (Contiene(linea, "Current SNR Margin"))
            snr = entreGuiones(linea);
        else if (Contiene(linea, "Current Attenuation"))
            atenuacion = entreGuiones(linea);
        else if (Contiene(linea, "Current Output Power"))
            potencia = entreGuiones(linea);
        else if (Contiene(linea, "Loss of Link")) {
            // 1: loss of link count; 2..4: loss-of-link seconds of the current 15 minutes,
            // the current day and the previous day. Later ones change nothing.
            if (ocurrenciasPerdida < 4)
                perdidas[ocurrenciasPerdida] = entreGuiones(linea);
            ++ocurrenciasPerdida;
        } else if (Contiene(linea, "System Up Time"))
            activo = trasGuion(linea);
    });

    std::string s;
    s += "Software version: " + version + kCRLF;
    s += "System Up Time: " + activo + kCRLF;
    s += "DSL State: " + estado + kCRLF;
    s += "Current TX Rate: " + txRate + kCRLF;
    s += "Current Attainable Rate: " + alcanzable + kCRLF;
    s += "Current SNR Margin: " + snr + kCRLF;
    s += "Current Attenuation: " + atenuacion + kCRLF;
    s += "Current Output Power: " + potencia + kCRLF;
    s += kCRLF;
    s += std::string("---Performance Info---") + kCRLF;
    s += std::string("Failures:") + kCRLF;
    s += "\tLoss of Link: " + perdidas[0] + kCRLF + kCRLF;
    s += std::string("Current 15-minute Statistics:") + kCRLF;
    s += "\tLoss of Link Seconds: " + perdidas[1] + kCRLF + kCRLF;
    s += std::string("Current 1-day Statistics:") + kCRLF;
    s += "\tLoss of Link Seconds: " + perdidas[2] + kCRLF + kCRLF;
    s += std::string("Previous 1-day Statistics:") + kCRLF;
    s += "\tLoss of Link Seconds: " + perdidas[3] + kCRLF + kCRLF;
    resultado = std::move(s);
    return true;
}

bool ATMEfficient5660(std::string& resultado, const ParametrosPrueba& p)
{
    resultado.clear();
    std::string s;
    bool primero = true;
    for (const char* destino : {"seg", "end"}) {
        const std::string comando = std::string("atmping F5 ") + destino + " " + p.vp + " " + p.vc;
        std::string r;
        if (!EnviarOrden(comando, r, kModelo))
            return false;
        if (!primero)
            s += kCRLF;
        s += comando + kCRLF;
        s += FiltrarLineas(r, {comando, kPrompt5660, kPaginado5660});
        primero = false;
    }
    resultado = std::move(s);
    return true;
}

bool PPPEfficient5660(std::string& resultado)
{
    return PasarRespuesta("show pppstatus", resultado);
}

bool ConfiguracionEfficient5660(std::string& resultado)
{
    return PasarRespuesta("show cfg", resultado);
}

} // namespace tesedra
