#pragma once
// The serial port class of the console channel: QSerialPort on Linux; on Windows,
// where the build has no QtSerialPort, PuertoSerieWin, which drives the port through
// the system's communications API with the same interface, signals and error codes.
// Nothing above the channel knows which one it runs on.

#include <QtGlobal>

#ifdef Q_OS_WIN
#include "console/PuertoSerieWin.h"
namespace tesedra {
using PuertoSerie = PuertoSerieWin;
} // namespace tesedra
#else
#include <QSerialPort>
namespace tesedra {
using PuertoSerie = QSerialPort;
} // namespace tesedra
#endif
