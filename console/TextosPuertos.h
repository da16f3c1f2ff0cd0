#pragma once
// Texts of the serial ports: their list entries and the advice when one cannot
// be opened. Latin-1.

#include "base/Idiomas.h"

namespace tesedra {

inline constexpr TextoDoble kTxtSinDispositivo{"ning\xFAn dispositivo detectado", "no device detected"};

inline constexpr TextoDoble kTxtFalloPermiso{
    "sin permiso para abrir el puerto. A\xF1"
    "ada su usuario al grupo dialout con "
    "'sudo usermod -aG dialout $USER' y despu\xE9s cierre la sesi\xF3n y vuelva a entrar.",
    "no permission to open the port. Add your user to the dialout group with "
    "'sudo usermod -aG dialout $USER', then log out and log in again."};

inline constexpr TextoDoble kTxtFalloOcupado{
    "otro programa tiene el puerto abierto, normalmente ModemManager. Ci\xE9rrelo o "
    "det\xE9ngalo con 'sudo systemctl stop ModemManager' (o a\xF1"
    "ada una regla udev "
    "para que no tome el adaptador) y vuelva a intentarlo.",
    "another program holds the port, usually ModemManager. Close it or stop it with "
    "'sudo systemctl stop ModemManager' (or add a udev rule so it leaves the adapter "
    "alone) and try again."};

inline constexpr TextoDoble kTxtFalloAusente{
    "el dispositivo no existe o se ha desconectado. Compruebe que el adaptador est\xE1 "
    "enchufado y elija el puerto correcto.",
    "the device does not exist or has been unplugged. Check that the adapter is "
    "plugged in and choose the right port."};

} // namespace tesedra
