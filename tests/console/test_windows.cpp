// What only Windows has: the registry's serial-port map as the system keeps it, the
// advice for a port another program holds, and the per-user folders.
#include "console/ComSerie.h"
#include "console/HistorialTranscripciones.h"
#include "console/PuertosSerie.h"
#include "console/TextosPuertos.h"

#include "base/Carpetas.h"
#include "base/Idiomas.h"

#include "DialogosPrueba.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <windows.h>

using namespace tesedra;

namespace {

// The map as Wine or Windows keeps it, plus a value of a device with backslashes
// in its name (as a USB adapter's driver adds it): every port read, the added one
// offered after Com 1..Com 6 by the name and device the map gives it.
TEST(WindowsSystem, RegistrySerialPortMapIsReadWithItsDeviceNames)
{
    CargarTextosControles(kIdiomaIngles);
    const wchar_t* kDispositivo = L"\\Device\\Prueba\\USBSER017";
    HKEY clave = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_SET_VALUE, nullptr, &clave, nullptr),
              ERROR_SUCCESS);
    const wchar_t kPuerto[] = L"COM17";
    ASSERT_EQ(RegSetValueExW(clave, kDispositivo, 0, REG_SZ, reinterpret_cast<const BYTE*>(kPuerto), sizeof kPuerto),
              ERROR_SUCCESS);
    const std::vector<PuertoDetectado> detectados = PuertosDetectados();
    const std::vector<PuertoOfrecido> ofrecidos = DestinosPuertos(6);
    RegDeleteValueW(clave, kDispositivo);
    RegCloseKey(clave);

    // What the system itself listed (Wine: \Device\Serial0 = COM1 and on) is read too.
    const auto propios = std::count_if(detectados.begin(), detectados.end(), [](const PuertoDetectado& p) {
        return p.descripcion.rfind("\\Device\\Serial", 0) == 0 && p.nombre.rfind("COM", 0) == 0;
    });
    EXPECT_GT(propios, 0);
    ASSERT_GE(ofrecidos.size(), 7u);
    EXPECT_EQ(ofrecidos[5].numero, 6);
    const PuertoOfrecido& ultimo = ofrecidos.back();
    EXPECT_EQ(EtiquetaPuerto(ultimo.numero, ultimo.destino), "Com 17 - COM17, \\Device\\Prueba\\USBSER017");
    EXPECT_EQ(ultimo.destino.ruta, "\\\\.\\COM17");
}

// A port opens for one program at a time: a denied open is a port in use, and the
// message says what to do; a missing port keeps its own advice.
TEST(WindowsSystem, DeniedOpenOfAPortIsAPortAnotherProgramHolds)
{
    CargarTextosControles(kIdiomaIngles);
    const std::string ruta = "\\\\.\\COM3";
    EXPECT_EQ(MensajeFalloApertura(ClasificarFallo(PuertoSerie::PermissionError, ruta), "COM3", "Access denied."),
              mensajes().msgErrConfModem + ": COM3: " + Traducir(kTxtFalloOcupadoWindows));
    EXPECT_EQ(ClasificarFallo(PuertoSerie::DeviceNotFoundError, ruta), FalloApertura::Ausente);
    EXPECT_EQ(ClasificarFallo(PuertoSerie::OpenError, ruta), FalloApertura::Otro);
    // A bare name (--device com45) opens as the port's device, and a missing one says so.
    CargarMensajes(kIdiomaIngles);
    DialogosPrueba dialogos;
    EXPECT_FALSE(AbrirPuertoRuta("com45", 9600, "N", 8, 1));
    ASSERT_EQ(dialogos.mensajes.size(), 1u);
    EXPECT_EQ(dialogos.mensajes[0].texto, mensajes().msgErrConfModem + ": \\\\.\\com45: " + Traducir(kTxtFalloAusente));
}

// The program's files go to %LOCALAPPDATA%\Tesedra when its own folder cannot be
// written, its transcripts to %LOCALAPPDATA%\Tesedra\transcripts.
TEST(WindowsSystem, PerUserFoldersAreUnderLocalAppData)
{
    QTemporaryDir local;
    const QByteArray antes = qgetenv("LOCALAPPDATA");
    qputenv("LOCALAPPDATA", QDir::toNativeSeparators(local.path()).toLocal8Bit());
    const QString programa = local.filePath(QStringLiteral("not-a-folder.exe"));
    const QString elegida = CarpetaPrograma(programa, CarpetaPersonal());
    const QString transcripciones = CarpetaTranscripciones();
    qputenv("LOCALAPPDATA", antes);
    EXPECT_EQ(QDir::cleanPath(elegida), QDir::cleanPath(local.filePath(QStringLiteral("Tesedra"))));
    EXPECT_TRUE(QDir(elegida).exists());
    EXPECT_EQ(QDir::cleanPath(transcripciones), QDir::cleanPath(local.filePath(QStringLiteral("Tesedra/transcripts"))));
}

} // namespace
