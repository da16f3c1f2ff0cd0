// Which device each port number opens, and what a failed open tells the technician.
#include "Router.h"
#include "console/PuertosSerie.h"
#include "console/TextosPuertos.h"

#include <QFile>
#include <QSerialPort>
#include <QTemporaryDir>

#include <grp.h>
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
    const std::tuple<const char*, std::vector<PuertoDetectado>, const char*> casos[] = {
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
    for (const auto& [caso, detectados, orden] : casos) {
        SCOPED_TRACE(caso);
        EXPECT_EQ(Nombres(OrdenarPuertos(detectados)), orden);
    }
}

// The variables take their numbers; the detected ports the others, in order (an
// override hides none; one whose device a variable names is not listed twice); the
// numbers left open their ttyS. Every entry reads the same way: device, then what
// it is, then that the user may not open it and what to do.
TEST(PortChoice, VariablesThenDetectedPortsInTheOtherNumbersThenTheBuiltInOnes)
{
    const std::vector<PuertoDetectado> ordenados = {Puerto("ttyUSB0", "FT232R USB UART"), Puerto("ttyACM3")};
    // The variables set, and the labels of ports 1 to 4.
    const struct {
        std::vector<std::string> variables;
        const char* etiquetas;
    } casos[] = {
        {{},
         "Com 1 - /dev/ttyUSB0, FT232R USB UART|Com 2 - /dev/ttyACM3|Com 3 - /dev/ttyS2 (no device detected)|"
         "Com 4 - /dev/ttyS3 (no device detected)"},
        {{"/dev/pts/7"},
         "Com 1 - /dev/pts/7, TESEDRA_COM1|Com 2 - /dev/ttyUSB0, FT232R USB UART|Com 3 - "
         "/dev/ttyACM3|Com 4 - /dev/ttyS3 (no device detected)"},
        {{"", "", "/tmp/sim"},
         "Com 1 - /dev/ttyUSB0, FT232R USB UART|Com 2 - /dev/ttyACM3|Com 3 - /tmp/sim, "
         "TESEDRA_COM3|Com 4 - /dev/ttyS3 (no device detected)"},
        {{"", "/dev/ttyUSB0"},
         "Com 1 - /dev/ttyACM3|Com 2 - /dev/ttyUSB0, FT232R USB UART|Com 3 - /dev/ttyS2 "
         "(no device detected)|Com 4 - /dev/ttyS3 (no device detected)"},
    };
    CargarTextosControles(kIdiomaIngles);
    for (const auto& [variables, esperadas] : casos) {
        SCOPED_TRACE(testing::PrintToString(variables));
        const std::vector<DestinoPuerto> d = AsignarPuertos(4, ordenados, variables);
        std::string etiquetas;
        for (int16_t n = 1; n <= 4; ++n)
            etiquetas += (n > 1 ? "|" : "") + EtiquetaPuerto(n, d[static_cast<size_t>(n - 1)]);
        EXPECT_EQ(etiquetas, esperadas);
    }
    // A port the user may not open says who may.
    std::vector<DestinoPuerto> d = AsignarPuertos(2, ordenados, {});
    d[0].sin = SinPermiso{"dialout", "root"};
    d[1].sin = SinPermiso{"", "root"};
    CargarTextosControles(kIdiomaEspanol);
    EXPECT_EQ(EtiquetaPuerto(1, d[0]), "Com 1 - /dev/ttyUSB0, FT232R USB UART (sin permiso: a\xF1"
                                       "ada su usuario al grupo dialout)");
    CargarTextosControles(kIdiomaIngles);
    EXPECT_EQ(EtiquetaPuerto(2, d[1]), "Com 2 - /dev/ttyACM3 (no permission: only root may open it)");
    CargarTextosControles(kIdiomaEspanol);
}

TEST(OpenFailure, CauseFromTheErrorAndTheDeviceFile)
{
    const std::tuple<QSerialPort::SerialPortError, bool, bool, FalloApertura> casos[] = {
        {QSerialPort::PermissionError, true, false, FalloApertura::Permiso},
        {QSerialPort::PermissionError, true, true, FalloApertura::Ocupado},
        {QSerialPort::PermissionError, false, false, FalloApertura::Ausente},
        {QSerialPort::DeviceNotFoundError, false, false, FalloApertura::Ausente},
        {QSerialPort::DeviceNotFoundError, true, true, FalloApertura::Ausente},
        {QSerialPort::OpenError, true, true, FalloApertura::Otro},
        {QSerialPort::UnsupportedOperationError, true, true, FalloApertura::Otro},
        {QSerialPort::NoError, true, true, FalloApertura::Otro},
    };
    for (const auto& [error, existe, accesible, fallo] : casos) {
        SCOPED_TRACE(std::to_string(error) + " " + std::to_string(existe) + std::to_string(accesible));
        EXPECT_EQ(ClasificarFallo(error, existe, accesible), fallo);
    }
}

// Real opens through the program's channel: the message the technician sees names
// the device and says what to do, in both languages.
class AperturaFallida : public PruebaConRouter {
protected:
    // `quien` stands for the advice's "%1".
    void AbrirYComprobar(const std::string& ruta, const TextoDoble& consejo, const std::string& quien = {})
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
            std::string esperado = Traducir(consejo);
            for (size_t p = esperado.find("%1"); p != std::string::npos; p = esperado.find("%1"))
                esperado.replace(p, 2, quien);
            EXPECT_NE(texto.find(esperado), std::string::npos) << texto;
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

// Opened by a user who may not: the advice fits the device, the group to join when
// its group may use it, else its owner alone may; the port lists mark it the same way.
TEST_F(AperturaFallida, DeviceWithoutPermissionSaysWhoMayOpenIt)
{
    const std::tuple<QFileDevice::Permissions, const char*, const TextoDoble*, const char*> casos[] = {
        {QFileDevice::ReadOwner | QFileDevice::WriteOwner, "tty", &kTxtFalloPermisoPropietario, "root"},
        {QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::WriteGroup, "dialout", &kTxtFalloPermiso,
         "dialout"},
        {QFileDevice::ReadGroup | QFileDevice::WriteGroup, "tty", &kTxtFalloPermiso, "tty"},
    };
    for (const auto& [modo, grupo, consejo, quien] : casos) {
        SCOPED_TRACE(grupo);
        Router(kEfficient5660);
        const QString ruta = router_->RutaDispositivo();
        const group* g = ::getgrnam(grupo);
        ASSERT_TRUE(g);
        ASSERT_EQ(::chown(QFile::encodeName(ruta).constData(), 0, g->gr_gid), 0);
        ASSERT_TRUE(QFile::setPermissions(ruta, modo));
        const ComoNobody usuario;
        ASSERT_TRUE(usuario.SinPrivilegios());
        AbrirYComprobar(ruta.toStdString(), *consejo, quien);
        const std::optional<SinPermiso> sin = PermisoQueFalta(ruta.toStdString());
        ASSERT_TRUE(sin.has_value());
        EXPECT_EQ(sin->grupo.empty() ? sin->propietario : sin->grupo, quien);
    }
}

} // namespace
} // namespace tesedra
