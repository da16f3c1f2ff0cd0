// The router simulator: the program tesedra-routersim and its options run as a child
// and logged on to, its data folders, and the line settings it insists on.
#include "Esperar.h"
#include "Ficheros.h"
#include "Programas.h"
#include "Router.h"

#include <QProcess>

namespace tesedra {
namespace {

using namespace prueba;

class Simulador : public PruebaConRouter {
protected:
    void SetUp() override
    {
        PruebaConRouter::SetUp();
        ASSERT_TRUE(dir_.isValid());
        // A data folder of its own: one reply for every command, and a greeting that
        // mentions the password prompt in the middle of a line.
        ASSERT_TRUE(EscribirFichero(dir_.filePath("comandos.txt"), "* | sistema.txt\n"));
        ASSERT_TRUE(EscribirFichero(dir_.filePath("sistema.txt"), "System Name: de la carpeta\n"));
        ASSERT_TRUE(EscribirFichero(dir_.filePath("bienvenida.txt"), "Password: expires in 10 days, change it\n"));
    }
    void TearDown() override
    {
        PruebaConRouter::TearDown();
        if (p_.state() != QProcess::NotRunning) {
            p_.kill();
            p_.waitForFinished();
        }
    }
    // Starts the program; the first line it prints is the device.
    QString Iniciar(const QStringList& args)
    {
        p_.start(Programa(QStringLiteral("tesedra-routersim")), args);
        EXPECT_TRUE(p_.waitForStarted());
        EXPECT_TRUE(EsperarHasta([&] { return p_.canReadLine() || p_.state() == QProcess::NotRunning; }));
        return QString::fromLocal8Bit(p_.readLine()).trimmed();
    }

    QTemporaryDir dir_;
    QProcess p_;
};

enum class Mensaje { Ninguno, Tiempo, Perdida };

// A name, the program's arguments ("DIR" stands for the test's data folder), the model
// and password of the log-on, and the message it gives: Ninguno when it logs on, and
// then the command gets a reply holding the line.
using CasoPrograma = std::tuple<const char*, QStringList, int16_t, std::string, Mensaje, std::string, std::string>;

class Opciones : public Simulador, public testing::WithParamInterface<CasoPrograma> {};

TEST_P(Opciones, ShapeTheConsoleOfTheProgram)
{
    const auto& [nombre, argumentos, modelo, clave, mensaje, orden, linea] = GetParam();
    const QString ruta = Iniciar(QStringList(argumentos).replaceInStrings(QStringLiteral("DIR"), dir_.path()));
    ASSERT_TRUE(ruta.startsWith(QStringLiteral("/dev/"))) << ruta.toStdString();
    FijarRutaDispositivo(ruta.toStdString());
    sesion().ClaveModem = clave;
    ASSERT_EQ(IniciarModelo(modelo), mensaje == Mensaje::Ninguno);
    if (mensaje == Mensaje::Ninguno) {
        std::string r;
        ASSERT_TRUE(EnviarComando(orden, r, modelo, 0));
        EXPECT_NE(r.find("\r\n" + linea + "\r\n"), std::string::npos) << Visible(r);
        EXPECT_EQ(r.find("Setup?"), std::string::npos) << Visible(r);
        EXPECT_TRUE(dialogos_.mensajes.empty());
        return;
    }
    ASSERT_EQ(dialogos_.mensajes.size(), 1u);
    EXPECT_EQ(dialogos_.mensajes[0].texto == mensajes().msgTiempoModem, mensaje == Mensaje::Tiempo)
        << dialogos_.mensajes[0].texto;
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Opciones,
    testing::Values(
        CasoPrograma{"modelo_y_clave", Args("--model 5660 --password s3creta"), kEfficient5660, "s3creta",
                     Mensaje::Ninguno, "show pppauth",
                     "Username                       - arc0001@corporacion (VC 8/32)"},
        CasoPrograma{"sin_peticion", Args("--no-password --password otra"), kOfficeRemote812, "admin", Mensaje::Ninguno,
                     "show system", "System Name: 913456789"},
        CasoPrograma{"setup_paginado_ritmo", Args("--setup-question --paging 5 --baud 38400"), kOfficeRemote812,
                     "admin", Mensaje::Ninguno, "show dhcp server settings", "---Press <return> or type More for more"},
        CasoPrograma{"datos", Args("--model 5660 --data DIR"), kEfficient5660, "admin", Mensaje::Ninguno,
                     "show cualquier cosa", "System Name: de la carpeta"},
        CasoPrograma{"mudo", Args("--silent"), kOfficeRemote812, "admin", Mensaje::Tiempo, {}, {}},
        CasoPrograma{"calla", Args("--model 5660 --stop-after 5"), kEfficient5660, "admin", Mensaje::Tiempo, {}, {}},
        CasoPrograma{"desaparece", Args("--vanish-after 4"), kOfficeRemote812, "admin", Mensaje::Perdida, {}, {}}),
    [](const testing::TestParamInfo<CasoPrograma>& i) { return std::string(std::get<0>(i.param)); });

// --version answers on one line; wrong arguments end the program without a device.
TEST_F(Simulador, VersionOrWrongArgumentsEndTheProgramWithoutADevice)
{
    const Salida v = Ejecutar(Programa(QStringLiteral("tesedra-routersim")), {QStringLiteral("--version")});
    EXPECT_EQ(v.codigo, 0);
    EXPECT_EQ(v.salida, QByteArray("tesedra-routersim " TESEDRA_VERSION "\n"));
    for (const QStringList& args : {QStringList{"--model", "999"}, QStringList{"--stop-after", "x"},
                                    QStringList{"--data", dir_.filePath("no-existe")}}) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const Salida s = Ejecutar(Programa(QStringLiteral("tesedra-routersim")), args);
        EXPECT_GT(s.codigo, 0);
        EXPECT_TRUE(s.salida.isEmpty());
        EXPECT_FALSE(s.errores.isEmpty());
    }
}

// The 812 answers a password prompt only at the end of what came: a greeting that
// mentions it in the middle of a line gets no password.
TEST_F(Simulador, DataFolderGreetingMentioningThePasswordGetsNone)
{
    Router(kOfficeRemote812, [&](sim::OpcionesSimulador& o) {
        o.pedirPassword = false;
        o.carpetaDatos = dir_.path();
    });
    ASSERT_TRUE(IniciarModelo(kOfficeRemote812));
    for (const auto& l : router_->LineasRecibidas())
        EXPECT_EQ(l, "");
}

// A console understands nothing sent with other line settings than its own, as a
// real router on a wrong-speed line: the log-on times out. (A Linux pseudo-terminal
// forces 8 data bits and no parity enable bit, so 7 data bits or even parity never
// reach the simulator: no rows for them.)
// A name, the model, the speed, parity, data and stop bits, and whether it logs on.
using CasoLinea = std::tuple<std::string, int16_t, int32_t, std::string, int16_t, int16_t, bool>;

class LineaSerie : public Simulador, public testing::WithParamInterface<CasoLinea> {};

TEST_P(LineaSerie, OnlyTheModelsOwnSettingsLogOn)
{
    const auto& [nombre, modelo, baudios, paridad, bitsDatos, bitsParada, entra] = GetParam();
    auto& r = Router(modelo);
    tiempos().limiteAccesoS = 1;
    ASSERT_TRUE(AbrirPuertoRuta(r.RutaDispositivo().toStdString(), baudios, paridad, bitsDatos, bitsParada));
    EXPECT_EQ(modelo == kEfficient5660 ? AccederEfficient5660() : AccederOfficeRemote812(), entra);
    EXPECT_EQ(r.LineasRecibidas().empty(), !entra);
    EXPECT_EQ(dialogos_.mensajes.size(), entra ? 0u : 1u);
}

INSTANTIATE_TEST_SUITE_P(Ajustes, LineaSerie,
                         testing::Values(CasoLinea{"r812", kOfficeRemote812, 9600, "N", 8, 1, true},
                                         CasoLinea{"r812_a_38400", kOfficeRemote812, 38400, "N", 8, 1, false},
                                         CasoLinea{"r812_paridad_impar", kOfficeRemote812, 9600, "O", 8, 1, false},
                                         CasoLinea{"r812_paridad_marca", kOfficeRemote812, 9600, "M", 8, 1, false},
                                         CasoLinea{"r812_2_paradas", kOfficeRemote812, 9600, "N", 8, 2, false},
                                         CasoLinea{"r5660", kEfficient5660, 38400, "N", 8, 1, true},
                                         CasoLinea{"r5660_a_9600", kEfficient5660, 9600, "N", 8, 1, false}),
                         [](const testing::TestParamInfo<CasoLinea>& i) { return std::string(std::get<0>(i.param)); });

// --link links the path to the device, the link going with the program on SIGTERM; it
// replaces an earlier link only: a file or a folder that stands at the path is left as
// it was and the program refuses to start.
TEST_F(Simulador, LinkReplacesOnlyALinkAndGoesWithTheProgram)
{
    const QString enlace = dir_.filePath(QStringLiteral("router"));
    for (const std::string antes : {"nothing", "stale link", "file", "folder"}) {
        SCOPED_TRACE(antes);
        QFile::remove(enlace);
        QDir(enlace).removeRecursively();
        ASSERT_TRUE(antes == "file"         ? EscribirFichero(enlace, "precious\n")
                    : antes == "folder"     ? QDir().mkdir(enlace)
                    : antes == "stale link" ? QFile::link(dir_.filePath(QStringLiteral("gone")), enlace)
                                            : true);
        const QString ruta = Iniciar({QStringLiteral("--link"), enlace});
        if (antes == "file" || antes == "folder") {
            ASSERT_TRUE(p_.state() == QProcess::NotRunning || p_.waitForFinished());
            EXPECT_EQ(p_.exitCode(), 2);
            EXPECT_TRUE(p_.readAllStandardError().contains("not a link")) << ruta.toStdString();
            EXPECT_EQ(antes == "file" ? LeerFichero(enlace) : std::string(), antes == "file" ? "precious\n" : "");
            EXPECT_EQ(QFileInfo(enlace).isDir(), antes == "folder");
            continue;
        }
        EXPECT_EQ(QFileInfo(enlace).symLinkTarget(), ruta);
        FijarRutaDispositivo(enlace.toStdString());
        ASSERT_TRUE(IniciarModelo(kOfficeRemote812));
        CerrarPuerto();
        p_.terminate();
        ASSERT_TRUE(p_.waitForFinished());
        EXPECT_EQ(p_.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p_.exitCode(), 0);
        EXPECT_FALSE(QFileInfo(enlace).isSymLink());
    }
}

} // namespace
} // namespace tesedra
