// The fault sweep: a router cut off at every point of a whole exchange.
// For a check and a validation of each model, tesedra-routersim (its replies paged)
// goes away (--vanish-after N) or, in the second pass, falls silent (--stop-after N)
// after N bytes of output, for N from 0 to the length of the whole exchange in small
// steps, and in the middle of every prompt it prints (the log-on's, each command's,
// each paging prompt). tesedra-cli runs against each with a short --timeout, a
// --save folder and a --transcript of its own. While the router's last prompt is
// incomplete every run must end with exit status 1 and the message of what happened,
// and save nothing; once it is complete a silent router must not matter (the whole
// result, one record), and a vanished one may or may not have delivered it. No run
// may hang and no program may be left running. The table of points and outcomes is
// printed, with the totals.
#include "validation/FicheroRegistro.h"
#include "console/Transcripcion.h"

#include "Ficheros.h"
#include "Programas.h"

#include <QDate>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <memory>
#include <set>
#include <utility>

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

constexpr int kTimeoutS = 2;        // --timeout of every run
constexpr int kMargenColgadoS = 30; // beyond it a run counts as hung (a bound, not a timing)
constexpr int kParalelas = 24;      // runs at once: they mostly wait
constexpr int kPuntosMinimos = 64;  // evenly spread points per exchange, at least

struct Intercambio {
    const char* nombre;
    QStringList args;
    const char* prompt;
    const char* paginado;
};

const Intercambio kIntercambios[] = {
    {"812 check", {"check", "sync", "--model", "812"}, "3Com-DSL>", "---Press <return> or type More for more"},
    {"812 validation",
     {"validate", "--model", "812", "--raw", "--line-check"},
     "3Com-DSL>",
     "---Press <return> or type More for more"},
    {"5660 check", {"check", "sync", "--model", "5660"}, "Command->", "Press any key to continue"},
    {"5660 validation",
     {"validate", "--model", "5660", "--raw", "--line-check"},
     "Command->",
     "Press any key to continue"},
};

// How a run ended, and its letter in the table: S succeeded; q failed as the router
// stopped answering; v failed as the device went away; H hung, killed by the test;
// X anything else, a fault.
enum class Final { Bien, Callado, Perdido, Colgado, Otro };

char Letra(Final f)
{
    return "SqvHX"[static_cast<int>(f)];
}

// The output without the line of the record's date, which every run has its own of.
QByteArray SinFecha(QByteArray salida)
{
    const qsizetype p = salida.indexOf("\nfecha=");
    return p < 0 ? salida : salida.remove(p + 1, salida.indexOf('\n', p + 1) - p);
}

// One run: the simulator with its options, then tesedra-cli against it.
class Corrida {
public:
    Corrida(const Intercambio& i, QStringList opcionesRouter, const QString& carpeta, int limiteMs)
        : intercambio_(i), opciones_(std::move(opcionesRouter)), carpeta_(carpeta), limiteMs_(limiteMs)
    {
    }

    void Iniciar(std::function<void()> alTerminar)
    {
        alTerminar_ = std::move(alTerminar);
        QObject::connect(&sim_, &QProcess::readyReadStandardOutput, [this] { AlDispositivo(); });
        QObject::connect(&sim_, &QProcess::finished, [this] { Terminar(); });
        sim_.start(Programa(QStringLiteral("tesedra-routersim")), opciones_ + QStringList{"--paging", "8"});
    }

    const QString& Carpeta() const { return carpeta_; }

    // Filled in when the run is over.
    int codigo = -1;
    QByteArray salida, errores;
    std::string transcripcion;
    long long ms = 0;
    bool colgado = false;
    std::set<qint64> pids;

private:
    void AlDispositivo()
    {
        if (!sim_.canReadLine() || cli_.state() != QProcess::NotRunning || reloj_.isValid())
            return;
        const QString dispositivo = QString::fromLocal8Bit(sim_.readLine()).trimmed();
        pids.insert(sim_.processId());
        QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
        entorno.remove(QStringLiteral("LC_ALL"));
        entorno.remove(QStringLiteral("LC_MESSAGES"));
        entorno.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
        cli_.setProcessEnvironment(entorno);
        QObject::connect(&cli_, &QProcess::finished, [this](int c, QProcess::ExitStatus e) {
            codigo = e == QProcess::NormalExit ? c : -2;
            ms = reloj_.elapsed();
            salida = cli_.readAllStandardOutput();
            errores = cli_.readAllStandardError();
            transcripcion = LeerFichero(carpeta_ + QStringLiteral("/t.txt"));
            sim_.terminate();
        });
        colgar_.setSingleShot(true);
        QObject::connect(&colgar_, &QTimer::timeout, [this] {
            colgado = true;
            cli_.kill();
        });
        reloj_.start();
        cli_.start(Programa(QStringLiteral("tesedra-cli")),
                   intercambio_.args
                       + QStringList{"--device", dispositivo, "--password", "admin", "--timeout",
                                     QString::number(kTimeoutS), "--transcript", carpeta_ + QStringLiteral("/t.txt")}
                       + (intercambio_.args.first() == QLatin1String("validate") ? QStringList{"--save", carpeta_}
                                                                                 : QStringList{}));
        pids.insert(cli_.processId());
        colgar_.start(limiteMs_);
    }

    void Terminar()
    {
        colgar_.stop();
        if (cli_.state() != QProcess::NotRunning) {
            // The simulator ended first (it failed to start): the run is over too.
            cli_.kill();
            cli_.waitForFinished();
        }
        if (alTerminar_)
            std::exchange(alTerminar_, {})();
    }

    const Intercambio& intercambio_;
    QStringList opciones_;
    QString carpeta_;
    int limiteMs_;
    QProcess sim_, cli_;
    QElapsedTimer reloj_;
    QTimer colgar_;
    std::function<void()> alTerminar_;
};

// Runs every run, kParalelas at a time, and returns when all are over.
void CorrerTodas(std::vector<std::unique_ptr<Corrida>>& corridas)
{
    QEventLoop bucle;
    size_t siguiente = 0, terminadas = 0;
    std::function<void()> lanzar = [&] {
        while (siguiente < corridas.size() && siguiente - terminadas < kParalelas) {
            corridas[siguiente++]->Iniciar([&] {
                ++terminadas;
                if (terminadas == corridas.size())
                    bucle.quit();
                else
                    QTimer::singleShot(0, &bucle, lanzar);
            });
        }
    };
    lanzar();
    if (!corridas.empty())
        bucle.exec();
}

// The router's bytes of a transcript, joined, and the time of its last one.
std::string DelRouter(const std::string& texto, long long* ultimoMs = nullptr)
{
    Transcripcion t;
    std::string error, r;
    if (!LeerTranscripcion(texto, t, error))
        return r;
    for (const auto& tramo : t.tramos) {
        if (tramo.delRouter) {
            r += tramo.bytes;
            if (ultimoMs)
                *ultimoMs = tramo.ms;
        }
    }
    return r;
}

// Records in the day files of a folder.
int64_t Registros(const QString& carpeta)
{
    int64_t n = 0;
    for (const QString& f : QDir(carpeta).entryList({QStringLiteral("AI*.txt")}, QDir::Files))
        n += ContarLineas(carpeta + QLatin1Char('/') + f);
    return n;
}

TEST(Barrido, EveryCutOfTheRouterEndsCleanly)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    int total = 0, fallos = 0, bien = 0, faltas = 0;
    long long peorTrasUltimo = 0;
    std::set<qint64> pids;
    int numero = 0;
    auto carpetaNueva = [&] {
        const QString c = dir.filePath(QString::number(numero++));
        QDir().mkpath(c);
        return c;
    };

    for (const Intercambio& i : kIntercambios) {
        SCOPED_TRACE(i.nombre);
        // The whole exchange, uncut: its bytes, where its prompts are, its result.
        const QString modelo = i.args[i.args.indexOf(QStringLiteral("--model")) + 1];
        std::vector<std::unique_ptr<Corrida>> limpia;
        limpia.push_back(std::make_unique<Corrida>(i, QStringList{"--model", modelo}, carpetaNueva(), 600000));
        CorrerTodas(limpia);
        const Corrida& referencia = *limpia.front();
        ASSERT_EQ(referencia.codigo, 0) << referencia.errores.toStdString();
        const std::string r = DelRouter(referencia.transcripcion);
        const size_t largo = r.size();
        const size_t completo = r.rfind(i.prompt) + std::string(i.prompt).size();
        ASSERT_GT(largo, 0u);

        std::set<size_t> puntos;
        const size_t paso = std::max<size_t>(1, largo / kPuntosMinimos);
        for (size_t n = 0; n <= largo; n += paso)
            puntos.insert(n);
        puntos.insert(largo);
        for (const std::string marca : {std::string("Password:"), std::string(i.prompt), std::string(i.paginado)}) {
            for (size_t p = r.find(marca); p != std::string::npos; p = r.find(marca, p + 1))
                puntos.insert(p + marca.size() / 2);
        }

        for (const char* modo : {"--vanish-after", "--stop-after"}) {
            const bool desaparece = std::string(modo) == "--vanish-after";
            std::vector<std::unique_ptr<Corrida>> corridas;
            std::vector<size_t> n;
            for (size_t p : puntos) {
                corridas.push_back(std::make_unique<Corrida>(
                    i, QStringList{"--model", modelo, QLatin1String(modo), QString::number(p)}, carpetaNueva(),
                    static_cast<int>(referencia.ms) + (kTimeoutS + kMargenColgadoS) * 1000));
                n.push_back(p);
            }
            CorrerTodas(corridas);

            std::printf("\n%s, router %s: %zu points over %zu bytes (prompt complete at %zu)\n", i.nombre,
                        desaparece ? "vanishes" : "falls silent", n.size(), largo, completo);
            std::string fila;
            for (size_t k = 0; k < corridas.size(); ++k) {
                const Corrida& c = *corridas[k];
                const int64_t registros = Registros(c.Carpeta());
                Final f = Final::Otro;
                if (c.colgado)
                    f = Final::Colgado;
                else if (c.codigo == 0 && SinFecha(c.salida) == SinFecha(referencia.salida)
                         && registros == (i.args.first() == QLatin1String("validate") ? 1 : 0))
                    f = Final::Bien;
                else if (c.codigo == 1 && c.salida.isEmpty() && registros == 0
                         && c.errores.contains("The router stopped answering"))
                    f = Final::Callado;
                else if (c.codigo == 1 && c.salida.isEmpty() && registros == 0
                         && (c.errores.contains("Reading from serial port error")
                             || c.errores.contains("Writing on serial port error")))
                    f = Final::Perdido;
                // What each point must give: a failure of its own kind while the last prompt
                // is incomplete; then success, which a vanishing router may still have denied.
                const Final debida = n[k] < completo ? (desaparece ? Final::Perdido : Final::Callado)
                                     : desaparece    ? (f == Final::Perdido ? Final::Perdido : Final::Bien)
                                                     : Final::Bien;
                long long ultimo = 0;
                DelRouter(c.transcripcion, &ultimo);
                if (f != Final::Bien)
                    peorTrasUltimo = std::max(peorTrasUltimo, c.ms - ultimo);
                ++total;
                f == Final::Bien ? ++bien : ++fallos;
                pids.insert(c.pids.begin(), c.pids.end());
                EXPECT_EQ(Letra(f), Letra(debida)) << "N=" << n[k] << " exit " << c.codigo << "\n"
                                                   << c.errores.toStdString();
                if (f != debida)
                    ++faltas;
                fila += " " + std::to_string(n[k]) + Letra(f);
                if (fila.size() > 90 || k + 1 == corridas.size()) {
                    std::printf(" %s\n", fila.c_str());
                    fila.clear();
                }
            }
        }
    }
    // Every program of the sweep has ended and been collected.
    for (const qint64 pid : pids)
        EXPECT_TRUE(::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) << "left running: " << pid;

    std::printf("\nS succeeded, q failed as the router stopped answering, v failed as the device went away,\n"
                "H hung, X anything else.\n"
                "Faults survived: %d runs, %d ended cleanly in failure, %d succeeded, %d wrong; the longest\n"
                "a failed run took after the router's last byte: %.1f s (--timeout %d).\n",
                total, fallos, bien, faltas, static_cast<double>(peorTrasUltimo) / 1000.0, kTimeoutS);
    std::fflush(stdout);
}

} // namespace
