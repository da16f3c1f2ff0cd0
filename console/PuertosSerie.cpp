#include "console/PuertosSerie.h"

#include "console/TextosPuertos.h"
#include "base/Idiomas.h"
#include "base/Latin1.h"

#include <QByteArray>
#include <QFile>
#include <QSerialPortInfo>
#include <QtGlobal>

#include <algorithm>
#include <cctype>
#include <tuple>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace tesedra {

namespace {

bool EmpiezaPor(const std::string& texto, const char* prefijo)
{
    return texto.rfind(prefijo, 0) == 0;
}

bool EsAdaptador(const PuertoDetectado& p)
{
    return EmpiezaPor(p.nombre, "ttyUSB") || EmpiezaPor(p.nombre, "ttyACM");
}

// A ttyS entry with nothing behind it: the kernel's placeholders for ports the
// board does not have.
bool EsFantasma(const PuertoDetectado& p)
{
    return EmpiezaPor(p.nombre, "ttyS") && p.vendedor == 0 && p.fabricante.empty() && p.descripcion.empty() && !p.uart;
}

// Natural order: runs of digits compare by value, so ttyUSB2 comes before ttyUSB10.
bool AntesNatural(const std::string& a, const std::string& b)
{
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const bool da = std::isdigit(static_cast<unsigned char>(a[i])) != 0;
        const bool db = std::isdigit(static_cast<unsigned char>(b[j])) != 0;
        if (da && db) {
            size_t fi = i, fj = j;
            while (fi < a.size() && std::isdigit(static_cast<unsigned char>(a[fi])))
                ++fi;
            while (fj < b.size() && std::isdigit(static_cast<unsigned char>(b[fj])))
                ++fj;
            const std::string na = a.substr(i, fi - i), nb = b.substr(j, fj - j);
            const std::string sa = na.substr(std::min(na.find_first_not_of('0'), na.size()));
            const std::string sb = nb.substr(std::min(nb.find_first_not_of('0'), nb.size()));
            if (sa.size() != sb.size())
                return sa.size() < sb.size();
            if (sa != sb)
                return sa < sb;
            i = fi;
            j = fj;
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j];
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

// Whether the driver of a built-in port reports a UART behind it: the serial
// core's type number in sysfs (0 for none). Read from sysfs, the port itself is
// not opened (opening raises its control lines) and no permission is needed.
// Without the file the system's own listing is trusted.
bool UartReal(const std::string& nombre)
{
    QFile tipo(QStringLiteral("/sys/class/tty/%1/type").arg(QString::fromLatin1(nombre.c_str())));
    if (!tipo.open(QIODevice::ReadOnly))
        return true;
    bool ok = false;
    const int n = tipo.readAll().trimmed().toInt(&ok);
    return !ok || n != 0;
}

} // namespace

std::vector<PuertoDetectado> OrdenarPuertos(std::vector<PuertoDetectado> detectados)
{
    detectados.erase(std::remove_if(detectados.begin(), detectados.end(), EsFantasma), detectados.end());
    std::stable_sort(detectados.begin(), detectados.end(), [](const PuertoDetectado& a, const PuertoDetectado& b) {
        const bool ua = EsAdaptador(a), ub = EsAdaptador(b);
        if (ua != ub)
            return ua;
        return AntesNatural(a.nombre, b.nombre);
    });
    return detectados;
}

DestinoPuerto DestinoDePuerto(int16_t puerto, const std::vector<PuertoDetectado>& ordenados,
                              const std::string& variable)
{
    DestinoPuerto d;
    if (!variable.empty()) {
        d.ruta = variable;
        d.origen = DestinoPuerto::Origen::Variable;
    } else if (puerto >= 1 && static_cast<size_t>(puerto) <= ordenados.size()) {
        d.puerto = ordenados[static_cast<size_t>(puerto) - 1];
        d.ruta = d.puerto.ubicacion;
        d.origen = DestinoPuerto::Origen::Detectado;
    } else {
        d.ruta = "/dev/ttyS" + std::to_string(puerto - 1);
        d.origen = DestinoPuerto::Origen::Ninguno;
    }
    return d;
}

namespace {

std::string VariablePuerto(int16_t puerto)
{
    const QByteArray nombre = "TESEDRA_COM" + QByteArray::number(puerto);
    return qgetenv(nombre.constData()).toStdString();
}

} // namespace

DestinoPuerto DestinoDePuerto(int16_t puerto)
{
#ifdef Q_OS_WIN
    // Port n is COMn there: nothing to detect.
    return DestinoDePuerto(puerto, {}, "COM" + std::to_string(puerto));
#endif
    const std::string variable = VariablePuerto(puerto);
    if (!variable.empty())
        return DestinoDePuerto(puerto, {}, variable);
    return DestinoDePuerto(puerto, OrdenarPuertos(PuertosDetectados()), variable);
}

std::vector<DestinoPuerto> DestinosPuertos(int16_t cuantos)
{
#ifdef Q_OS_WIN
    std::vector<DestinoPuerto> fijos;
    for (int16_t n = 1; n <= cuantos; ++n)
        fijos.push_back(DestinoDePuerto(n));
    return fijos;
#endif
    const std::vector<PuertoDetectado> ordenados = OrdenarPuertos(PuertosDetectados());
    std::vector<DestinoPuerto> destinos;
    for (int16_t n = 1; n <= cuantos; ++n)
        destinos.push_back(DestinoDePuerto(n, ordenados, VariablePuerto(n)));
    return destinos;
}

std::vector<PuertoDetectado> PuertosDetectados()
{
    std::vector<PuertoDetectado> puertos;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        PuertoDetectado p;
        p.nombre = ToL1(info.portName());
        p.ubicacion = ToL1(info.systemLocation());
        p.descripcion = ToL1(info.description());
        p.fabricante = ToL1(info.manufacturer());
        p.vendedor = info.hasVendorIdentifier() ? info.vendorIdentifier() : 0;
#ifndef Q_OS_WIN
        if (EmpiezaPor(p.nombre, "ttyS"))
            p.uart = UartReal(p.nombre);
#endif
        puertos.push_back(std::move(p));
    }
    return puertos;
}

std::string EtiquetaPuerto(int16_t puerto, const DestinoPuerto& destino)
{
    std::string texto = "Com " + std::to_string(puerto) + " - ";
    switch (destino.origen) {
    case DestinoPuerto::Origen::Detectado:
        texto += destino.puerto.nombre;
        if (!destino.puerto.descripcion.empty())
            texto += ", " + destino.puerto.descripcion;
        break;
    case DestinoPuerto::Origen::Variable: texto += destino.ruta; break;
    case DestinoPuerto::Origen::Ninguno: texto += destino.ruta + " (" + Traducir(kTxtSinDispositivo) + ")"; break;
    }
    return texto;
}

FalloApertura ClasificarFallo(QSerialPort::SerialPortError error, bool existe, bool accesible)
{
    if (error == QSerialPort::DeviceNotFoundError || (!existe && error != QSerialPort::NoError))
        return FalloApertura::Ausente;
    if (error == QSerialPort::PermissionError)
        return accesible ? FalloApertura::Ocupado : FalloApertura::Permiso;
    return FalloApertura::Otro;
}

FalloApertura ClasificarFallo(QSerialPort::SerialPortError error, const std::string& ruta)
{
#ifdef Q_OS_WIN
    // The advice is for Linux (dialout, ModemManager): elsewhere only a missing
    // port is told apart, the rest keeps the system's words.
    Q_UNUSED(ruta);
    return error == QSerialPort::DeviceNotFoundError ? FalloApertura::Ausente : FalloApertura::Otro;
#else
    // access() asks with the real user's rights, the ones open() used: a
    // permission the user lacks shows here, a port that is merely taken does not.
    const bool existe = ::access(ruta.c_str(), F_OK) == 0;
    const bool accesible = ::access(ruta.c_str(), R_OK | W_OK) == 0;
    return ClasificarFallo(error, existe, accesible);
#endif
}

std::string MensajeFalloApertura(FalloApertura fallo, const std::string& ruta, const std::string& detalle)
{
    const std::string inicio = mensajes().msgErrConfModem + ": " + ruta + ": ";
    switch (fallo) {
    case FalloApertura::Permiso: return inicio + Traducir(kTxtFalloPermiso);
    case FalloApertura::Ocupado: return inicio + Traducir(kTxtFalloOcupado);
    case FalloApertura::Ausente: return inicio + Traducir(kTxtFalloAusente);
    case FalloApertura::Otro: break;
    }
    return inicio + detalle;
}

} // namespace tesedra
