#pragma once
// Which device each of the main window's ports "Com 1".."Com 6" (on Windows also
// every detected port above them) opens, and why opening one failed, in words that
// tell the technician what to do.
// On Linux port n is the device of TESEDRA_COM<n>; the detected ports take, in
// order, the numbers no variable takes; a number left over opens /dev/ttyS<n-1>.
// On Windows port n is always COMn, the port the system numbers so.

#include "console/PuertoSerie.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tesedra {

// A serial port the system reports. Texts are Latin-1.
struct PuertoDetectado {
    std::string nombre;      // ttyUSB0; on Windows COM3
    std::string ubicacion;   // /dev/ttyUSB0; on Windows \\.\COM3
    std::string descripcion; // FT232R USB UART; on Windows the system's device (\Device\USBSER000)
    std::string fabricante;  // FTDI
    uint16_t vendedor = 0;   // USB vendor id; 0 when none
    bool uart = false;       // a built-in port whose driver reports a real UART (sysfs type)
};

// The ports in the order "Com 1", "Com 2"... take them: USB and ACM adapters
// first, by name in natural order (ttyUSB2 before ttyUSB10); then the other ports,
// also by name. A built-in ttyS port is kept only when something real stands
// behind it (a vendor id, a manufacturer, a description, or a UART its driver
// reports): the kernel creates ttyS0..ttyS31 whether or not the board has them.
std::vector<PuertoDetectado> OrdenarPuertos(std::vector<PuertoDetectado> detectados);

// Why this user may not open a device (Linux): the group that may, when the
// device's group may read and write it, else its owner alone.
struct SinPermiso {
    std::string grupo;       // "dialout"; empty when the group may not
    std::string propietario; // "root"
};

// What port n opens and where that came from.
struct DestinoPuerto {
    enum class Origen { Variable, Detectado, Ninguno };
    std::string ruta;
    Origen origen = Origen::Ninguno;
    PuertoDetectado puerto;        // the detected port (Detectado; Variable when it is one)
    int16_t variable = 0;          // the n of the TESEDRA_COM<n> it came from (Variable)
    std::optional<SinPermiso> sin; // the user may not open it (set from the running system)
};

// Ports 1..cuantos (Linux): port n is the device of variables[n-1] when that is not
// empty; the detected ports (`ordenados`, OrdenarPuertos) take the other numbers in
// order, so an override hides none of them (one whose device is a variable's is not
// listed twice); a number left over opens /dev/ttyS<n-1>.
std::vector<DestinoPuerto> AsignarPuertos(int16_t cuantos, const std::vector<PuertoDetectado>& ordenados,
                                          const std::vector<std::string>& variables);

// Port n (1-based) on Windows: COMn, opened as \\.\COMn (the name every port
// opens by, COM10 and above only by it); Detectado when `detectados` (the system's
// serial-port map) holds COMn, Ninguno otherwise.
DestinoPuerto DestinoDePuertoCom(int16_t puerto, const std::vector<PuertoDetectado>& detectados);

// The serial-port map of the Windows registry (HKLM\HARDWARE\DEVICEMAP\SERIALCOMM):
// each value names a device (\Device\Serial0, \Device\USBSER000) and holds its port
// name (COM1). Read from `valores`, (device, port) pairs, in the order given.
std::vector<PuertoDetectado> PuertosDelMapa(const std::vector<std::pair<std::string, std::string>>& valores);

// The same from the running system: on Linux TESEDRA_COM<n> and the detected ports,
// on Windows COMn.
DestinoPuerto DestinoDePuerto(int16_t puerto);

// A port the port lists offer: its number ("Com n", --port n) and what it opens.
struct PuertoOfrecido {
    int16_t numero = 0;
    DestinoPuerto destino;
};

// The ports offered on Windows: 1..cuantos, then every port of `mapa` (the
// registry's serial-port map) numbered above them, in ascending order: USB
// adapters are usually given COM7 and above.
std::vector<PuertoOfrecido> PuertosOfrecidosCom(int16_t cuantos, const std::vector<PuertoDetectado>& mapa);

// The ports offered from the running system, detecting the ports once: on Linux
// 1..cuantos (each the device of DestinoDePuerto), on Windows PuertosOfrecidosCom.
std::vector<PuertoOfrecido> DestinosPuertos(int16_t cuantos);

// The serial ports the system reports now, unordered and unfiltered (on Windows,
// those of the registry's serial-port map).
std::vector<PuertoDetectado> PuertosDetectados();

// One form for every port: its device, then what it is or that nothing was
// detected, then that the user may not open it and what to do.
// "Com 1 - /dev/ttyUSB0, FT232R USB UART"; "Com 2 - /dev/pts/3, TESEDRA_COM2";
// "Com 3 - /dev/ttyS2 (no device detected)"; "Com 1 - /dev/ttyUSB0, FT232R USB
// UART (no permission: add your user to the dialout group)"; on Windows
// "Com 3 - COM3, \Device\Serial2", "Com 4 - COM4 (no device detected)".
std::string EtiquetaPuerto(int16_t puerto, const DestinoPuerto& destino);

// Whether this user may not open the device at `ruta`, and who may; nothing when
// the user may, or the device is not there. Linux; nothing on Windows.
std::optional<SinPermiso> PermisoQueFalta(const std::string& ruta);

// Why an open failed. Several causes reach the caller as the same
// port error (a denied permission, a port another program holds, a lock
// file that cannot be taken are all PermissionError): the device file itself
// tells them apart.
enum class FalloApertura { Permiso, Ocupado, Ausente, Otro };
FalloApertura ClasificarFallo(PuertoSerie::SerialPortError error, bool existe, bool accesible);
// The same, asking the device file at `ruta` whether it exists and may be opened
// for reading and writing by this user.
FalloApertura ClasificarFallo(PuertoSerie::SerialPortError error, const std::string& ruta);

// The message of a failed open of `ruta`: what went wrong and what to do about
// it; `detalle` (the system's own words) is added for causes without advice.
std::string MensajeFalloApertura(FalloApertura fallo, const std::string& ruta, const std::string& detalle);

} // namespace tesedra
