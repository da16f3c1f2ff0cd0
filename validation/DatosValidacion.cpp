// Gathering and judging the installation values on each router model.
#include "validation/DatosValidacion.h"
#include "validation/JuicioLinea.h"
#include "base/Latin1.h"

#include "console/Acceso.h"
#include "console/ComSerie.h"
#include "console/Respuesta.h"
#include "console/Transcripcion.h"
#include "base/Dialogos.h"
#include "base/Sesion.h"
#include "validation/LecturaLinea.h"

#include <QDateTime>
#include <QLocale>

#include <exception>

namespace tesedra {

namespace {

// "dd/MM/yyyy " and the time of day in the system's short time format, both taken
// at the same instant.
std::string FechaActual()
{
    const QDateTime ahora = QDateTime::currentDateTime();
    const QString texto = ahora.date().toString(QStringLiteral("dd/MM/yyyy "))
                          + QLocale::system().toString(ahora.time(), QLocale::ShortFormat);
    return ToL1(texto);
}

// LimpiarValor of everything after the first `separador` of the line.
std::string ValorTras(const std::string& linea, const char* separador)
{
    return LimpiarValor(DespuesDe(linea, separador));
}

bool EmpiezaPor(const std::string& texto, const std::string& prefijo)
{
    return texto.compare(0, prefijo.size(), prefijo) == 0;
}

constexpr const char* kVersionCorta = "2.2.0(57)";

} // namespace

bool DatosValidacionEfficient5660(ValoresInstalacion& v)
{
    try {
        std::string texto;
        for (const char* c : {"show", "show pppauth", "show dhcpcfg", "show dslstatus"}) {
            std::string r;
            if (!EnviarOrden(c, r, kEfficient5660))
                return false;
            texto += r;
        }

        const EstadoLinea& e = estadoLinea();
        RecorrerLineas(texto, [&](const std::string& linea) {
            if (Contiene(linea, "Host Name"))
                v.telefono = ValorTras(linea, "-");
            if (Contiene(linea, "Software Version"))
                v.versionSW = ValorTras(linea, "-");
            if (Contiene(linea, "Factory MAC Address"))
                v.mac = ValorTras(linea, "-");
            if (Contiene(linea, "Ethernet Interface")) {
                // address/mask; without "/" the whole value is the address and the mask is empty
                const std::string valor = ValorTras(linea, "-");
                const auto barra = valor.find('/');
                v.mascaraLan = barra == std::string::npos ? std::string() : valor.substr(barra + 1);
                v.ipLan = AntesDe(valor, "/");
            }
            if (Contiene(linea, "DSL Interface") && !Contiene(linea, "State"))
                v.ipWan = AntesDe(ValorTras(linea, "-"), "/");
            if (Contiene(linea, "IP Gateway"))
                v.ipRemota = ValorTras(linea, "-");
            if (Contiene(linea, "Username"))
                v.usuarioARC = AntesDe(ValorTras(linea, "-"), " "); // without a blank: taken whole
            if (Contiene(linea, "Current Attainable Rate")) {
                std::string valor = ValorTras(linea, "-");
                if (Contiene(v.versionSW, kVersionCorta) && valor.size() > 16)
                    valor.resize(16);
                if (valor.size() < 2) {
                    const auto guion = valor.find('-');
                    valor = guion == std::string::npos ? std::string() : RecortarBlancos(valor.substr(0, guion + 1));
                } else if (Contiene(valor, "-")) {
                    valor = RecortarBlancos(AntesDe(valor, "-"));
                }
                v.downStream = valor;
            }
            if (Contiene(linea, "Start IP Range"))
                v.dhcpInicio = ValorTras(linea, "-");
            if (Contiene(linea, "End IP Range"))
                v.dhcpFin = ValorTras(linea, "-");
            if (e.ComprobarLinea) {
                // Stored without the line's CR LF: a line end inside a field would split
                // the record's line when the values are written out again.
                if (Contiene(linea, "Current TX Rate"))
                    v.upStream = ValorTras(linea, "-");
                // " - " in the value or a leading "-" is the router's "no reading".
                auto lectura = [&](std::string& campo) {
                    campo = ValorTras(linea, "-");
                    if (Contiene(campo, " - ") || EmpiezaPor(campo, "-"))
                        campo.clear();
                };
                if (Contiene(linea, "Current SNR Margin"))
                    lectura(v.margenRuidoBajada);
                if (Contiene(linea, "Current Attenuation"))
                    lectura(v.atenuacionBajada);
            } else {
                v.atenuacionBajada.clear();
                v.margenRuidoBajada.clear();
            }
        });

        const bool versionCorta = Contiene(v.versionSW, kVersionCorta);
        if (v.atenuacionBajada.empty())
            v.atenuacionBajada.assign(1, '0');
        else if (versionCorta)
            v.atenuacionBajada = v.atenuacionBajada.substr(0, 8);
        if (v.margenRuidoBajada.empty())
            v.margenRuidoBajada.assign(1, '0');
        else if (versionCorta)
            v.margenRuidoBajada = v.margenRuidoBajada.substr(0, 8);

        if (e.ComprobarLinea)
            MarcarFallosLinea(kEfficient5660, e.ModalidadServicio, v, estadoLinea());

        if (v.atenuacionBajada == "0")
            v.atenuacionBajada.clear();
        if (v.margenRuidoBajada == "0")
            v.margenRuidoBajada.clear();

        v.tipoModem = "Efficient Speed Stream 5660";
        v.fecha = FechaActual();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool DatosValidacionOfficeRemote812(ValoresInstalacion& v)
{
    try {
        const EstadoLinea& e = estadoLinea();
        constexpr int16_t modelo = kOfficeRemote812;

        // Sends one command and walks its reply unless the console answered with its
        // error report ("CLI -"), which leaves that command's fields as they are.
        auto paso = [&](const std::string& comando, auto&& alLinea) {
            std::string r;
            if (!EnviarOrden(comando, r, modelo))
                return false;
            if (!Contiene(r, "CLI -"))
                RecorrerLineas(r, alLinea);
            return true;
        };

        if (!paso("show system", [&](const std::string& l) {
                if (Contiene(l, "System Name"))
                    v.telefono = ValorTras(l, ":");
                if (Contiene(l, "System Version"))
                    v.versionSW = ValorTras(l, ":");
            }))
            return false;
        if (!paso("show ethernet settings", [&](const std::string& l) {
                if (Contiene(l, "Physical Address"))
                    v.mac = ValorTras(l, ":");
            }))
            return false;
        if (!paso("show ip network LAN settings", [&](const std::string& l) {
                if (Contiene(l, "Network Address")) {
                    // The address is printed with two more characters after it; a value
                    // shorter than those two becomes empty.
                    const std::string valor = ValorTras(l, ":");
                    v.ipLan = valor.size() < 2 ? std::string() : valor.substr(0, valor.size() - 2);
                }
                if (Contiene(l, "Mask"))
                    v.mascaraLan = ValorTras(l, ":");
            }))
            return false;
        if (!paso("show vc WAN", [&](const std::string& l) {
                if (Contiene(l, "Send Name"))
                    v.usuarioARC = ValorTras(l, ":");
            }))
            return false;
        if (!paso("show adsl transceiver_status", [&](const std::string& l) {
                if (Contiene(l, "Actual Negotiated Downstream Baud Rate"))
                    v.downStream = ValorTras(l, ":");
                if (!e.ComprobarLinea) {
                    v.upStream.clear();
                } else if (Contiene(l, "Actual Negotiated Upstream Baud Rate")) {
                    // Kept up to and including its first "s" ("640 Kbps"); empty without one.
                    const std::string valor = RecortarBlancos(DespuesDe(l, ":"));
                    const auto s = valor.find('s');
                    v.upStream = s == std::string::npos ? std::string() : valor.substr(0, s + 1);
                }
            }))
            return false;
        if (!paso("show dhcp server settings", [&](const std::string& l) {
                if (Contiene(l, "Start IP Address"))
                    v.dhcpInicio = ValorTras(l, ":");
                if (Contiene(l, "End IP Address"))
                    v.dhcpFin = ValorTras(l, ":");
            }))
            return false;
        if (!paso("list ip addresses", [&](const std::string& l) {
                if (Contiene(l, "atm:"))
                    v.ipWan = LimpiarValor(AntesDe(l, " "));
            }))
            return false;
        if (!paso("list ip routes", [&](const std::string& l) {
                if (Contiene(l, "000.000.000.000")) // the default route: its third word
                    v.ipRemota = LimpiarValor(AntesDe(Cortar(l, 2), " "));
            }))
            return false;

        if (e.ComprobarLinea) {
            if (!paso("show adsl transceiver_status", [&](const std::string& l) {
                    // label words, blank, ":", blank, value: one cut per word and one for the colon
                    if (Contiene(l, "Attenuation Upstream"))
                        v.atenuacionSubida = LimpiarValor(Cortar(l, 3));
                    if (Contiene(l, "Attenuation Downstream"))
                        v.atenuacionBajada = LimpiarValor(Cortar(l, 3));
                    if (Contiene(l, "Noise Margin Upstream"))
                        v.margenRuidoSubida = LimpiarValor(Cortar(l, 4));
                    if (Contiene(l, "Noise Margin Downstream"))
                        v.margenRuidoBajada = LimpiarValor(Cortar(l, 4));
                }))
                return false;
        } else {
            v.atenuacionSubida.clear();
            v.atenuacionBajada.clear();
            v.margenRuidoSubida.clear();
            v.margenRuidoBajada.clear();
        }

        std::string* const lecturas[] = {&v.atenuacionBajada, &v.atenuacionSubida, &v.margenRuidoBajada,
                                         &v.margenRuidoSubida};
        for (std::string* campo : lecturas) {
            if (Contiene(*campo, " dB"))
                campo->resize(campo->size() - 3);
            if (campo->empty())
                campo->assign(1, '0');
        }

        if (e.ComprobarLinea)
            MarcarFallosLinea(kOfficeRemote812, e.ModalidadServicio, v, estadoLinea());

        for (std::string* campo : lecturas) {
            if (*campo == "0")
                campo->clear();
        }

        v.tipoModem = "3Com OfficeConnect Remote 812";
        v.fecha = FechaActual();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool EjecutarValidacion(int16_t modelo, ValoresInstalacion& v)
{
    // Each run judges its own line: faults found by an earlier run are forgotten.
    OlvidarFallosLinea();
    LimpiarValores(v);

    bool ok = true;
    if (modelo == kEfficient5660 || modelo == kOfficeRemote812) {
        Grabadora::Instancia().FijarOperacion("validation");
        ok = IniciarModelo(modelo);
        if (ok)
            ok = modelo == kEfficient5660 ? DatosValidacionEfficient5660(v) : DatosValidacionOfficeRemote812(v);
    }
    CerrarPuerto();

    if (!ok) {
        // Nothing of a failed gathering may pass for a validation.
        LimpiarValores(v);
        OlvidarFallosLinea();
        return false;
    }
    CompletarValores(v);
    return true;
}

std::string MensajeFallosLinea()
{
    const EstadoLinea& e = estadoLinea();
    if (e.AtenuacionIncorrecta && e.RuidoIncorrecto)
        return "Proceso de validaci\xF3"
               "n err\xF3"
               "neo debido a niveles de atenuaci\xF3"
               "n y m\xE1"
               "rgenes de ruido incorrectos";
    if (e.AtenuacionIncorrecta)
        return "Proceso de validaci\xF3"
               "n err\xF3"
               "neo debido a niveles de atenuaci\xF3"
               "n incorrectos";
    if (e.RuidoIncorrecto)
        return "Proceso de validaci\xF3"
               "n err\xF3"
               "neo debido a m\xE1"
               "rgenes de ruido incorrectos";
    return {};
}

void AvisarTrasGuardar()
{
    const EstadoLinea& e = estadoLinea();
    if (!e.AtenuacionIncorrecta && !e.RuidoIncorrecto)
        return;
    MostrarError("Debe devolver la orden o solicitar un cambio de par");
    OlvidarFallosLinea();
}

} // namespace tesedra
