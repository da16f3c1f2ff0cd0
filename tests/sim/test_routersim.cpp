// The router simulator: the program tesedra-routersim and its options run as a child
// and logged on to, its data folders, and the line settings it insists on.
#include "Esperar.h"
#include "Ficheros.h"
#include "Programas.h"
#include "Router.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>

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

struct CasoPrograma {
    const char* nombre;
    QStringList args; // "DIR" stands for the test's data folder
    int16_t modelo;
    std::string clave;
    Mensaje mensaje; // Ninguno: logs on, and `orden` gets a reply holding `linea`
    std::string orden;
    std::string linea;
};

class Opciones : public Simulador, public testing::WithParamInterface<CasoPrograma> {};

TEST_P(Opciones, ShapeTheConsoleOfTheProgram)
{
    const auto& c = GetParam();
    QStringList args = c.args;
    args.replaceInStrings(QStringLiteral("DIR"), dir_.path());
    const QString ruta = Iniciar(args);
    ASSERT_TRUE(ruta.startsWith(QStringLiteral("/dev/"))) << ruta.toStdString();
    FijarRutaDispositivo(ruta.toStdString());
    sesion().ClaveModem = c.clave;
    ASSERT_EQ(IniciarModelo(c.modelo), c.mensaje == Mensaje::Ninguno);
    if (c.mensaje == Mensaje::Ninguno) {
        std::string r;
        ASSERT_TRUE(EnviarComando(c.orden, r, c.modelo, 0));
        EXPECT_NE(r.find("\r\n" + c.linea + "\r\n"), std::string::npos) << Visible(r);
        EXPECT_EQ(r.find("Setup?"), std::string::npos) << Visible(r);
        EXPECT_TRUE(dialogos_.mensajes.empty());
        return;
    }
    ASSERT_EQ(dialogos_.mensajes.size(), 1u);
    EXPECT_EQ(dialogos_.mensajes[0].texto == mensajes().msgTiempoModem, c.mensaje == Mensaje::Tiempo)
        << dialogos_.mensajes[0].texto;
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Opciones,
    testing::Values(
        CasoPrograma{"modelo_y_clave",
                     {"--model", "5660", "--password", "s3creta"},
                     kEfficient5660,
                     "s3creta",
                     Mensaje::Ninguno,
                     "show pppauth",
                     "Username                       - arc0001@corporacion (VC 8/32)"},
        CasoPrograma{"sin_peticion",
                     {"--no-password", "--password", "otra"},
                     kOfficeRemote812,
                     "admin",
                     Mensaje::Ninguno,
                     "show system",
                     "System Name: 913456789"},
        CasoPrograma{"setup_paginado_ritmo",
                     {"--setup-question", "--paging", "5", "--baud", "38400"},
                     kOfficeRemote812,
                     "admin",
                     Mensaje::Ninguno,
                     "show dhcp server settings",
                     "---Press <return> or type More for more"},
        CasoPrograma{"datos",
                     {"--model", "5660", "--data", "DIR"},
                     kEfficient5660,
                     "admin",
                     Mensaje::Ninguno,
                     "show cualquier cosa",
                     "System Name: de la carpeta"},
        CasoPrograma{"mudo", {"--silent"}, kOfficeRemote812, "admin", Mensaje::Tiempo, {}, {}},
        CasoPrograma{
            "calla", {"--model", "5660", "--stop-after", "5"}, kEfficient5660, "admin", Mensaje::Tiempo, {}, {}},
        CasoPrograma{"desaparece", {"--vanish-after", "4"}, kOfficeRemote812, "admin", Mensaje::Perdida, {}, {}}),
    [](const testing::TestParamInfo<CasoPrograma>& i) { return std::string(i.param.nombre); });

TEST_F(Simulador, LinkGoesWithTheProgramOnSigterm)
{
    const QString enlace = dir_.filePath(QStringLiteral("router"));
    const QString ruta = Iniciar({QStringLiteral("--link"), enlace});
    EXPECT_EQ(QFileInfo(enlace).symLinkTarget(), ruta);
    FijarRutaDispositivo(enlace.toStdString());
    ASSERT_TRUE(IniciarModelo(kOfficeRemote812));
    CerrarPuerto();
    ::kill(static_cast<pid_t>(p_.processId()), SIGTERM);
    ASSERT_TRUE(p_.waitForFinished());
    EXPECT_EQ(p_.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p_.exitCode(), 0);
    EXPECT_FALSE(QFileInfo(enlace).isSymLink());
}

TEST_F(Simulador, WrongArgumentsEndTheProgramWithoutADevice)
{
    for (const QStringList& args : {QStringList{"--model", "999"}, QStringList{"--stop-after", "x"},
                                    QStringList{"--data", dir_.filePath("no-existe")}}) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const Salida s = Ejecutar(Programa(QStringLiteral("tesedra-routersim")), args);
        EXPECT_GT(s.codigo, 0);
        EXPECT_TRUE(s.salida.isEmpty());
        EXPECT_FALSE(s.errores.isEmpty());
    }
}

TEST_F(Simulador, VersionIsOneLine)
{
    const Salida s = Ejecutar(Programa(QStringLiteral("tesedra-routersim")), {QStringLiteral("--version")});
    EXPECT_EQ(s.codigo, 0);
    EXPECT_EQ(s.salida, QByteArray("tesedra-routersim " TESEDRA_VERSION "\n"));
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
struct CasoLinea {
    const char* nombre;
    int16_t modelo;
    int32_t baudios;
    const char* paridad;
    int16_t bitsDatos;
    int16_t bitsParada;
    bool entra;
};

class LineaSerie : public Simulador, public testing::WithParamInterface<CasoLinea> {};

TEST_P(LineaSerie, OnlyTheModelsOwnSettingsLogOn)
{
    const auto& c = GetParam();
    auto& r = Router(c.modelo);
    tiempos().limiteAccesoS = 1;
    ASSERT_TRUE(AbrirPuertoRuta(r.RutaDispositivo().toStdString(), c.baudios, c.paridad, c.bitsDatos, c.bitsParada));
    const bool entra = c.modelo == kEfficient5660 ? AccederEfficient5660() : AccederOfficeRemote812();
    EXPECT_EQ(entra, c.entra);
    EXPECT_EQ(r.LineasRecibidas().empty(), !c.entra);
    EXPECT_EQ(dialogos_.mensajes.size(), c.entra ? 0u : 1u);
}

INSTANTIATE_TEST_SUITE_P(Ajustes, LineaSerie,
                         testing::Values(CasoLinea{"r812", kOfficeRemote812, 9600, "N", 8, 1, true},
                                         CasoLinea{"r812_a_38400", kOfficeRemote812, 38400, "N", 8, 1, false},
                                         CasoLinea{"r812_paridad_impar", kOfficeRemote812, 9600, "O", 8, 1, false},
                                         CasoLinea{"r812_paridad_marca", kOfficeRemote812, 9600, "M", 8, 1, false},
                                         CasoLinea{"r812_2_paradas", kOfficeRemote812, 9600, "N", 8, 2, false},
                                         CasoLinea{"r5660", kEfficient5660, 38400, "N", 8, 1, true},
                                         CasoLinea{"r5660_a_9600", kEfficient5660, 9600, "N", 8, 1, false}),
                         [](const testing::TestParamInfo<CasoLinea>& i) { return std::string(i.param.nombre); });

// --link replaces an earlier link only: a file or a folder that stands at the path is
// left as it was and the program refuses to start.
TEST_F(Simulador, LinkReplacesOnlyALink)
{
    const QString enlace = dir_.filePath(QStringLiteral("router"));
    for (const char* antes : {"file", "folder", "stale link"}) {
        SCOPED_TRACE(antes);
        QFile::remove(enlace);
        QDir(enlace).removeRecursively();
        const std::string que = antes;
        if (que == "file")
            ASSERT_TRUE(EscribirFichero(enlace, "precious\n"));
        else if (que == "folder")
            ASSERT_TRUE(QDir().mkdir(enlace));
        else
            ASSERT_TRUE(QFile::link(dir_.filePath(QStringLiteral("gone")), enlace));
        const QString ruta = Iniciar({QStringLiteral("--link"), enlace});
        if (que == "stale link") {
            EXPECT_EQ(QFileInfo(enlace).symLinkTarget(), ruta);
            p_.terminate();
            ASSERT_TRUE(p_.waitForFinished());
            EXPECT_FALSE(QFileInfo(enlace).isSymLink());
            continue;
        }
        ASSERT_TRUE(p_.state() == QProcess::NotRunning || p_.waitForFinished());
        EXPECT_EQ(p_.exitCode(), 2);
        EXPECT_TRUE(p_.readAllStandardError().contains("not a link")) << ruta.toStdString();
        EXPECT_EQ(que == "file" ? LeerFichero(enlace) : std::string(), que == "file" ? "precious\n" : "");
        EXPECT_EQ(QFileInfo(enlace).isDir(), que == "folder");
    }
}

} // namespace
} // namespace tesedra
