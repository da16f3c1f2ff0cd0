// The command runner with real short commands: how it starts, waits for, ends
// and reports a process, and where the process's output goes.
#include "ipconn/clsExecCmd.h"

#include "Esperar.h"
#include "Ficheros.h"

#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

#include <signal.h>

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

// True while `pid` runs; a process that has ended but is not yet reaped does not.
bool Vivo(qint64 pid)
{
    const std::string estado = LeerFichero(QStringLiteral("/proc/%1/stat").arg(pid)) + "  ";
    return pid > 0 && estado.rfind(')') != std::string::npos && estado[estado.rfind(')') + 2] != 'Z';
}

// Gone from the process table: ended and reaped.
bool Recogido(qint64 pid)
{
    return ::kill(static_cast<pid_t>(pid), 0) != 0;
}

class Runner : public testing::Test {
protected:
    // Runs `linea` in `modo` with `c` (c_ unless given), its output to salida_, polling
    // with timer_.
    void Lanzar(int modo, const QString& linea, const QString& carpeta = {}, clsExecCmd* c = nullptr)
    {
        c = c ? c : &c_;
        c->setControlTimer(&timer_);
        c->setModoEjecucion(modo);
        c->setFicheroSalida(salida_);
        c->setDirectorioPorDefecto(carpeta);
        c->setLineaComando(linea);
        c->Ejecutar();
    }

    QTemporaryDir dir_;
    QString salida_ = dir_.filePath(QStringLiteral("out.txt"));
    QTimer timer_;
    clsExecCmd c_;
    QSignalSpy fin_{&c_, &clsExecCmd::EjecucionFinalizada};
};

TEST_F(Runner, ARunStartsItsSplitLineOrFailsToStartAndSynchronouslyWaitsForItsOutput)
{
    const char* kNinguno = "/nonexistent/program";
    const std::string carpeta = QFileInfo(dir_.path()).canonicalFilePath().toStdString() + "\n";
    const std::tuple<int, const char*, QString, const char*> casos[] = {
        // output nullptr: cannot start
        // Standard error goes to the file too; a failing exit status is an end like any other.
        {clsExecCmd::kSincrono, "sh -c \"sleep 0.2; echo out; echo err 1>&2; exit 3\"", {}, "out\nerr\n"},
        {clsExecCmd::kSincrono, kNinguno, {}, nullptr},
        // Quotes group an argument; no shell expands variables or redirections.
        {clsExecCmd::kSincrono, "printf \"%s|\" a \"b c\" $HOME > x; ls", {}, "a|b c|$HOME|>|x;|ls|"},
        {clsExecCmd::kAsincronoConAviso, kNinguno, {}, nullptr},
        {clsExecCmd::kAsincrono, kNinguno, {}, nullptr},
        {clsExecCmd::kAsincronoConAviso, "", {}, nullptr},
        {clsExecCmd::kSincrono, "pwd", dir_.filePath("no"), nullptr},
        {clsExecCmd::kSincrono, "pwd -P", dir_.path(), carpeta.c_str()}};
    for (const auto& [modo, linea, directorio, salida] : casos) {
        SCOPED_TRACE(std::to_string(modo) + " '" + linea + "' " + directorio.toStdString());
        ASSERT_TRUE(EscribirFichero(salida_, "an earlier run's output, longer than this one's\n"));
        Lanzar(modo, QString::fromLatin1(linea), directorio);
        EXPECT_EQ(c_.HuboError(), !salida);
        EXPECT_EQ(c_.DescripcionError().isEmpty(), salida != nullptr) << "a good run clears the error";
        // Started, waited for and reaped; or never started.
        EXPECT_EQ(c_.dwProcessId() > 0 && c_.dwThreadId() == c_.dwProcessId() && Recogido(c_.dwProcessId()), !!salida);
        EXPECT_TRUE(!c_.hProcess() && !c_.Ejecutando() && !timer_.isActive());
        EXPECT_EQ(salida ? LeerFichero(salida_) : "", salida ? salida : "");
        EXPECT_TRUE(c_.CancelarProceso()) << "nothing left to end";
    }
    EXPECT_EQ(fin_.count(), 0);
    // A program and its argument list go exactly as they are.
    c_.setPrograma(QStringLiteral("printf"), {"%s;", "1.2.3.4 ; rm -rf x", "\"q\""});
    c_.Ejecutar();
    EXPECT_EQ(LeerFichero(salida_), "1.2.3.4 ; rm -rf x;\"q\";");
}

TEST_F(Runner, NotifyingRunReportsItsEndOnceAndOnlyFromAPoll)
{
    Lanzar(clsExecCmd::kAsincronoConAviso, QStringLiteral("true"));
    timer_.stop();
    ASSERT_TRUE(EsperarHasta([&] { return c_.hProcess() == 0; }));
    EXPECT_TRUE(fin_.count() == 0 && c_.Ejecutando()) << "the process has gone, but no poll has seen it";
    timer_.start();
    ASSERT_TRUE(EsperarHasta([&] { return fin_.count() > 0; }));
    EXPECT_FALSE(c_.Ejecutando() || timer_.isActive()) << "the poll stops at the end";
    QSignalSpy tic(&timer_, &QTimer::timeout);
    timer_.start(1);
    ASSERT_TRUE(EsperarHasta([&] { return tic.count() > 1; }));
    EXPECT_EQ(fin_.count(), 1) << "reported once only";
}

TEST_F(Runner, OnlyTheNotifyingModePollsAndNoModeEndsAProcessItLetsGo)
{
    for (int modo : {clsExecCmd::kAsincronoConAviso, clsExecCmd::kAsincrono, 7}) {
        SCOPED_TRACE(modo);
        auto r = std::make_unique<clsExecCmd>();
        QSignalSpy fin(r.get(), &clsExecCmd::EjecucionFinalizada);
        Lanzar(modo, QStringLiteral("sh -c \"sleep 0.5; echo alive\""), {}, r.get());
        const qint64 pid = r->hProcess();
        EXPECT_TRUE(Vivo(pid)) << "returned at once";
        const bool avisa = modo == clsExecCmd::kAsincronoConAviso;
        EXPECT_EQ(std::pair(r->Ejecutando(), timer_.isActive()), std::pair(avisa, avisa));
        const bool cancelar = modo == clsExecCmd::kAsincrono;
        if (cancelar) {
            EXPECT_TRUE(r->CancelarProceso());
            EXPECT_TRUE(EsperarHasta([&] { return r->hProcess() == 0; }));
        }
        r.reset(); // released: the poll stops, a process still running is neither waited for nor ended
        EXPECT_FALSE(timer_.isActive());
        EXPECT_TRUE(EsperarHasta([&] { return Recogido(pid); })) << "reaped once it ends";
        EXPECT_EQ(LeerFichero(salida_), cancelar ? "" : "alive\n") << "ended by nothing but its own cancel";
        EXPECT_EQ(fin.count(), 0);
    }
}

} // namespace

// The start-up record's flags follow the options: position, size, buffer and
// colours each add their own flag, the clock option the feedback flags.
TEST(RunnerOptions, StartupFlagsFollowTheOptions)
{
    const std::pair<std::function<void(clsExecCmd&)>, uint32_t> casos[] = {
        {[](clsExecCmd&) {}, 0x01},
        {[](clsExecCmd& c) { c.setUsarPosicion(true); }, 0x05},
        {[](clsExecCmd& c) { c.setUsarTamano(true); }, 0x03},
        {[](clsExecCmd& c) { c.setUsarBuffer(true); }, 0x09},
        {[](clsExecCmd& c) { c.setUsarColores(true); }, 0x11},
        {[](clsExecCmd& c) { c.setMostrarReloj(0); }, 0x81},
        {[](clsExecCmd& c) { c.setMostrarReloj(-1); }, 0x41},
        {[](clsExecCmd& c) { c.setMostrarReloj(1); }, 0x01},
    };
    for (size_t i = 0; i < std::size(casos); ++i) {
        clsExecCmd c;
        casos[i].first(c);
        EXPECT_EQ(c.BanderasInicio(), casos[i].second) << "case " << i;
    }
}
