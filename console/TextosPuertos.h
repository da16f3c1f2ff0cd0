#pragma once
// Texts of the serial ports and the console link: the ports' list entries, the
// advice when one cannot be opened, and the router that stopped answering. Latin-1.

#include "base/Idiomas.h"

namespace tesedra {

inline constexpr TextoDoble kTxtSinDispositivo{"ning\xFAn dispositivo detectado", "no device detected"};

// %1: the device's group, which may read and write it.
inline constexpr TextoDoble kTxtFalloPermiso{
    "sin permiso para abrir el puerto. A\xF1"
    "ada su usuario al grupo %1 con "
    "'sudo usermod -aG %1 $USER' y despu\xE9s cierre la sesi\xF3n y vuelva a entrar.",
    "no permission to open the port. Add your user to the %1 group with "
    "'sudo usermod -aG %1 $USER', then log out and log in again."};
// %1: the device's owner, the only one who may open it.
inline constexpr TextoDoble kTxtFalloPermisoPropietario{
    "sin permiso para abrir el puerto: solo puede abrirlo su propietario (%1). Pida al "
    "administrador acceso al dispositivo.",
    "no permission to open the port: only its owner (%1) may. Ask the administrator for "
    "access to the device."};
// The port lists' mark of a port the user may not open.
inline constexpr TextoDoble kTxtSinPermisoGrupo{"sin permiso: a\xF1"
                                                "ada su usuario al grupo %1",
                                                "no permission: add your user to the %1 group"};
inline constexpr TextoDoble kTxtSinPermisoPropietario{"sin permiso: solo puede abrirlo %1",
                                                      "no permission: only %1 may open it"};

inline constexpr TextoDoble kTxtFalloOcupado{
    "otro programa tiene el puerto abierto, normalmente ModemManager. Ci\xE9rrelo o "
    "det\xE9ngalo con 'sudo systemctl stop ModemManager' (o a\xF1"
    "ada una regla udev "
    "para que no tome el adaptador) y vuelva a intentarlo.",
    "another program holds the port, usually ModemManager. Close it or stop it with "
    "'sudo systemctl stop ModemManager' (or add a udev rule so it leaves the adapter "
    "alone) and try again."};

// Windows: a serial port opens for one program at a time.
inline constexpr TextoDoble kTxtFalloOcupadoWindows{
    "otro programa tiene el puerto abierto (un programa de terminal, el software del "
    "adaptador u otra copia de este programa). Ci\xE9rrelo y vuelva a intentarlo.",
    "another program holds the port (a terminal program, the adapter's software or "
    "another copy of this program). Close it and try again."};

inline constexpr TextoDoble kTxtFalloAusente{
    "el dispositivo no existe o se ha desconectado. Compruebe que el adaptador est\xE1 "
    "enchufado y elija el puerto correcto.",
    "the device does not exist or has been unplugged. Check that the adapter is "
    "plugged in and choose the right port."};

// %1: the silence limit in seconds.
inline constexpr TextoDoble kTxtRouterCallado{
    "El router ha dejado de responder: no ha enviado nada en %1 s. Compruebe que sigue "
    "encendido, que el cable serie est\xE1 bien conectado a los dos equipos y que la consola "
    "no la ocupa otra sesi\xF3n; despu\xE9s vuelva a intentarlo.",
    "The router stopped answering: nothing came from it for %1 s. Check that it is still "
    "switched on, that the serial cable is firmly connected at both ends and that no other "
    "session holds its console, then try again."};

} // namespace tesedra
