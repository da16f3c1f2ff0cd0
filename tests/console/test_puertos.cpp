// Which device each port number opens, and what a failed open tells the technician.
#include "Router.h"
#include "console/PuertosSerie.h"
#include "console/TextosPuertos.h"

#include <QFile>
#include <QSerialPort>
#include <QTemporaryDir>

#include <unistd.h>

namespace tesedra {
namespace {

using prueba::PruebaConRouter;

PuertoDetectado Puerto(const std::string& nombre, const std::string& descripcion = {}, uint16_t vendedor = 0,
                       const std::string& fabricante = {}, bool uart = false)
{
    return {nombre, "/dev/" + nombre, descripcion, fabricante, vendedor, uart};
}

std::string Nombres(const std::vector<PuertoDetectado>& puertos)
{
    std::string s;
    for (const auto& p : puertos)
        s += (s.empty() ? "" : " ") + p.nombre;
    return s;
}

TEST(PortOrder, AdaptersFirstInNaturalOrderThenBuiltInPortsWithHardware)
{
    const struct {
        const char* caso;
        std::vector<PuertoDetectado> detectados;
        const char* orden;
    } casos[] = {
        {"adapters before built-in ports",
         {Puerto("ttyS0", "16550A", 0, {}, true), Puerto("ttyUSB0", "FT232R")},
         "ttyUSB0 ttyS0"},
        {"numbers by value", {Puerto("ttyUSB10"), Puerto("ttyUSB2"), Puerto("ttyUSB1")}, "ttyUSB1 ttyUSB2 ttyUSB10"},
        {"ACM and USB by name", {Puerto("ttyUSB0"), Puerto("ttyACM1"), Puerto("ttyACM0")}, "ttyACM0 ttyACM1 ttyUSB0"},
        {"placeholder ports go", {Puerto("ttyS1"), Puerto("ttyS0", {}, 0, {}, true), Puerto("ttyS2")}, "ttyS0"},
        {"any sign of hardware keeps a ttyS port",
         {Puerto("ttyS3", {}, 0x8086), Puerto("ttyS12", {}, 0, "Intel"), Puerto("ttyS4", "PCI serial")},
         "ttyS3 ttyS4 ttyS12"},
        {"other ports follow the adapters", {Puerto("ttyAMA0"), Puerto("ttyACM0")}, "ttyACM0 ttyAMA0"},
        {"leading zeros", {Puerto("ttyUSB010"), Puerto("ttyUSB9")}, "ttyUSB9 ttyUSB010"},
        {"nothing detected", {}, ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        EXPECT_EQ(Nombres(OrdenarPuertos(c.detectados)), c.orden);
    }
}

TEST(PortChoice, VariableThenDetectedThenTheNumberedBuiltInPort)
{
    const std::vector<PuertoDetectado> ordenados = {Puerto("ttyUSB0", "FT232R USB UART"), Puerto("ttyACM3")};
    const struct {
        int16_t puerto;
        const char* variable;
        const char* ruta;
        const char* etiqueta;
    } casos[] = {
        {1, "", "/dev/ttyUSB0", "Com 1 - ttyUSB0, FT232R USB UART"},
        {2, "", "/dev/ttyACM3", "Com 2 - ttyACM3"},
        {1, "/dev/pts/7", "/dev/pts/7", "Com 1 - /dev/pts/7"},
        {4, "/tmp/sim", "/tmp/sim", "Com 4 - /tmp/sim"},
        {3, "", "/dev/ttyS2", "Com 3 - /dev/ttyS2 (ning\xFAn dispositivo detectado)"},
        {6, "", "/dev/ttyS5", "Com 6 - /dev/ttyS5 (ning\xFAn dispositivo detectado)"},
    };
    CargarTextosControles(kIdiomaEspanol);
    for (const auto& c : casos) {
        SCOPED_TRACE(std::to_string(c.puerto) + " " + c.variable);
        const DestinoPuerto d = DestinoDePuerto(c.puerto, ordenados, c.variable);
        EXPECT_EQ(d.ruta, c.ruta);
        EXPECT_EQ(EtiquetaPuerto(c.puerto, d), c.etiqueta);
    }
    CargarTextosControles(kIdiomaIngles);
    EXPECT_EQ(EtiquetaPuerto(3, DestinoDePuerto(3, ordenados, "")), "Com 3 - /dev/ttyS2 (no device detected)");
    CargarTextosControles(kIdiomaEspanol);
}

TEST(OpenFailure, CauseFromTheErrorAndTheDeviceFile)
{
    const struct {
        QSerialPort::SerialPortError error;
        bool existe;
        bool accesible;
        FalloApertura fallo;
    } casos[] = {
        {QSerialPort::PermissionError, true, false, FalloApertura::Permiso},
        {QSerialPort::PermissionError, true, true, FalloApertura::Ocupado},
        {QSerialPort::PermissionError, false, false, FalloApertura::Ausente},
        {QSerialPort::DeviceNotFoundError, false, false, FalloApertura::Ausente},
        {QSerialPort::DeviceNotFoundError, true, true, FalloApertura::Ausente},
        {QSerialPort::OpenError, true, true, FalloApertura::Otro},
        {QSerialPort::UnsupportedOperationError, true, true, FalloApertura::Otro},
        {QSerialPort::NoError, true, true, FalloApertura::Otro},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::to_string(c.error) + " " + std::to_string(c.existe) + std::to_string(c.accesible));
        EXPECT_EQ(ClasificarFallo(c.error, c.existe, c.accesible), c.fallo);
    }
}

// Real opens through the program's channel: the message the technician sees names
// the device and says what to do, in both languages.
class AperturaFallida : public PruebaConRouter {
protected:
    void AbrirYComprobar(const std::string& ruta, const TextoDoble& consejo)
    {
        for (int16_t idioma : {kIdiomaEspanol, kIdiomaIngles}) {
            SCOPED_TRACE(idioma);
            CargarMensajes(idioma);
            CargarTextosControles(idioma);
            dialogos_.mensajes.clear();
            EXPECT_FALSE(AbrirPuertoRuta(ruta, 9600, "N", 8, 1));
            ASSERT_EQ(dialogos_.mensajes.size(), 1u);
            const std::string& texto = dialogos_.mensajes[0].texto;
            EXPECT_NE(texto.find(mensajes().msgErrConfModem + ": " + ruta + ": "), std::string::npos) << texto;
            EXPECT_NE(texto.find(Traducir(consejo)), std::string::npos) << texto;
        }
    }
    QTemporaryDir dir_;
};

TEST_F(AperturaFallida, MissingDeviceSaysItIsNotThere)
{
    AbrirYComprobar(dir_.filePath(QStringLiteral("ttyUSB9")).toStdString(), kTxtFalloAusente);
}

TEST_F(AperturaFallida, PortHeldByAnotherOpenerSaysAnotherProgramHasIt)
{
    Router(kEfficient5660);
    QSerialPort otro(router_->RutaDispositivo());
    ASSERT_TRUE(otro.open(QIODevice::ReadWrite)) << otro.errorString().toStdString();
    AbrirYComprobar(router_->RutaDispositivo().toStdString(), kTxtFalloOcupado);
    otro.close();
    // Once the other program lets go, the port opens.
    EXPECT_TRUE(AbrirPuertoRuta(router_->RutaDispositivo().toStdString(), 9600, "N", 8, 1));
}

// Root opens a device whatever its permissions: run as root, the open is tried as
// the unprivileged user "nobody" (real and effective ids, as a technician's program
// runs), and root's ids come back afterwards through the saved ones.
class ComoNobody {
public:
    ComoNobody()
    {
        if (::geteuid() != 0)
            return;
        cambiado_ = ::setresgid(kNobody, kNobody, 0) == 0 && ::setresuid(kNobody, kNobody, 0) == 0;
    }
    ~ComoNobody()
    {
        if (cambiado_) {
            EXPECT_EQ(::setresuid(0, 0, 0), 0);
            EXPECT_EQ(::setresgid(0, 0, 0), 0);
        }
    }
    bool SinPrivilegios() const { return ::geteuid() != 0 && ::getuid() != 0; }

private:
    static constexpr uid_t kNobody = 65534;
    bool cambiado_ = false;
};

TEST_F(AperturaFallida, DeviceWithoutPermissionNamesTheDialoutGroup)
{
    Router(kEfficient5660);
    const QString ruta = router_->RutaDispositivo();
    ASSERT_TRUE(QFile::setPermissions(ruta, QFileDevice::ReadOwner));
    const ComoNobody usuario;
    ASSERT_TRUE(usuario.SinPrivilegios());
    AbrirYComprobar(ruta.toStdString(), kTxtFalloPermiso);
}

} // namespace
} // namespace tesedra
