#include "ipconn/clsExecCmd.h"

#include <QProcess>
#include <QTimer>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <signal.h>
#include <sys/types.h>
#endif

namespace tesedra {

namespace {
// Start-up record flags of the Windows process creation.
constexpr uint32_t kUsarShowWindow = 0x01;
constexpr uint32_t kUsarTamano = 0x02;
constexpr uint32_t kUsarPosicion = 0x04;
constexpr uint32_t kUsarBuffer = 0x08;
constexpr uint32_t kUsarColores = 0x10;
constexpr uint32_t kRelojActivo = 0x40;
constexpr uint32_t kRelojInactivo = 0x80;
} // namespace

clsExecCmd::clsExecCmd(QObject* parent) : QObject(parent) {}

clsExecCmd::~clsExecCmd()
{
    PararTimer();
    if (timer_)
        timer_->stop();
    SoltarProceso();
}

uint32_t clsExecCmd::BanderasInicio() const
{
    uint32_t f = kUsarShowWindow;
    if (usarPosicion_)
        f |= kUsarPosicion;
    if (usarTamano_)
        f |= kUsarTamano;
    if (usarBuffer_)
        f |= kUsarBuffer;
    if (usarColores_)
        f |= kUsarColores;
    if (mostrarReloj_ == 0)
        f |= kRelojInactivo;
    else if (mostrarReloj_ == -1)
        f |= kRelojActivo;
    return f;
}

QTimer* clsExecCmd::ControlTimer() const
{
    return timer_.data();
}

void clsExecCmd::setControlTimer(QTimer* timer)
{
    if (timer_ == timer)
        return;
    // A poll already under way moves to the new timer.
    const bool activo = static_cast<bool>(conexionTimer_);
    PararTimer();
    timer_ = timer;
    if (activo && ejecutando_) {
        QTimer* t = timer_ ? timer_.data() : timerPropio_;
        if (t) {
            conexionTimer_ = connect(t, &QTimer::timeout, this, &clsExecCmd::Sondeo);
            t->start(kIntervaloSondeoMs);
        }
    }
}

void clsExecCmd::setPrograma(const QString& programa, const QStringList& argumentos)
{
    programa_ = programa;
    argumentos_ = argumentos;
}

void clsExecCmd::Ejecutar()
{
    // One process at a time: a previous one still running is let go, as on release.
    PararTimer();
    SoltarProceso();
    terminado_ = false;
    descripcionError_.clear();

    QString programa;
    QStringList argumentos;
    if (!programa_.isEmpty()) {
        programa = programa_;
        argumentos = argumentos_;
    } else {
        argumentos = QProcess::splitCommand(lineaComando_);
        if (!argumentos.isEmpty())
            programa = argumentos.takeFirst();
    }

    auto* p = new QProcess(this);
    p->setProgram(programa);
    p->setArguments(argumentos);
    if (!directorio_.isEmpty())
        p->setWorkingDirectory(directorio_);
    // Nothing is ever typed into the command: it reads end of file.
    p->setStandardInputFile(QProcess::nullDevice());
    if (!ficheroSalida_.isEmpty()) {
        p->setProcessChannelMode(QProcess::MergedChannels);
        p->setStandardOutputFile(ficheroSalida_, QIODevice::Truncate);
    } else {
        p->setProcessChannelMode(QProcess::ForwardedChannels);
    }
#ifdef Q_OS_WIN
    tituloNativo_ = title_.toStdWString();
    lineaNativa_ = lineaComando_.toStdWString();
    p->setCreateProcessArgumentsModifier([this](QProcess::CreateProcessArguments* a) {
        if (programa_.isEmpty())
            a->arguments = lineaNativa_.data(); // the command line is passed whole
        // Created suspended, put in its job object once it exists, then let run:
        // whatever it starts is in the job from its first instruction.
        a->flags |= static_cast<DWORD>(prioridad_) | CREATE_SUSPENDED;
        informacionProceso_ = a->processInformation;
        auto* si = a->startupInfo;
        si->dwFlags |= BanderasInicio();
        si->wShowWindow = static_cast<WORD>(showWindow_);
        if (!tituloNativo_.empty())
            si->lpTitle = tituloNativo_.data();
        if (usarPosicion_) {
            si->dwX = static_cast<DWORD>(posX_);
            si->dwY = static_cast<DWORD>(posY_);
        }
        if (usarTamano_) {
            si->dwXSize = static_cast<DWORD>(sizeX_);
            si->dwYSize = static_cast<DWORD>(sizeY_);
        }
        if (usarBuffer_) {
            si->dwXCountChars = static_cast<DWORD>(charX_);
            si->dwYCountChars = static_cast<DWORD>(charY_);
        }
        if (usarColores_)
            si->dwFillAttribute = static_cast<DWORD>(colorTexto_ | colorFondo_);
    });
#endif

    connect(p, &QProcess::errorOccurred, this, [this, p](QProcess::ProcessError e) {
        if (p != proceso_)
            return;
        if (e == QProcess::FailedToStart) {
            huboError_ = true;
            descripcionError_ = p->errorString();
        }
    });
    connect(p, &QProcess::finished, this, [this, p](int, QProcess::ExitStatus) {
        if (p == proceso_)
            AlTerminar();
    });
#ifdef Q_OS_WIN
    // Raised inside start(), right after the creation, while the process record
    // is still the one the creation filled.
    connect(p, &QProcess::started, this, &clsExecCmd::MeterEnTrabajo);
#endif

    proceso_ = p;
    huboError_ = false;
    // The creation itself is awaited (it takes as long as the exec of the
    // program), so that HuboError is known when Ejecutar returns. This is
    // also all there is to the load wait: Linux has no "idle, waiting for
    // input" state to wait for, so EsperarCarga adds nothing.
    p->start();
    if (!p->waitForStarted(-1)) {
        huboError_ = true;
        if (descripcionError_.isEmpty())
            descripcionError_ = p->errorString();
        proceso_ = nullptr;
        delete p;
        hProcess_ = hThread_ = dwProcessId_ = dwThreadId_ = 0;
        ejecutando_ = false;
        return;
    }
    const qint64 pid = p->processId();
    hProcess_ = pid;
    hThread_ = 0;
    dwProcessId_ = pid;
    dwThreadId_ = pid;

    switch (modo_) {
    case kSincrono:
        if (p->state() != QProcess::NotRunning)
            p->waitForFinished(-1);
#ifdef Q_OS_WIN
        CerrarTrabajo();
#endif
        hProcess_ = 0;
        ejecutando_ = false;
        return;
    case kAsincronoConAviso: {
        QTimer* t = timer_.data();
        if (!t) {
            if (!timerPropio_)
                timerPropio_ = new QTimer(this);
            t = timerPropio_;
        }
        conexionTimer_ = connect(t, &QTimer::timeout, this, &clsExecCmd::Sondeo);
        t->setInterval(kIntervaloSondeoMs);
        t->start();
        ejecutando_ = true;
        return;
    }
    default:
        // Mode 2 (and any other value): the process is left to the caller.
        return;
    }
}

bool clsExecCmd::CancelarProceso()
{
    if (hProcess_ == 0 || !proceso_ || proceso_->state() == QProcess::NotRunning)
        return true;
#ifdef Q_OS_WIN
    if (trabajo_)
        return TerminateJobObject(static_cast<HANDLE>(trabajo_), 0) != 0;
    proceso_->kill();
    return true;
#else
    return ::kill(static_cast<pid_t>(hProcess_), SIGKILL) == 0;
#endif
}

void clsExecCmd::AlTerminar()
{
    terminado_ = true;
    hProcess_ = 0;
}

void clsExecCmd::Sondeo()
{
    if (proceso_ && !terminado_ && proceso_->state() != QProcess::NotRunning)
        return;
    PararTimer();
    hProcess_ = 0;
    ejecutando_ = false;
#ifdef Q_OS_WIN
    CerrarTrabajo();
#endif
    if (proceso_) {
        proceso_->deleteLater();
        proceso_ = nullptr;
    }
    emit EjecucionFinalizada();
}

void clsExecCmd::PararTimer()
{
    if (!conexionTimer_)
        return;
    disconnect(conexionTimer_);
    conexionTimer_ = {};
    if (timer_)
        timer_->stop();
    if (timerPropio_)
        timerPropio_->stop();
}

void clsExecCmd::SoltarProceso()
{
    if (!proceso_)
        return;
    QProcess* p = proceso_;
    proceso_ = nullptr;
    disconnect(p, nullptr, this, nullptr);
    if (p->state() == QProcess::NotRunning) {
#ifdef Q_OS_WIN
        CerrarTrabajo();
#endif
        delete p;
        return;
    }
    // Still running: it is neither waited for nor ended. It lives on by itself
    // until it ends, and is then reaped.
    p->setParent(nullptr);
    connect(p, &QProcess::finished, p, &QObject::deleteLater);
#ifdef Q_OS_WIN
    // Its job goes with it: closed (ending what the process left behind) when it
    // ends, or when this program ends.
    if (HANDLE trabajo = static_cast<HANDLE>(trabajo_)) {
        trabajo_ = nullptr;
        connect(p, &QProcess::finished, p, [trabajo] { CloseHandle(trabajo); });
    }
#endif
}

#ifdef Q_OS_WIN
void clsExecCmd::MeterEnTrabajo()
{
    const auto* pi = static_cast<const PROCESS_INFORMATION*>(informacionProceso_);
    informacionProceso_ = nullptr;
    if (!pi)
        return;
    CerrarTrabajo();
    HANDLE trabajo = CreateJobObjectW(nullptr, nullptr);
    if (trabajo) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limites = {};
        limites.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        if (SetInformationJobObject(trabajo, JobObjectExtendedLimitInformation, &limites, sizeof limites)
            && AssignProcessToJobObject(trabajo, pi->hProcess)) {
            trabajo_ = trabajo;
        } else {
            // Without a job (a job of ours that forbids another one) the cancel
            // ends the process alone.
            CloseHandle(trabajo);
        }
    }
    ResumeThread(pi->hThread);
}

void clsExecCmd::CerrarTrabajo()
{
    if (trabajo_)
        CloseHandle(static_cast<HANDLE>(trabajo_));
    trabajo_ = nullptr;
}
#endif

} // namespace tesedra
