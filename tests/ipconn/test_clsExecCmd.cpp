// The command runner with real short commands: one that ends before the first
// poll (true), one that runs until it is ended (sleep 30), one that cannot start.
#include "ipconn/clsExecCmd.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include <signal.h>
#include <sys/types.h>

using tesedra::clsExecCmd;

namespace {

constexpr const char* kInexistente = "/nonexistent/tesedra-no-such-program";

bool procesoVivo(qint64 pid)
{
    return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) == 0;
}

// Lets events run until `cond` holds or `ms` pass.
bool esperarHasta(const std::function<bool()>& cond, int ms)
{
    QDeadlineTimer fin(ms);
    while (!cond()) {
        if (fin.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

QByteArray leer(const QString& ruta)
{
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    return f.readAll();
}

} // namespace

TEST(RunnerProperties, DefaultsAndSettersStoreAsGiven)
{
    clsExecCmd c;
    EXPECT_TRUE(c.LineaComando().isEmpty());
    EXPECT_FALSE(c.EsperarCarga());
    EXPECT_FALSE(c.HuboError());
    EXPECT_EQ(c.hProcess(), 0);
    EXPECT_EQ(c.hThread(), 0);
    EXPECT_EQ(c.dwProcessId(), 0);
    EXPECT_EQ(c.dwThreadId(), 0);
    EXPECT_TRUE(c.DirectorioPorDefecto().isEmpty());
    EXPECT_EQ(c.ModoEjecucion(), 0);
    EXPECT_FALSE(c.Ejecutando());
    EXPECT_EQ(c.ShowWindow(), 1);
    EXPECT_TRUE(c.Title().isEmpty());
    EXPECT_EQ(c.PosX(), 0);
    EXPECT_EQ(c.PosY(), 0);
    EXPECT_FALSE(c.UsarPosicion());
    EXPECT_EQ(c.SizeX(), 0);
    EXPECT_EQ(c.SizeY(), 0);
    EXPECT_FALSE(c.UsarTamano());
    EXPECT_EQ(c.CharX(), 0);
    EXPECT_EQ(c.CharY(), 0);
    EXPECT_FALSE(c.UsarBuffer());
    EXPECT_EQ(c.ColorFondo(), 0);
    EXPECT_EQ(c.ColorTexto(), 0);
    EXPECT_FALSE(c.UsarColores());
    EXPECT_EQ(c.MostrarReloj(), -2);
    EXPECT_EQ(c.Prioridad(), 32);
    EXPECT_EQ(c.ControlTimer(), nullptr);

    // No check on values: whatever is set is read back.
    c.setShowWindow(7);
    c.setPrioridad(-5);
    c.setMostrarReloj(12345);
    c.setPosX(-1);
    c.setSizeY(1 << 30);
    c.setColorFondo(0x70);
    c.setTitle(QStringLiteral("t\u00edtulo"));
    c.setModoEjecucion(9);
    EXPECT_EQ(c.ShowWindow(), 7);
    EXPECT_EQ(c.Prioridad(), -5);
    EXPECT_EQ(c.MostrarReloj(), 12345);
    EXPECT_EQ(c.PosX(), -1);
    EXPECT_EQ(c.SizeY(), 1 << 30);
    EXPECT_EQ(c.ColorFondo(), 0x70);
    EXPECT_EQ(c.Title(), QStringLiteral("t\u00edtulo"));
    EXPECT_EQ(c.ModoEjecucion(), 9);

    // The same values through the property system.
    EXPECT_EQ(c.property("UsarTamano").toBool(), false);
    EXPECT_TRUE(c.setProperty("UsarTamano", true));
    EXPECT_TRUE(c.UsarTamano());
    EXPECT_EQ(c.property("Prioridad").toInt(), -5);
    EXPECT_FALSE(c.setProperty("hProcess", 5)) << "handles are read-only";
}

TEST(RunnerProperties, StartupFlagsFollowTheOptions)
{
    struct Caso {
        std::function<void(clsExecCmd&)> ajuste;
        uint32_t banderas;
    };
    const Caso casos[] = {
        {[](clsExecCmd&) {}, 0x01},                               // reloj -2: neither feedback flag
        {[](clsExecCmd& c) { c.setUsarPosicion(true); }, 0x05},
        {[](clsExecCmd& c) { c.setUsarTamano(true); }, 0x03},
        {[](clsExecCmd& c) { c.setUsarBuffer(true); }, 0x09},
        {[](clsExecCmd& c) { c.setUsarColores(true); }, 0x11},
        {[](clsExecCmd& c) { c.setMostrarReloj(0); }, 0x81},
        {[](clsExecCmd& c) { c.setMostrarReloj(-1); }, 0x41},
        {[](clsExecCmd& c) { c.setMostrarReloj(1); }, 0x01},
        {[](clsExecCmd& c) {
             c.setUsarPosicion(true);
             c.setUsarTamano(true);
             c.setUsarBuffer(true);
             c.setUsarColores(true);
             c.setMostrarReloj(-1);
         },
         0x5F},
    };
    int i = 0;
    for (const auto& caso : casos) {
        clsExecCmd c;
        caso.ajuste(c);
        EXPECT_EQ(c.BanderasInicio(), caso.banderas) << "case " << i;
        ++i;
    }
}

TEST(RunnerSynchronous, WaitsForTheEnd)
{
    clsExecCmd c;
    c.setLineaComando(QStringLiteral("sleep 0.3"));
    QElapsedTimer t;
    t.start();
    c.Ejecutar();
    EXPECT_GE(t.elapsed(), 280);
    EXPECT_FALSE(c.HuboError());
    EXPECT_GT(c.dwProcessId(), 0);
    EXPECT_EQ(c.dwThreadId(), c.dwProcessId());
    EXPECT_EQ(c.hProcess(), 0) << "no process runs any more";
    EXPECT_EQ(c.hThread(), 0);
    EXPECT_FALSE(c.Ejecutando());
    EXPECT_FALSE(procesoVivo(c.dwProcessId()));
    EXPECT_TRUE(c.CancelarProceso()) << "nothing to end";
}

TEST(RunnerSynchronous, ProgramThatCannotStart)
{
    clsExecCmd c;
    c.setLineaComando(QString::fromLatin1(kInexistente) + QStringLiteral(" -x"));
    c.Ejecutar();
    EXPECT_TRUE(c.HuboError());
    EXPECT_FALSE(c.DescripcionError().isEmpty());
    EXPECT_EQ(c.hProcess(), 0);
    EXPECT_EQ(c.hThread(), 0);
    EXPECT_EQ(c.dwProcessId(), 0);
    EXPECT_EQ(c.dwThreadId(), 0);
    EXPECT_FALSE(c.Ejecutando());

    // A good run afterwards clears the error.
    c.setLineaComando(QStringLiteral("true"));
    c.Ejecutar();
    EXPECT_FALSE(c.HuboError());
    EXPECT_TRUE(c.DescripcionError().isEmpty());

    // An empty command line cannot start either.
    c.setLineaComando(QString());
    c.Ejecutar();
    EXPECT_TRUE(c.HuboError());
}

TEST(RunnerSynchronous, StartFolderAndWrongStartFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString salida = dir.filePath(QStringLiteral("pwd.txt"));
    clsExecCmd c;
    c.setLineaComando(QStringLiteral("pwd -P"));
    c.setDirectorioPorDefecto(dir.path());
    c.setFicheroSalida(salida);
    c.Ejecutar();
    ASSERT_FALSE(c.HuboError());
    const QByteArray esperado = QFileInfo(dir.path()).canonicalFilePath().toLocal8Bit() + "\n";
    EXPECT_EQ(leer(salida), esperado);

    c.setDirectorioPorDefecto(dir.filePath(QStringLiteral("missing")));
    c.Ejecutar();
    EXPECT_TRUE(c.HuboError()) << "a start folder that does not exist fails the creation";
}

TEST(RunnerCommandLine, SplitIntoProgramAndArgumentsWithoutShell)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString salida = dir.filePath(QStringLiteral("out.txt"));
    clsExecCmd c;
    c.setFicheroSalida(salida);

    // Quotes group an argument; no shell expands variables or redirections.
    c.setLineaComando(QStringLiteral("printf \"%s|\" a \"b c\" $HOME > x; ls"));
    c.Ejecutar();
    ASSERT_FALSE(c.HuboError());
    EXPECT_EQ(leer(salida), QByteArray("a|b c|$HOME|>|x;|ls|"));

    // Program and argument list, passed exactly.
    c.setPrograma(QStringLiteral("printf"), {QStringLiteral("%s;"), QStringLiteral("1.2.3.4 ; rm -rf x"),
                                             QStringLiteral("\"q\"")});
    c.Ejecutar();
    ASSERT_FALSE(c.HuboError());
    EXPECT_EQ(leer(salida), QByteArray("1.2.3.4 ; rm -rf x;\"q\";")) << "each run replaces the file";
}

TEST(RunnerCommandLine, OutputFileGetsStandardErrorToo)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString salida = dir.filePath(QStringLiteral("out.txt"));
    {
        QFile f(salida);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old content that is longer than the new one\n");
    }
    clsExecCmd c;
    c.setFicheroSalida(salida);
    c.setPrograma(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("echo out; echo err 1>&2; exit 3")});
    c.Ejecutar();
    ASSERT_FALSE(c.HuboError());
    EXPECT_EQ(leer(salida), QByteArray("out\nerr\n"));
}

TEST(RunnerNotifying, EndBeforeTheFirstTickIsReportedAtTheFirstTick)
{
    QTimer timer;
    clsExecCmd c;
    c.setControlTimer(&timer);
    c.setModoEjecucion(clsExecCmd::kAsincronoConAviso);
    c.setLineaComando(QStringLiteral("true"));
    QSignalSpy fin(&c, &clsExecCmd::EjecucionFinalizada);
    QElapsedTimer t;
    t.start();
    c.Ejecutar();
    ASSERT_FALSE(c.HuboError());
    EXPECT_TRUE(c.Ejecutando());
    EXPECT_TRUE(timer.isActive());
    EXPECT_EQ(timer.interval(), 100);
    ASSERT_TRUE(fin.wait(3000));
    const qint64 ms = t.elapsed();
    EXPECT_GE(ms, 90) << "reported by a poll, not at once";
    EXPECT_LT(ms, 1000);
    EXPECT_FALSE(c.Ejecutando());
    EXPECT_EQ(c.hProcess(), 0);
    EXPECT_FALSE(timer.isActive()) << "the poll stops at the end";
    // Raised once only.
    QTest::qWait(350);
    EXPECT_EQ(fin.count(), 1);
}

TEST(RunnerNotifying, RunsUntilCancelledThenReportsTheEnd)
{
    QTimer timer;
    clsExecCmd c;
    c.setControlTimer(&timer);
    c.setModoEjecucion(clsExecCmd::kAsincronoConAviso);
    c.setEsperarCarga(true);
    c.setLineaComando(QStringLiteral("sleep 30"));
    QSignalSpy fin(&c, &clsExecCmd::EjecucionFinalizada);
    QElapsedTimer t;
    t.start();
    c.Ejecutar();
    EXPECT_LT(t.elapsed(), 2000) << "mode 1 does not wait for the end";
    ASSERT_FALSE(c.HuboError());
    const qint64 pid = c.hProcess();
    EXPECT_GT(pid, 0);
    EXPECT_EQ(pid, c.dwProcessId());
    EXPECT_EQ(c.hThread(), 0);
    EXPECT_TRUE(procesoVivo(pid));
    EXPECT_FALSE(fin.wait(400)) << "still running: no end";
    EXPECT_TRUE(c.Ejecutando());

    EXPECT_TRUE(c.CancelarProceso());
    ASSERT_TRUE(fin.wait(3000));
    EXPECT_EQ(fin.count(), 1);
    EXPECT_FALSE(c.Ejecutando());
    EXPECT_EQ(c.hProcess(), 0);
    EXPECT_TRUE(esperarHasta([&] { return !procesoVivo(pid); }, 2000));
    EXPECT_TRUE(c.CancelarProceso()) << "no process: nothing to end";
}

TEST(RunnerNotifying, ProgramThatCannotStartRaisesNoEnd)
{
    QTimer timer;
    clsExecCmd c;
    c.setControlTimer(&timer);
    c.setModoEjecucion(clsExecCmd::kAsincronoConAviso);
    c.setLineaComando(QString::fromLatin1(kInexistente));
    QSignalSpy fin(&c, &clsExecCmd::EjecucionFinalizada);
    c.Ejecutar();
    EXPECT_TRUE(c.HuboError());
    EXPECT_FALSE(c.Ejecutando());
    EXPECT_EQ(c.hProcess(), 0);
    EXPECT_FALSE(timer.isActive());
    EXPECT_FALSE(fin.wait(350));
}

TEST(RunnerNotifying, WithoutALentTimerItPollsWithItsOwn)
{
    clsExecCmd c;
    c.setModoEjecucion(clsExecCmd::kAsincronoConAviso);
    c.setLineaComando(QStringLiteral("sleep 0.2"));
    QSignalSpy fin(&c, &clsExecCmd::EjecucionFinalizada);
    c.Ejecutar();
    ASSERT_FALSE(c.HuboError());
    EXPECT_TRUE(c.Ejecutando());
    ASSERT_TRUE(fin.wait(3000));
    EXPECT_FALSE(c.Ejecutando());
}

TEST(RunnerNotifying, ReleaseDisablesTheTimerAndLeavesTheProcessRunning)
{
    QTimer timer;
    qint64 pid = 0;
    {
        auto c = std::make_unique<clsExecCmd>();
        c->setControlTimer(&timer);
        c->setModoEjecucion(clsExecCmd::kAsincronoConAviso);
        c->setLineaComando(QStringLiteral("sleep 30"));
        c->Ejecutar();
        ASSERT_FALSE(c->HuboError());
        pid = c->hProcess();
        ASSERT_TRUE(timer.isActive());
    }
    EXPECT_FALSE(timer.isActive());
    QTest::qWait(150);
    EXPECT_TRUE(procesoVivo(pid)) << "released, not ended";
    ::kill(static_cast<pid_t>(pid), SIGKILL);
    // Reaped once it ends (no zombie left behind).
    EXPECT_TRUE(esperarHasta([&] { return !procesoVivo(pid); }, 3000));
}

TEST(RunnerNotifying, ANewRunnerOnTheSameTimerReportsOnlyItsOwnEnd)
{
    QTimer timer;
    auto a = std::make_unique<clsExecCmd>();
    a->setControlTimer(&timer);
    a->setModoEjecucion(clsExecCmd::kAsincronoConAviso);
    a->setLineaComando(QStringLiteral("sleep 30"));
    a->Ejecutar();
    const qint64 pidA = a->hProcess();
    QSignalSpy finA(a.get(), &clsExecCmd::EjecucionFinalizada);
    ASSERT_TRUE(a->CancelarProceso());
    ASSERT_TRUE(finA.wait(3000));

    auto b = std::make_unique<clsExecCmd>();
    a.reset();
    EXPECT_FALSE(timer.isActive()) << "the released runner disabled the timer";
    b->setControlTimer(&timer);
    b->setModoEjecucion(clsExecCmd::kAsincronoConAviso);
    b->setLineaComando(QStringLiteral("sleep 0.3"));
    QSignalSpy finB(b.get(), &clsExecCmd::EjecucionFinalizada);
    QElapsedTimer t;
    t.start();
    b->Ejecutar();
    EXPECT_TRUE(timer.isActive());
    ASSERT_TRUE(finB.wait(3000));
    EXPECT_GE(t.elapsed(), 290);
    EXPECT_EQ(finB.count(), 1);
    EXPECT_FALSE(procesoVivo(pidA));
}

TEST(RunnerAsynchronous, ReturnsAtOnceAndLeavesTheProcessToTheCaller)
{
    QTimer timer;
    clsExecCmd c;
    c.setControlTimer(&timer);
    c.setModoEjecucion(clsExecCmd::kAsincrono);
    c.setLineaComando(QStringLiteral("sleep 30"));
    QSignalSpy fin(&c, &clsExecCmd::EjecucionFinalizada);
    QElapsedTimer t;
    t.start();
    c.Ejecutar();
    EXPECT_LT(t.elapsed(), 2000);
    ASSERT_FALSE(c.HuboError());
    const qint64 pid = c.hProcess();
    EXPECT_TRUE(procesoVivo(pid));
    EXPECT_FALSE(c.Ejecutando()) << "mode 2 does not touch Ejecutando";
    EXPECT_FALSE(timer.isActive()) << "mode 2 does not poll";

    EXPECT_TRUE(c.CancelarProceso());
    EXPECT_TRUE(esperarHasta([&] { return c.hProcess() == 0; }, 3000));
    EXPECT_FALSE(procesoVivo(pid));
    EXPECT_EQ(fin.count(), 0) << "no end event outside mode 1";

    // A program that cannot start, in mode 2.
    c.setLineaComando(QString::fromLatin1(kInexistente));
    c.Ejecutar();
    EXPECT_TRUE(c.HuboError());
    EXPECT_EQ(c.hProcess(), 0);
}

TEST(RunnerAsynchronous, UnknownModeStartsAndReturns)
{
    clsExecCmd c;
    c.setModoEjecucion(7);
    c.setLineaComando(QStringLiteral("true"));
    c.Ejecutar();
    EXPECT_FALSE(c.HuboError());
    EXPECT_GT(c.dwProcessId(), 0);
    EXPECT_FALSE(c.Ejecutando());
    EXPECT_TRUE(esperarHasta([&] { return c.hProcess() == 0; }, 3000));
}
