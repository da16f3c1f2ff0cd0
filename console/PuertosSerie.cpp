#include "console/PuertosSerie.h"

#include "console/TextosPuertos.h"
#include "base/Idiomas.h"
#include "base/Latin1.h"

#include <QByteArray>
#include <QFile>
#include <QtGlobal>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <tuple>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <QSerialPortInfo>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
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

#ifndef Q_OS_WIN
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
#endif

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

std::vector<DestinoPuerto> AsignarPuertos(int16_t cuantos, const std::vector<PuertoDetectado>& ordenados,
                                          const std::vector<std::string>& variables)
{
    auto variableDe = [&](int16_t n) { return static_cast<size_t>(n) <= variables.size() ? variables[n - 1] : ""; };
    // A detected port that a variable names is that variable's port, not listed twice.
    std::vector<PuertoDetectado> libres;
    for (const PuertoDetectado& p : ordenados) {
        if (std::find(variables.begin(), variables.end(), p.ubicacion) == variables.end())
            libres.push_back(p);
    }
    std::vector<DestinoPuerto> destinos;
    size_t siguiente = 0;
    for (int16_t n = 1; n <= cuantos; ++n) {
        DestinoPuerto d;
        if (const std::string v = variableDe(n); !v.empty()) {
            d.ruta = v;
            d.origen = DestinoPuerto::Origen::Variable;
            d.variable = n;
            for (const PuertoDetectado& p : ordenados)
                if (p.ubicacion == v)
                    d.puerto = p;
        } else if (siguiente < libres.size()) {
            d.puerto = libres[siguiente++];
            d.ruta = d.puerto.ubicacion;
            d.origen = DestinoPuerto::Origen::Detectado;
        } else {
            d.ruta = "/dev/ttyS" + std::to_string(n - 1);
            d.origen = DestinoPuerto::Origen::Ninguno;
        }
        destinos.push_back(std::move(d));
    }
    return destinos;
}

DestinoPuerto DestinoDePuertoCom(int16_t puerto, const std::vector<PuertoDetectado>& detectados)
{
    DestinoPuerto d;
    const std::string nombre = "COM" + std::to_string(puerto);
    d.ruta = "\\\\.\\" + nombre;
    d.puerto.nombre = nombre;
    d.puerto.ubicacion = d.ruta;
    for (const PuertoDetectado& p : detectados) {
        if (QString::fromLatin1(p.nombre.c_str()).compare(QLatin1String(nombre.c_str()), Qt::CaseInsensitive) == 0) {
            d.puerto = p;
            d.origen = DestinoPuerto::Origen::Detectado;
            return d;
        }
    }
    d.origen = DestinoPuerto::Origen::Ninguno;
    return d;
}

std::vector<PuertoDetectado> PuertosDelMapa(const std::vector<std::pair<std::string, std::string>>& valores)
{
    std::vector<PuertoDetectado> puertos;
    for (const auto& [dispositivo, nombre] : valores) {
        // A value whose data is not a port name (empty, or some other text) is no port.
        const QString n = QString::fromLatin1(nombre.c_str()).trimmed();
        if (!n.startsWith(QLatin1String("COM"), Qt::CaseInsensitive))
            continue;
        bool ok = false;
        const int numero = n.mid(3).toInt(&ok);
        if (!ok || numero < 1)
            continue;
        PuertoDetectado p;
        p.nombre = "COM" + std::to_string(numero);
        p.ubicacion = "\\\\.\\" + p.nombre;
        p.descripcion = dispositivo;
        puertos.push_back(std::move(p));
    }
    return puertos;
}

namespace {

#ifndef Q_OS_WIN
std::string VariablePuerto(int16_t puerto)
{
    const QByteArray nombre = "TESEDRA_COM" + QByteArray::number(puerto);
    return qgetenv(nombre.constData()).toStdString();
}
#else
// The values of HKLM\HARDWARE\DEVICEMAP\SERIALCOMM, read with the registry's own
// calls: the value names hold backslashes, which QSettings would take for groups.
std::vector<std::pair<std::string, std::string>> MapaDelRegistro()
{
    std::vector<std::pair<std::string, std::string>> valores;
    HKEY clave = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE, &clave)
        != ERROR_SUCCESS)
        return valores;
    for (DWORD i = 0;; ++i) {
        wchar_t nombre[256];
        DWORD largoNombre = 256;
        wchar_t datos[256];
        DWORD bytesDatos = sizeof datos;
        DWORD tipo = 0;
        const LONG r = RegEnumValueW(clave, i, nombre, &largoNombre, nullptr, &tipo, reinterpret_cast<BYTE*>(datos),
                                     &bytesDatos);
        if (r == ERROR_NO_MORE_ITEMS)
            break;
        if (r != ERROR_SUCCESS || tipo != REG_SZ)
            continue;
        // The data need not end with its NUL.
        const qsizetype largoDatos = static_cast<qsizetype>(bytesDatos / sizeof(wchar_t));
        QString puerto = QString::fromWCharArray(datos, largoDatos);
        puerto.truncate(puerto.indexOf(QChar(0)) < 0 ? puerto.size() : puerto.indexOf(QChar(0)));
        valores.emplace_back(ToL1(QString::fromWCharArray(nombre, static_cast<qsizetype>(largoNombre))), ToL1(puerto));
    }
    RegCloseKey(clave);
    return valores;
}
#endif

} // namespace

DestinoPuerto DestinoDePuerto(int16_t puerto)
{
#ifdef Q_OS_WIN
    return DestinoDePuertoCom(puerto, PuertosDetectados());
#else
    if (puerto < 1) {
        DestinoPuerto d;
        d.ruta = "/dev/ttyS" + std::to_string(puerto - 1);
        return d;
    }
    // Port n's device depends on the variables of the numbers below it too.
    std::vector<std::string> variables;
    for (int16_t n = 1; n <= puerto; ++n)
        variables.push_back(VariablePuerto(n));
    if (!variables.back().empty())
        return AsignarPuertos(puerto, {}, variables).back();
    return AsignarPuertos(puerto, OrdenarPuertos(PuertosDetectados()), variables).back();
#endif
}

std::vector<PuertoOfrecido> PuertosOfrecidosCom(int16_t cuantos, const std::vector<PuertoDetectado>& mapa)
{
    std::vector<int16_t> numeros;
    for (int16_t n = 1; n <= cuantos; ++n)
        numeros.push_back(n);
    for (const PuertoDetectado& p : mapa) {
        // PuertosDelMapa names every port COMn, n from 1.
        const int n = std::atoi(p.nombre.c_str() + std::min<size_t>(3, p.nombre.size()));
        if (n > cuantos && n <= INT16_MAX && std::find(numeros.begin(), numeros.end(), n) == numeros.end())
            numeros.push_back(static_cast<int16_t>(n));
    }
    std::sort(numeros.begin(), numeros.end());
    std::vector<PuertoOfrecido> ofrecidos;
    ofrecidos.reserve(numeros.size());
    for (const int16_t n : numeros)
        ofrecidos.push_back({n, DestinoDePuertoCom(n, mapa)});
    return ofrecidos;
}

std::vector<PuertoOfrecido> DestinosPuertos(int16_t cuantos)
{
#ifdef Q_OS_WIN
    return PuertosOfrecidosCom(cuantos, PuertosDetectados());
#else
    std::vector<std::string> variables;
    for (int16_t n = 1; n <= cuantos; ++n)
        variables.push_back(VariablePuerto(n));
    std::vector<PuertoOfrecido> ofrecidos;
    int16_t n = 0;
    for (DestinoPuerto& d : AsignarPuertos(cuantos, OrdenarPuertos(PuertosDetectados()), variables)) {
        d.sin = PermisoQueFalta(d.ruta);
        ofrecidos.push_back({++n, std::move(d)});
    }
    return ofrecidos;
#endif
}

std::vector<PuertoDetectado> PuertosDetectados()
{
#ifdef Q_OS_WIN
    return PuertosDelMapa(MapaDelRegistro());
#else
    std::vector<PuertoDetectado> puertos;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        PuertoDetectado p;
        p.nombre = ToL1(info.portName());
        p.ubicacion = ToL1(info.systemLocation());
        p.descripcion = ToL1(info.description());
        p.fabricante = ToL1(info.manufacturer());
        p.vendedor = info.hasVendorIdentifier() ? info.vendorIdentifier() : 0;
        if (EmpiezaPor(p.nombre, "ttyS"))
            p.uart = UartReal(p.nombre);
        puertos.push_back(std::move(p));
    }
    return puertos;
#endif
}

std::string EtiquetaPuerto(int16_t puerto, const DestinoPuerto& destino)
{
    // A Windows port is shown by its name (COM3), not by the name it opens by.
    std::string texto = "Com " + std::to_string(puerto) + " - "
                        + (destino.puerto.nombre.empty() || EmpiezaPor(destino.ruta, "/") ? destino.ruta
                                                                                          : destino.puerto.nombre);
    if (!destino.puerto.descripcion.empty())
        texto += ", " + destino.puerto.descripcion;
    else if (destino.origen == DestinoPuerto::Origen::Variable)
        texto += ", TESEDRA_COM" + std::to_string(destino.variable);
    if (destino.origen == DestinoPuerto::Origen::Ninguno)
        texto += " (" + Traducir(kTxtSinDispositivo) + ")";
    if (destino.sin) {
        std::string marca = destino.sin->grupo.empty() ? Traducir(kTxtSinPermisoPropietario)
                                                       : Traducir(kTxtSinPermisoGrupo);
        const std::string& quien = destino.sin->grupo.empty() ? destino.sin->propietario : destino.sin->grupo;
        marca.replace(marca.find("%1"), 2, quien);
        texto += " (" + marca + ")";
    }
    return texto;
}

std::optional<SinPermiso> PermisoQueFalta(const std::string& ruta)
{
#ifdef Q_OS_WIN
    Q_UNUSED(ruta);
    return std::nullopt;
#else
    struct stat info {};
    if (::stat(ruta.c_str(), &info) != 0 || ::access(ruta.c_str(), R_OK | W_OK) == 0)
        return std::nullopt;
    SinPermiso s;
    const passwd* usuario = ::getpwuid(info.st_uid);
    s.propietario = usuario ? usuario->pw_name : std::to_string(info.st_uid);
    if ((info.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP)) {
        const group* grupo = ::getgrgid(info.st_gid);
        s.grupo = grupo ? grupo->gr_name : std::to_string(info.st_gid);
    }
    return s;
#endif
}

FalloApertura ClasificarFallo(PuertoSerie::SerialPortError error, bool existe, bool accesible)
{
    if (error == PuertoSerie::DeviceNotFoundError || (!existe && error != PuertoSerie::NoError))
        return FalloApertura::Ausente;
    if (error == PuertoSerie::PermissionError)
        return accesible ? FalloApertura::Ocupado : FalloApertura::Permiso;
    return FalloApertura::Otro;
}

FalloApertura ClasificarFallo(PuertoSerie::SerialPortError error, const std::string& ruta)
{
#ifdef Q_OS_WIN
    // A port opens for one program at a time: a denied open (access denied, a
    // sharing violation) is a port another program holds. The rest keeps the
    // system's words.
    Q_UNUSED(ruta);
    if (error == PuertoSerie::DeviceNotFoundError)
        return FalloApertura::Ausente;
    return error == PuertoSerie::PermissionError ? FalloApertura::Ocupado : FalloApertura::Otro;
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
    case FalloApertura::Permiso: {
        // The advice fits the device: the group to join when its group may use it,
        // else the owner who alone may (dialout is the usual group of serial ports).
        const std::optional<SinPermiso> sin = PermisoQueFalta(ruta);
        const bool porGrupo = !sin || !sin->grupo.empty();
        std::string consejo = Traducir(porGrupo ? kTxtFalloPermiso : kTxtFalloPermisoPropietario);
        const std::string quien = !sin ? "dialout" : porGrupo ? sin->grupo : sin->propietario;
        for (size_t p = consejo.find("%1"); p != std::string::npos; p = consejo.find("%1", p + quien.size()))
            consejo.replace(p, 2, quien);
        return inicio + consejo;
    }
#ifdef Q_OS_WIN
    case FalloApertura::Ocupado: return inicio + Traducir(kTxtFalloOcupadoWindows);
#else
    case FalloApertura::Ocupado: return inicio + Traducir(kTxtFalloOcupado);
#endif
    case FalloApertura::Ausente: return inicio + Traducir(kTxtFalloAusente);
    case FalloApertura::Otro: break;
    }
    return inicio + detalle;
}

} // namespace tesedra
