#include "validation/ValoresInstalacion.h"

namespace tesedra {

namespace {
using V = ValoresInstalacion;
using G = GrupoCampo;
} // namespace

const std::array<CampoValores, kNumCampos> kCamposValores = {{
    {"telefono", &V::telefono, 1, 63, "", G::General},
    {"tipoModem", &V::tipoModem, 2, 64, "", G::General},
    {"versionSW", &V::versionSW, 3, 66, "", G::General},
    {"mac", &V::mac, 4, 62, "", G::General},
    {"ipLan", &V::ipLan, 5, 58, "", G::General},
    {"mascaraLan", &V::mascaraLan, 6, 59, "", G::General},
    {"ipWan", &V::ipWan, 7, 61, "", G::General},
    {"ipRemota", &V::ipRemota, 8, 60, "", G::General},
    {"usuarioARC", &V::usuarioARC, 9, 65, "", G::General},
    {"downStream", &V::downStream, 10, 57, "", G::General},
    {"upStream", &V::upStream, 15, 0, "", G::SoloRegistro},
    {"dhcpInicio", &V::dhcpInicio, 11, 56, "", G::General},
    {"dhcpFin", &V::dhcpFin, 12, 55, "", G::General},
    {"fecha", &V::fecha, 13, 0, "Fecha", G::Juicio},
    {"atenuacionSubida", &V::atenuacionSubida, 19, 67, "", G::Linea},
    {"atenuacionBajada", &V::atenuacionBajada, 18, 68, "", G::Linea},
    {"margenRuidoSubida", &V::margenRuidoSubida, 17, 69, "", G::Linea},
    {"margenRuidoBajada", &V::margenRuidoBajada, 16, 70, "", G::Linea},
    {"modalidadServicio", &V::modalidadServicio, 14, 75, "", G::Juicio},
    {"veredictoVelocidad", &V::veredictoVelocidad, 20, 0, "Veredicto velocidad", G::Juicio},
    {"veredictoRuido", &V::veredictoRuido, 21, 0, "Veredicto ruido", G::Juicio},
    {"veredictoAtenuacion", &V::veredictoAtenuacion, 22, 0, "Veredicto atenuaci\xF3n", G::Juicio},
    {"numeroRegistro", &V::numeroRegistro, 0, 0, "", G::SoloRegistro},
}};

const CampoValores& Campo(std::string ValoresInstalacion::*miembro)
{
    for (const CampoValores& c : kCamposValores) {
        if (c.miembro == miembro)
            return c;
    }
    return kCamposValores.back(); // every member is in the table
}

EstadoLinea& estadoLinea()
{
    static EstadoLinea e;
    return e;
}

void OlvidarFallosLinea()
{
    EstadoLinea& e = estadoLinea();
    e.AtenuacionIncorrecta = false;
    e.RuidoIncorrecto = false;
    e.VelocidadIncorrecta = false;
}

} // namespace tesedra

namespace tesedra {

void LimpiarValores(ValoresInstalacion& v)
{
    const std::string numero = v.numeroRegistro;
    v = ValoresInstalacion{};
    v.numeroRegistro = numero;
}

void CompletarValores(ValoresInstalacion& v)
{
    static const std::string noConfigurado = "No configurado";
    static const std::string noDisponible = "No disponible";
    for (auto* campo : {&v.telefono, &v.versionSW, &v.mac, &v.ipLan, &v.mascaraLan, &v.usuarioARC, &v.downStream,
                        &v.upStream, &v.dhcpInicio, &v.dhcpFin}) {
        if (campo->empty())
            *campo = noConfigurado;
    }
    for (auto* campo : {&v.ipWan, &v.ipRemota, &v.atenuacionSubida, &v.atenuacionBajada, &v.margenRuidoSubida,
                        &v.margenRuidoBajada}) {
        if (campo->empty())
            *campo = noDisponible;
    }

    const EstadoLinea& e = estadoLinea();
    if (e.ComprobarLinea) {
        switch (e.ModalidadServicio) {
        case kModalidadEstandar: v.modalidadServicio = "ESTANDAR"; break;
        case kModalidadClass: v.modalidadServicio = "CLASS"; break;
        case kModalidadPremium: v.modalidadServicio = "PREMIUM"; break;
        default: break;
        }
        v.veredictoAtenuacion = e.AtenuacionIncorrecta ? "NOK" : "OK";
        v.veredictoRuido = e.RuidoIncorrecto ? "NOK" : "OK";
        v.veredictoVelocidad = e.VelocidadIncorrecta ? "NOK" : "OK";
    } else {
        v.veredictoAtenuacion = "NOK";
        v.veredictoRuido = "NOK";
        v.veredictoVelocidad = "NOK";
        v.modalidadServicio = noDisponible;
    }
}

} // namespace tesedra
