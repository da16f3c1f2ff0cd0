#include "validation/ValoresInstalacion.h"

namespace tesedra {

const std::array<CampoValores, kNumCampos> kCamposValores = {{
    {"telefono", &ValoresInstalacion::telefono},
    {"tipoModem", &ValoresInstalacion::tipoModem},
    {"versionSW", &ValoresInstalacion::versionSW},
    {"mac", &ValoresInstalacion::mac},
    {"ipLan", &ValoresInstalacion::ipLan},
    {"mascaraLan", &ValoresInstalacion::mascaraLan},
    {"ipWan", &ValoresInstalacion::ipWan},
    {"ipRemota", &ValoresInstalacion::ipRemota},
    {"usuarioARC", &ValoresInstalacion::usuarioARC},
    {"downStream", &ValoresInstalacion::downStream},
    {"upStream", &ValoresInstalacion::upStream},
    {"dhcpInicio", &ValoresInstalacion::dhcpInicio},
    {"dhcpFin", &ValoresInstalacion::dhcpFin},
    {"fecha", &ValoresInstalacion::fecha},
    {"atenuacionSubida", &ValoresInstalacion::atenuacionSubida},
    {"atenuacionBajada", &ValoresInstalacion::atenuacionBajada},
    {"margenRuidoSubida", &ValoresInstalacion::margenRuidoSubida},
    {"margenRuidoBajada", &ValoresInstalacion::margenRuidoBajada},
    {"modalidadServicio", &ValoresInstalacion::modalidadServicio},
    {"veredictoVelocidad", &ValoresInstalacion::veredictoVelocidad},
    {"veredictoRuido", &ValoresInstalacion::veredictoRuido},
    {"veredictoAtenuacion", &ValoresInstalacion::veredictoAtenuacion},
    {"numeroRegistro", &ValoresInstalacion::numeroRegistro},
}};

EstadoLinea& estadoLinea()
{
    static EstadoLinea e;
    return e;
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
    for (auto* campo : {&v.telefono, &v.versionSW, &v.mac, &v.ipLan, &v.mascaraLan, &v.usuarioARC,
                        &v.downStream, &v.upStream, &v.dhcpInicio, &v.dhcpFin}) {
        if (campo->empty())
            *campo = noConfigurado;
    }
    for (auto* campo : {&v.ipWan, &v.ipRemota, &v.atenuacionSubida, &v.atenuacionBajada,
                        &v.margenRuidoSubida, &v.margenRuidoBajada}) {
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
