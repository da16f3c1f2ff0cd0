// tesedra-routersim: a router console on a pseudo-terminal, for trying the
// program without a router and for training. Prints the device path of its
// serial end as the first line of standard output and runs until it is ended
// with SIGTERM or SIGINT.
#include "sim/SimuladorRouter.h"
#include "base/Latin1.h"
#include "base/Version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>

#include <unistd.h>

namespace {

int tuberiaSenal[2] = {-1, -1};

void AlSenal(int)
{
    const char c = 1;
    [[maybe_unused]] const auto r = ::write(tuberiaSenal[1], &c, 1);
}

bool LeerEntero(const QCommandLineParser& p, const QString& opcion, int& valor)
{
    if (!p.isSet(opcion))
        return true;
    bool ok = false;
    valor = p.value(opcion).toInt(&ok);
    if (!ok || valor < 0) {
        std::fprintf(stderr, "tesedra-routersim: --%s needs a whole number, not \"%s\"\n", qPrintable(opcion),
                     qPrintable(p.value(opcion)));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (tesedra::AtenderVersion("tesedra-routersim", argc, argv))
        return 0;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tesedra-routersim"));

    QCommandLineParser p;
    p.setApplicationDescription(
        QStringLiteral("A router console on a pseudo-terminal. The first line of output is the device to open."));
    const QCommandLineOption ayuda = p.addHelpOption();
    p.addOptions({
        {QStringLiteral("model"), QStringLiteral("Router model: 812 (default) or 5660."), QStringLiteral("model"),
         QStringLiteral("812")},
        {QStringLiteral("password"), QStringLiteral("Console password (default admin)."), QStringLiteral("password"),
         QStringLiteral("admin")},
        {QStringLiteral("no-password"), QStringLiteral("Show the prompt without asking for a password.")},
        {QStringLiteral("setup-question"), QStringLiteral("812: ask \"Setup?\" after log-on until answered.")},
        {QStringLiteral("paging"), QStringLiteral("Page replies every N lines (0: never)."), QStringLiteral("N")},
        {QStringLiteral("baud"), QStringLiteral("Pace the output at this line speed (0: no pacing)."),
         QStringLiteral("N")},
        {QStringLiteral("data"), QStringLiteral("Folder with the reply files (default: built-in)."),
         QStringLiteral("DIR")},
        {QStringLiteral("silent"), QStringLiteral("Never answer anything.")},
        {QStringLiteral("stop-after"), QStringLiteral("Stop answering after N output bytes."), QStringLiteral("N")},
        {QStringLiteral("vanish-after"), QStringLiteral("Close the pseudo-terminal after N output bytes."),
         QStringLiteral("N")},
        {QStringLiteral("link"), QStringLiteral("Also make a symbolic link to the device at PATH."),
         QStringLiteral("PATH")},
        {QStringLiteral("replay"),
         QStringLiteral("Be the router of a console transcript: its replies, paging and pace (the model comes "
                        "from the transcript; any password is accepted)."),
         QStringLiteral("FILE")},
        {QStringLiteral("max-gap"), QStringLiteral("With --replay: wait at most MS milliseconds between pieces."),
         QStringLiteral("MS")},
    });
    // Wrong usage ends with status 2, as with the command-line tool.
    if (!p.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "tesedra-routersim: %s\n", qPrintable(p.errorText()));
        return 2;
    }
    if (p.isSet(ayuda) || p.isSet(QStringLiteral("help-all"))) {
        std::fputs(qPrintable(tesedra::TextoAyuda(p, QStringLiteral("tesedra-routersim"))), stdout);
        return 0;
    }

    tesedra::sim::OpcionesSimulador o;
    const QString modelo = p.value(QStringLiteral("model"));
    if (modelo == QLatin1String("812"))
        o.modelo = 2;
    else if (modelo == QLatin1String("5660"))
        o.modelo = 1;
    else {
        std::fprintf(stderr, "tesedra-routersim: --model must be 812 or 5660\n");
        return 2;
    }
    o.password = tesedra::ToL1(p.value(QStringLiteral("password")));
    o.pedirPassword = !p.isSet(QStringLiteral("no-password"));
    o.preguntaSetup = p.isSet(QStringLiteral("setup-question"));
    o.silencioso = p.isSet(QStringLiteral("silent"));
    o.carpetaDatos = p.value(QStringLiteral("data"));
    int cortar = -1;
    int desaparecer = -1;
    if (!LeerEntero(p, QStringLiteral("paging"), o.paginado) || !LeerEntero(p, QStringLiteral("baud"), o.baudios)
        || !LeerEntero(p, QStringLiteral("stop-after"), cortar)
        || !LeerEntero(p, QStringLiteral("vanish-after"), desaparecer))
        return 2;
    o.transcripcion = p.value(QStringLiteral("replay"));
    if (!LeerEntero(p, QStringLiteral("max-gap"), o.pausaMaximaMs))
        return 2;
    o.cortarTrasBytes = cortar;
    o.desaparecerTrasBytes = desaparecer;

    tesedra::sim::SimuladorRouter sim(o);
    if (!sim.Iniciar())
        return 1;

    // The link may replace an earlier link (a simulator that was killed leaves its
    // own behind), never a file or anything else a user keeps there.
    const QString enlace = p.value(QStringLiteral("link"));
    if (!enlace.isEmpty()) {
        const QFileInfo antes(enlace);
        if (antes.exists() || antes.isSymLink()) {
            if (!antes.isSymLink()) {
                std::fprintf(stderr,
                             "tesedra-routersim: --link %s: something that is not a link stands there; not replaced\n",
                             qPrintable(enlace));
                return 2;
            }
            QFile::remove(enlace);
        }
        if (!QFile::link(sim.RutaDispositivo(), enlace)) {
            std::fprintf(stderr, "tesedra-routersim: cannot make the link %s\n", qPrintable(enlace));
            return 1;
        }
    }

    // SIGTERM and SIGINT end the event loop through a pipe, so the link is removed.
    if (::pipe(tuberiaSenal) != 0)
        return 1;
    QSocketNotifier senal(tuberiaSenal[0], QSocketNotifier::Read);
    QObject::connect(&senal, &QSocketNotifier::activated, &app, [] { QCoreApplication::quit(); });
    struct sigaction sa {};
    sa.sa_handler = AlSenal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);

    std::printf("%s\n", qPrintable(sim.RutaDispositivo()));
    std::fflush(stdout);

    const int r = QCoreApplication::exec();
    // Only our own link goes: whatever took its place meanwhile stays.
    if (!enlace.isEmpty() && QFileInfo(enlace).symLinkTarget() == QFileInfo(sim.RutaDispositivo()).absoluteFilePath())
        QFile::remove(enlace);
    return r;
}
