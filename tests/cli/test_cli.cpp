// tesedra-cli run as a separate process: against the router simulator of this test
// process (over a pseudo-terminal, with --device), over real folders, and on a
// terminal of its own for the password prompt and the progress shown.
#include "validation/FicheroRegistro.h"
#include "validation/ValidacionInversa.h"
#include "console/Transcripcion.h"

#include "Esperar.h"
#include "Ficheros.h"
#include "Programas.h"
#include "Router.h"

#include <QDate>
#include <QProcess>

#include <cerrno>
#include <csignal>
#include <regex>

#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

class Cli : public PruebaConRouter {
protected:
    // "@dev" in a text stands for the router's device, "@dir" for a temporary folder.
    QString Sustituir(QString s) const
    {
        return s.replace(QStringLiteral("@dev"), router_ ? router_->RutaDispositivo() : QString())
            .replace(QStringLiteral("@dir"), dir_.path());
    }
    // In the language of `lang` (LANG, with LC_ALL and LC_MESSAGES unset): English
    // unless a test asks for another. `variables` sets more (a null value unsets one).
    Salida Ejecutar(QStringList args, const QByteArray& entrada = "", const QString& lang = kIngles,
                    const std::vector<std::pair<const char*, const char*>>& variables = {}, const QString& carpeta = {})
    {
        for (QString& a : args)
            a = Sustituir(a);
        QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
        entorno.remove(QStringLiteral("LC_ALL"));
        entorno.remove(QStringLiteral("LC_MESSAGES"));
        entorno.insert(QStringLiteral("LANG"), lang);
        entorno.insert(QStringLiteral("TESEDRA_COM3"), Sustituir(QStringLiteral("@dev")));
        for (const auto& [nombre, valor] : variables)
            valor ? entorno.insert(QLatin1String(nombre), QLatin1String(valor)) : entorno.remove(QLatin1String(nombre));
        return prueba::Ejecutar(Programa(QStringLiteral("tesedra-cli")), args, entrada, entorno, carpeta);
    }
    static inline const QString kIngles = QStringLiteral("C.UTF-8");
    static inline const QString kEspanol = QStringLiteral("es_ES.UTF-8");
    // The golden record files in @dir/origen, and an empty @dir/destino.
    void Origen()
    {
        ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("origen")) && QDir(dir_.path()).mkpath("destino"));
        for (const char* n : {"AI051201.txt", "AI061201.TXT"})
            ASSERT_TRUE(EscribirFichero(dir_.filePath(QStringLiteral("origen/") + QLatin1String(n)),
                                        Golden(std::string("tests/validation/golden/origen/") + n)));
    }

    QTemporaryDir dir_;
};

const QStringList kDev = {"--device", "@dev", "--password", "admin"};

// Each call's exit status and what its standard output and standard error hold (empty:
// nothing written there), in English and under a Spanish locale in Spanish (UTF-8 on the
// terminal); no wrong call talks to the router.
using Llamadas = std::vector<std::tuple<QStringList, int, const char*, const char*>>;

TEST_F(Cli, ArgumentsGiveTheExitStatusAndTheTextInTheUsersLanguage)
{
    const Llamadas ingles = {
        {{"--help"}, 0, "Usage: tesedra-cli COMMAND", ""},
        {{"--help"}, 0, "  ports ", ""},
        {{"--version"}, 0, "tesedra-cli " TESEDRA_VERSION "\n", ""},
        {{"ports"}, 0, "Com 3 - @dev, TESEDRA_COM3\n", ""},
        {Args("ports --help"), 0, "Usage: tesedra-cli ports [options]", ""},
        {Args("ports x"), 2, "", "ports takes no arguments"},
        {Args("check sync --model 5660 --device @dir/ttyUSB7 --password admin"), 1, "",
         "Configuration modem error: @dir/ttyUSB7: the device does not exist"},
        {{}, 2, "", "Usage: tesedra-cli COMMAND"},
        {Args("check --help"), 0, "Usage: tesedra-cli check [options] CHECK", ""},
        {Args("validate --help"), 0, "Usage: tesedra-cli validate [options]", ""},
        {Args("reverse --help"), 0, "Usage: tesedra-cli reverse [options] SOURCE_DIR DEST_DIR", ""},
        {Args("reverse @dir"), 2, "", "expected SOURCE_DIR and DEST_DIR"},
        {Args("reverse --no-such-option @dir @dir/x"), 2, "", "no-such-option"},
        {Args("reverse @dir @dir/."), 2, "", "Source directory and destination directory must be different"},
        {Args("check sync") + kDev, 2, "", "--model 812|5660 is required"},
        {Args("check speed --model 5660") + kDev, 2, "", "unknown check 'speed'"},
        {Args("check atm --model 5660 --vp 8a") + kDev, 2, "", "--vp takes"},
        {Args("check ppp --model 5660 --port 3") + kDev, 2, "", "either --port"},
        {Args("check ppp --model 5660 --port 0 --password x"), 2, "", "--port takes"},
        {Args("check ppp --model 5660 --device @dev"), 2, "", "no router password given"},
        // Paths, the device's name and the silence limit are found wrong before the router
        // is talked to (or the password asked for), each named.
        {Args("check sync --model 5660 --device /nonexistent/tty --transcript @dir/falta/t.txt"), 2, "",
         "cannot write the transcript to '@dir/falta/t.txt': No such file"},
        {Args("check sync --model 5660 --device ttyNoSuch7 --password x"), 1, "",
         "/dev/ttyNoSuch7: the device does not exist"},
        {Args("check sync --model 812 --timeout -1") + kDev, 2, "", "--timeout takes"},
        {Args("validate --model 812 --device @dev --save @dir/f.txt"), 2, "", "'@dir/f.txt' is not a folder"},
        {Args("validate --model 812 --device @dev --save /proc"), 2, "", "cannot write in the folder '/proc'"},
        {Args("validate --model 812 --line-check --modality oro") + kDev, 2, "", "unknown modality 'oro'"},
        // The modality as people type it (accent, letter case): accepted, then found lacking --line-check.
        {Args("validate --model 812 --modality ESTÁNDAR") + kDev, 2, "", "--modality needs --line-check"},
        {Args("check ppp --model 5660 --device @dev --password-file @dir/falta"), 2, "",
         "cannot read the password from '@dir/falta': No such file"},
        {Args("validate --model 812 --save @dir/falta") + kDev, 2, "", "--save: no such folder"},
    };
    // The language follows the environment (the order of the variables is test_idioma.cpp's):
    // Spanish when the one that decides starts with "es". The reverse validation tells its
    // faults in Spanish, and the usage faults and summary too.
    const Llamadas espanol = {
        {{"chek"}, 2, "", "tesedra-cli: orden desconocida 'chek'\nUso: tesedra-cli ORDEN"},
        {{"reverse", "", "@dir/destino"}, 1, "", "Carpeta de origen no indicada"},
        {{"reverse", "@dir/origen", ""}, 1, "", "Carpeta de destino no indicada"},
        {{"reverse", "@dir/falta", "@dir/destino"}, 1, "", "Carpeta de origen no encontrada: @dir/falta"},
        {{"reverse", "@dir/origen", "@dir/falta"}, 1, "", "Carpeta de destino no encontrada: @dir/falta"},
        {Args("reverse @dir/origen/AI051201.txt @dir/destino"), 1, "",
         "El origen no es una carpeta: @dir/origen/AI051201.txt"},
        {Args("reverse @dir/origen @dir/origen/AI051201.txt"), 1, "",
         "El destino no es una carpeta: @dir/origen/AI051201.txt"},
        {Args("reverse @dir/doble @dir/destino"), 1, "Total: 1 de 2 ficheros escritos, 3 l\xC3\xADneas, 3 en su sitio",
         "su salida @dir/destino/AI051201.des ya se escribi\xC3\xB3 desde otro fichero"},
        {Args("reverse @dir/origen @dir/ocupado"), 1, "AI061201.TXT -> AI061201.des",
         "tesedra-cli: Error escribiendo en fichero: @dir/ocupado/AI051201.des: hay una carpeta con ese nombre"},
        {Args("reverse @dir"), 2, "", "se esperaban SOURCE_DIR y DEST_DIR"},
        {Args("validate --device @dev --password x"), 2, "", "falta --model 812|5660"},
        {Args("check --help"), 0, "CHECK es sync, atm, ppp o config", ""},
    };
    Router(kEfficient5660);
    Origen();
    ASSERT_TRUE(EscribirFichero(dir_.filePath(QStringLiteral("f.txt")), "x"));
    ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("doble")));
    ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("ocupado/AI051201.des")));
    for (const char* n : {"doble/AI051201.txt", "doble/AI051201.TXT"})
        ASSERT_TRUE(
            EscribirFichero(dir_.filePath(QLatin1String(n)), Golden("tests/validation/golden/origen/AI051201.txt")));
    for (const auto& [casos, lang] : {std::pair{&ingles, kIngles}, {&espanol, kEspanol}}) {
        for (const auto& [args, codigo, salida, errores] : *casos) {
            SCOPED_TRACE(args.join(QLatin1Char(' ')).toStdString());
            const Salida s = Ejecutar(args, "", lang);
            EXPECT_EQ(s.codigo, codigo) << s.errores.toStdString();
            for (const auto& [texto, esperado] : {std::pair{&s.salida, salida}, std::pair{&s.errores, errores}}) {
                EXPECT_TRUE(*esperado ? texto->contains(Sustituir(QString::fromUtf8(esperado)).toUtf8())
                                      : texto->isEmpty())
                    << texto->toStdString();
            }
            EXPECT_TRUE(router_->LineasRecibidas().empty()) << "a wrong call talked to the router";
        }
    }
    // LC_ALL decides over LANG.
    EXPECT_TRUE(Ejecutar({"chek"}, "", kEspanol, {{"LC_ALL", "C"}})
                    .errores.startsWith("tesedra-cli: unknown command 'chek'\nUsage: tesedra-cli COMMAND"));
}

// The date masked in the labelled output and left out of the --raw one.
std::string SinFecha(const QByteArray& salida)
{
    const std::string s = std::regex_replace(salida.toStdString(), std::regex("(Fecha: *)[^\n]*"), "$1<fecha>");
    return std::regex_replace(s, std::regex("fecha=[^\n]*\n"), "");
}

// One router command line: the model simulated, the arguments, standard input, the
// console commands expected (empty: not compared) and the golden standard output.
using OrdenRouter = std::tuple<int16_t, QStringList, QByteArray, std::vector<std::string>, std::string>;

class CliOrdenes : public Cli, public testing::WithParamInterface<OrdenRouter> {};

// Each row runs the program with its real timings: rows are separate tests so they
// run side by side.
TEST_P(CliOrdenes, WriteTheirResultToStandardOutput)
{
    const auto& [modelo, args, entrada, ordenes, golden] = GetParam();
    // The 812's line readings: over the premium limits.
    auto& router = Router(modelo);
    router.FijarRespuesta("show adsl transceiver_status", Golden("tests/cli/golden/812_transceiver_status.txt"));
    if (args.contains("--raw")) {
        // A backslash and a tab in a value: --raw escapes them, each field stays one line.
        std::string sistema = Golden("sim/data/812/show_system.txt");
        sistema.replace(sistema.find("913456789"), 9, "91\\34\t56");
        router.FijarRespuesta("show system", sistema);
    }
    // The labelled values carry the Spanish captions of the golden files.
    const Salida s = Ejecutar(args, entrada, kEspanol);
    EXPECT_EQ(s.codigo, 0) << s.errores.toStdString();
    EXPECT_EQ(Visible(SinFecha(s.salida)), Visible(Golden(golden)));
    EXPECT_TRUE(ordenes.empty() || Ordenes() == ordenes) << testing::PrintToString(Ordenes());
    if (args.contains("--transcript")) {
        // The run's transcript: its model and commands.
        Transcripcion t;
        std::string error;
        const std::string texto = LeerFichero(Sustituir(args[args.indexOf("--transcript") + 1]));
        ASSERT_TRUE(LeerTranscripcion(texto, t, error)) << error << texto;
        EXPECT_EQ(t.modelo, modelo);
        for (const auto& orden : ordenes)
            EXPECT_NE(texto.find(orden), std::string::npos) << orden;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CliOrdenes,
    testing::Values(
        // The password on standard input.
        OrdenRouter{kEfficient5660,
                    Args("check atm --model 5660 --device @dev --vp 0 --vc 35"),
                    "admin\n",
                    {"atmping F5 seg 0 35", "atmping F5 end 0 35"},
                    "tests/cli/golden/5660_atm_0_35.txt"},
        OrdenRouter{kOfficeRemote812,
                    Args("check config --model 812 --circuit internet") + kDev,
                    "",
                    {"show vc internet settings", "show ip network LAN settings", "show dhcp server settings"},
                    "tests/cli/golden/812_config_internet.txt"},
        OrdenRouter{kEfficient5660,
                    Args("check ppp --model 5660 --port 3 --password admin --transcript @dir/t.txt"),
                    "",
                    {"show pppstatus"},
                    "tests/checks/golden/5660_ppp.txt"},
        OrdenRouter{kOfficeRemote812,
                    Args("validate --model 812 --line-check --modality premium") + kDev,
                    "",
                    {},
                    "tests/cli/golden/validate_812_premium.txt"},
        OrdenRouter{kOfficeRemote812,
                    Args("validate --model 812 --raw --line-check --modality class") + kDev,
                    "",
                    {},
                    "tests/cli/golden/validate_812_raw.txt"}),
    [](const testing::TestParamInfo<OrdenRouter>& i) {
        return (std::get<1>(i.param)[0] + QLatin1Char('_') + QString::number(i.index)).toStdString();
    });

TEST_F(Cli, ValidateSaveAppendsTheRecordItPrints)
{
    Router(kEfficient5660);
    const QStringList args = Args("validate --model 5660 --raw --line-check --modality premium --save @dir") + kDev;
    const QString ruta = QDir::toNativeSeparators(RutaFicheroDia(dir_.path(), QDate::currentDate()));
    std::string golden = Golden("tests/validation/golden/5660_linea.txt");
    golden.pop_back(); // its last line, "numeroRegistro=", is ended by its LF
    // A day file that holds one record already: the new one is number 2 (the
    // numbering itself is the record file's, tested with it).
    ASSERT_TRUE(EscribirFichero(ruta, "1;0;0\r\n"));
    {
        const Salida s = Ejecutar(args);
        ASSERT_EQ(s.codigo, 0) << s.errores.toStdString();
        EXPECT_EQ(SinFecha(s.salida), golden + " 2\n");
        EXPECT_EQ(s.errores.toStdString(), "Record 2 saved to " + ruta.toStdString() + "\n");
    }
    std::string contenido = LeerFichero(ruta);
    ASSERT_EQ(std::count(contenido.begin(), contenido.end(), '\n'), 2) << contenido;
    contenido.erase(0, contenido.find("\r\n") + 2);
    const std::string salida = ValidarLinea(contenido.substr(0, contenido.find("\r\n")), 2);
    EXPECT_EQ(salida.rfind("913456789;Efficient Speed Stream 5660;", 0), 0u) << salida;
    EXPECT_EQ(salida.substr(salida.size() - 3), ";OK") << salida;

    // A folder in place of the day file: the values are printed, the save fails.
    ASSERT_TRUE(QFile::remove(ruta) && QDir().mkdir(ruta));
    const Salida s = Ejecutar(args);
    EXPECT_EQ(s.codigo, 1);
    EXPECT_TRUE(s.errores.contains("Error recording validation data: " + ruta.toUtf8() + ": "))
        << s.errores.toStdString();
    EXPECT_TRUE(s.errores.endsWith("tesedra-cli: the validation was not saved\n")) << s.errores.toStdString();
    EXPECT_TRUE(s.salida.contains("numeroRegistro="));
}

// What was done goes to standard output (--quiet: the total only), every kind of line
// counted; each fault once to standard error, with the program's name and the path.
TEST_F(Cli, ReverseSummarisesEveryFileAndTellsEachFaultOnce)
{
    Origen();
    ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("otro/AI051201.des")));
    const char* kTotalOrigen = "Total: 2 of 2 files written, 25 lines, 7 in place, 2 moved, 5 damaged, 11 unreadable\n";
    // error: the one line on standard error (after "tesedra-cli: "); "" none
    const std::tuple<QStringList, int, std::string, const char*> casos[] = {
        {Args("reverse @dir/origen @dir/destino"), 0,
         std::string("AI051201.txt -> AI051201.des: 3 lines, 3 in place, 0 moved, 0 damaged, 0 unreadable\n"
                     "AI061201.TXT -> AI061201.des: 22 lines, 4 in place, 2 moved, 5 damaged, 11 unreadable\n")
             + kTotalOrigen,
         ""},
        {Args("reverse --quiet @dir/origen @dir/destino"), 0, kTotalOrigen, ""},
        {Args("reverse @dir/origen @dir/otro"), 1,
         "AI061201.TXT -> AI061201.des: 22 lines, 4 in place, 2 moved, 5 damaged, 11 unreadable\n"
         "Total: 1 of 2 files written, 22 lines, 4 in place, 2 moved, 5 damaged, 11 unreadable\n",
         "Write error: @dir/otro/AI051201.des: a folder of that name is in the way"},
        {Args("reverse @dir/destino @dir/otro"), 0,
         "No record files (AI*.TXT) in @dir/destino\n"
         "Total: 0 of 0 files written, 0 lines, 0 in place, 0 moved, 0 damaged, 0 unreadable\n",
         ""},
    };
    for (const auto& [args, codigo, salida, error] : casos) {
        SCOPED_TRACE(args.join(QLatin1Char(' ')).toStdString());
        const Salida s = Ejecutar(args);
        EXPECT_EQ(s.codigo, codigo);
        EXPECT_EQ(s.salida.toStdString(), Sustituir(QString::fromStdString(salida)).toStdString());
        // Standard error is no terminal: no progress bar, only the fault.
        EXPECT_EQ(s.errores.toStdString(),
                  *error ? "tesedra-cli: " + Sustituir(QLatin1String(error)).toStdString() + "\n" : "");
    }
}

// The password from a file only its owner reads, or from the environment, so that
// it never stands in the process list; the option comes first, then the file. (The
// device is named bare: the file of that name in the current folder when there is one,
// a link to the router here, not a device of /dev.)
TEST_F(Cli, PasswordComesFromAFileOrTheEnvironment)
{
    ASSERT_TRUE(EscribirFichero(dir_.filePath(QStringLiteral("clave")), "admin\r\n"));
    const struct {
        QStringList args;
        const char* variable; // TESEDRA_PASSWORD; null: unset
    } casos[] = {
        {{"--password-file", "@dir/clave"}, nullptr},
        {{}, "admin"},
        {{"--password-file", "@dir/clave"}, "otra"},
        {{"--password", "admin", "--password-file", "@dir/falta"}, "otra"},
    };
    for (const auto& [args, variable] : casos) {
        SCOPED_TRACE(args.join(QLatin1Char(' ')).toStdString());
        Router(kEfficient5660);
        QFile::remove(dir_.filePath(QStringLiteral("r5660")));
        ASSERT_TRUE(QFile::link(router_->RutaDispositivo(), dir_.filePath(QStringLiteral("r5660"))));
        const Salida s = Ejecutar(Args("check ppp --model 5660 --device r5660") + args, "", kIngles,
                                  {{"TESEDRA_PASSWORD", variable}}, dir_.path());
        EXPECT_EQ(s.codigo, 0) << s.errores.toStdString();
        EXPECT_TRUE(s.salida.contains("Link State")) << s.salida.toStdString();
        EXPECT_EQ(std::count(router_->LineasRecibidas().begin(), router_->LineasRecibidas().end(), "admin"), 1);
    }
}

// The router's bytes of a transcript, joined.
std::string DelRouter(const Transcripcion& t)
{
    std::string r;
    for (const auto& tramo : t.tramos)
        r += tramo.delRouter ? tramo.bytes : std::string();
    return r;
}

// A router that stops answering or goes away in the middle of a command ends the run
// (never a wait for ever) with a message that says so, and the transcript holds every
// byte the router sent up to then.
TEST_F(Cli, RouterThatFallsSilentOrVanishesEndsTheRunWithItsTranscript)
{
    // desaparece: the router vanishes; else it falls silent
    const std::tuple<const char*, QStringList, bool, const char*> casos[] = {
        {"silent check", Args("check sync --model 812 --timeout 1"), false,
         "The router stopped answering: nothing came from it for 1 s. Check that it is still switched on"},
        {"silent validation", Args("validate --model 812 --save @dir --timeout 2"), false,
         "nothing came from it for 2 s"},
        {"vanished check", Args("check sync --model 812"), true, "serial port error"}, // met reading or writing
    };
    for (const auto& [nombre, args, desaparece, mensaje] : casos) {
        SCOPED_TRACE(nombre);
        Router(kOfficeRemote812,
               [d = desaparece](sim::OpcionesSimulador& o) { (d ? o.desaparecerTrasBytes : o.cortarTrasBytes) = 300; });
        const Salida s = Ejecutar(args + kDev + QStringList{"--transcript", "@dir/t.txt"});
        EXPECT_EQ(s.codigo, 1);
        EXPECT_TRUE(s.errores.contains(mensaje)) << s.errores.toStdString();
        EXPECT_TRUE(s.salida.isEmpty()) << s.salida.toStdString();
        Transcripcion t;
        std::string error;
        ASSERT_TRUE(LeerTranscripcion(LeerFichero(Sustituir(QStringLiteral("@dir/t.txt"))), t, error)) << error;
        // What was still in flight when the device went is lost with it.
        EXPECT_TRUE(desaparece ? DelRouter(t).size() <= 300u : DelRouter(t).size() == 300u) << DelRouter(t).size();
        EXPECT_NE(DelRouter(t).find("3Com-DSL>"), std::string::npos);
        EXPECT_FALSE(QFile::exists(RutaFicheroDia(dir_.path(), QDate::currentDate()))) << "nothing saved";
        CerrarPuerto();
    }
}

// A run killed while the router is quiet leaves its transcript up to that moment,
// the password hidden.
TEST_F(Cli, KilledRunLeavesItsTranscriptSoFar)
{
    Router(kOfficeRemote812, [](sim::OpcionesSimulador& o) { o.cortarTrasBytes = 300; });
    const QString ruta = dir_.filePath(QStringLiteral("t.txt"));
    QProcess p;
    p.start(Programa(QStringLiteral("tesedra-cli")), Args("check sync --model 812 --timeout 0 --transcript")
                                                         << ruta << Sustituir(kDev.join(' ')).split(' '));
    Transcripcion t;
    std::string error;
    ASSERT_TRUE(EsperarHasta([&] {
        return LeerTranscripcion(LeerFichero(ruta), t, error) && DelRouter(t).size() == 300;
    })) << error
        << LeerFichero(ruta);
    p.kill();
    ASSERT_TRUE(p.waitForFinished());
    ASSERT_TRUE(LeerTranscripcion(LeerFichero(ruta), t, error)) << error;
    EXPECT_EQ(DelRouter(t).size(), 300u);
    const std::string texto = LeerFichero(ruta);
    EXPECT_NE(texto.find("> \"****\""), std::string::npos) << texto;
    EXPECT_EQ(texto.find("admin"), std::string::npos) << texto;
}

// tesedra-cli with a pseudo-terminal as its standard input, output and error.
struct Terminal {
    explicit Terminal(const QStringList& args)
    {
        QByteArrayList a = {QFile::encodeName(Programa(QStringLiteral("tesedra-cli")))};
        for (const QString& s : args)
            a.append(s.toLocal8Bit());
        std::vector<char*> argv;
        for (QByteArray& s : a)
            argv.push_back(s.data());
        argv.push_back(nullptr);
        if ((pid_ = ::forkpty(&maestro_, nullptr, nullptr, nullptr)) == 0) {
            ::unsetenv("LC_ALL");
            ::unsetenv("LC_MESSAGES");
            ::setenv("LANG", "C.UTF-8", 1);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::fcntl(maestro_, F_SETFL, O_NONBLOCK);
    }
    ~Terminal()
    {
        if (pid_ > 0 && ::kill(pid_, SIGKILL) == 0)
            ::waitpid(pid_, nullptr, 0);
        ::close(maestro_);
    }
    // Everything the terminal showed so far; `cerrado_` once the program closed it.
    const std::string& Visto()
    {
        char b[4096];
        ssize_t n;
        while ((n = ::read(maestro_, b, sizeof b)) > 0)
            visto_.append(b, static_cast<size_t>(n));
        cerrado_ = n == 0 || (n < 0 && errno != EAGAIN);
        return visto_;
    }
    // The exit status once the program has ended; -1 when it does not end.
    int Fin()
    {
        int estado = 0;
        if (!EsperarHasta([&] {
                Visto();
                return cerrado_;
            })
            || ::waitpid(pid_, &estado, 0) != pid_)
            return -1;
        pid_ = -1;
        return WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
    }

    pid_t pid_ = -1;
    int maestro_ = -1;
    std::string visto_;
    bool cerrado_ = false;
};

// The password is typed once the terminal echoes no more, and is not shown; the log-on
// and each command are shown on the terminal, then the result. Interrupted at the
// prompt instead (Ctrl-C typed, or a signal sent), the program ends, having talked to
// no router, and the terminal echoes again.
TEST_F(Cli, PasswordPromptOnATerminalEchoesNothingAndGivesTheEchoBack)
{
    for (const int senal : {0, SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(senal);
        Router(kEfficient5660);
        Terminal t({"check", "ppp", "--model", "5660", "--device", router_->RutaDispositivo()});
        termios modo{};
        ASSERT_TRUE(EsperarHasta([&] {
            return t.Visto().find("Router password: ") != std::string::npos && ::tcgetattr(t.maestro_, &modo) == 0
                   && !(modo.c_lflag & ECHO);
        })) << t.Visto();
        if (senal == 0) {
            ASSERT_EQ(::write(t.maestro_, "admin\n", 6), 6);
            EXPECT_EQ(t.Fin(), 0) << t.Visto();
            EXPECT_EQ(t.Visto().find("admin"), std::string::npos) << t.Visto();
            EXPECT_NE(t.Visto().find("Logging on to the router...\r\n  > show pppstatus\r\n"), std::string::npos);
            EXPECT_NE(t.Visto().find("Link State"), std::string::npos) << t.Visto();
            continue;
        }
        if (senal == SIGINT)
            ASSERT_EQ(::write(t.maestro_, "\x03", 1), 1); // typed: the terminal sends the signal
        else
            ASSERT_EQ(::kill(t.pid_, senal), 0);
        int estado = 0;
        ASSERT_TRUE(EsperarHasta([&] { return ::waitpid(t.pid_, &estado, WNOHANG) == t.pid_; }));
        t.pid_ = -1;
        EXPECT_TRUE(WIFSIGNALED(estado) && WTERMSIG(estado) == senal) << estado;
        ASSERT_EQ(::tcgetattr(t.maestro_, &modo), 0);
        EXPECT_TRUE(modo.c_lflag & ECHO);
        EXPECT_TRUE(router_->LineasRecibidas().empty());
    }
}

TEST_F(Cli, ReverseProgressBarIsDrawnOnATerminalAndCleared)
{
    Origen();
    Terminal t({"reverse", dir_.filePath(QStringLiteral("origen")), dir_.filePath(QStringLiteral("destino"))});
    EXPECT_EQ(t.Fin(), 0) << t.Visto();
    const std::string& v = t.Visto();
    const size_t barra = v.find("\r[##############################] 2/2 files, 25 records");
    const size_t borrado = v.find("\r" + std::string(79, ' ') + "\r");
    ASSERT_NE(barra, std::string::npos) << Visible(v);
    ASSERT_NE(borrado, std::string::npos) << Visible(v);
    EXPECT_LT(barra, borrado);
    EXPECT_EQ(v.substr(borrado + 81, 16), "AI051201.txt -> ") << Visible(v);
}

} // namespace
