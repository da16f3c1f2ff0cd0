#pragma once
// Runs one command line as a separate process, with the window and console
// options of the process creation exposed as properties. It either waits for
// the process (mode 0), or returns at once and reports the end through
// EjecucionFinalizada, found by polling every 100 ms from a timer the caller
// lends it (mode 1), or returns at once and leaves the process to the caller
// (mode 2).
//
// On Linux the command line is split into a program and its arguments
// (QProcess::splitCommand) and started without any shell. The window and
// console options (ShowWindow, Title, position, size, buffer, colours,
// MostrarReloj, Prioridad) have no meaning there: they are stored and returned
// as set and change nothing. hProcess is the process id while the process runs
// (0 when none), hThread is always 0, dwProcessId and dwThreadId keep the id of
// the last process started (its primary thread has the same id).

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <string>

class QProcess;
class QTimer;

namespace tesedra {

class clsExecCmd : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString LineaComando READ LineaComando WRITE setLineaComando)
    Q_PROPERTY(bool EsperarCarga READ EsperarCarga WRITE setEsperarCarga)
    Q_PROPERTY(bool HuboError READ HuboError)
    Q_PROPERTY(qint64 hProcess READ hProcess)
    Q_PROPERTY(qint64 hThread READ hThread)
    Q_PROPERTY(qint64 dwProcessId READ dwProcessId)
    Q_PROPERTY(qint64 dwThreadId READ dwThreadId)
    Q_PROPERTY(QString DirectorioPorDefecto READ DirectorioPorDefecto WRITE setDirectorioPorDefecto)
    Q_PROPERTY(int ModoEjecucion READ ModoEjecucion WRITE setModoEjecucion)
    Q_PROPERTY(bool Ejecutando READ Ejecutando)
    Q_PROPERTY(int ShowWindow READ ShowWindow WRITE setShowWindow)
    Q_PROPERTY(QString Title READ Title WRITE setTitle)
    Q_PROPERTY(int PosX READ PosX WRITE setPosX)
    Q_PROPERTY(int PosY READ PosY WRITE setPosY)
    Q_PROPERTY(bool UsarPosicion READ UsarPosicion WRITE setUsarPosicion)
    Q_PROPERTY(int SizeX READ SizeX WRITE setSizeX)
    Q_PROPERTY(int SizeY READ SizeY WRITE setSizeY)
    Q_PROPERTY(bool UsarTamano READ UsarTamano WRITE setUsarTamano)
    Q_PROPERTY(int CharX READ CharX WRITE setCharX)
    Q_PROPERTY(int CharY READ CharY WRITE setCharY)
    Q_PROPERTY(bool UsarBuffer READ UsarBuffer WRITE setUsarBuffer)
    Q_PROPERTY(int ColorFondo READ ColorFondo WRITE setColorFondo)
    Q_PROPERTY(int ColorTexto READ ColorTexto WRITE setColorTexto)
    Q_PROPERTY(bool UsarColores READ UsarColores WRITE setUsarColores)
    Q_PROPERTY(int MostrarReloj READ MostrarReloj WRITE setMostrarReloj)
    Q_PROPERTY(int Prioridad READ Prioridad WRITE setPrioridad)

public:
    // Execution modes.
    static constexpr int32_t kSincrono = 0;
    static constexpr int32_t kAsincronoConAviso = 1;
    static constexpr int32_t kAsincrono = 2;
    // Poll interval of mode 1, in milliseconds.
    static constexpr int kIntervaloSondeoMs = 100;

    explicit clsExecCmd(QObject* parent = nullptr);
    // Disables the lent timer. A process still running is left running: it is
    // neither waited for nor ended, and it is reaped once it ends.
    ~clsExecCmd() override;

    // Starts the command; the outcome is read from HuboError, Ejecutando and the ids.
    void Ejecutar();
    // Ends the running process (SIGKILL on Linux, where an exit code cannot be
    // imposed on a killed process; on Windows, with exit code 0, the process and
    // every process it started, such as the ping a command interpreter runs).
    // True when there is no process or the kill was delivered. In mode 1 the end
    // is then reported by the next poll.
    bool CancelarProceso();

    // The timer mode 1 polls with; not owned. Must be set before Ejecutar in mode 1;
    // without one the runner polls with a timer of its own.
    void setControlTimer(QTimer* timer);
    QTimer* ControlTimer() const;

    // Start by program and argument list instead of splitting LineaComando
    // (used when an argument must reach the program exactly as it is).
    // An empty program means: split LineaComando.
    void setPrograma(const QString& programa, const QStringList& argumentos);
    QString Programa() const { return programa_; }
    QStringList Argumentos() const { return argumentos_; }

    // When not empty, the process's standard output and standard error, merged,
    // replace this file. When empty they go where this program's own go.
    void setFicheroSalida(const QString& ruta) { ficheroSalida_ = ruta; }
    QString FicheroSalida() const { return ficheroSalida_; }

    QString LineaComando() const { return lineaComando_; }
    void setLineaComando(const QString& v) { lineaComando_ = v; }
    bool EsperarCarga() const { return esperarCarga_; }
    void setEsperarCarga(bool v) { esperarCarga_ = v; }
    bool HuboError() const { return huboError_; }
    qint64 hProcess() const { return hProcess_; }
    qint64 hThread() const { return hThread_; }
    qint64 dwProcessId() const { return dwProcessId_; }
    qint64 dwThreadId() const { return dwThreadId_; }
    QString DirectorioPorDefecto() const { return directorio_; }
    void setDirectorioPorDefecto(const QString& v) { directorio_ = v; }
    int32_t ModoEjecucion() const { return modo_; }
    void setModoEjecucion(int32_t v) { modo_ = v; }
    bool Ejecutando() const { return ejecutando_; }
    int32_t ShowWindow() const { return showWindow_; }
    void setShowWindow(int32_t v) { showWindow_ = v; }
    QString Title() const { return title_; }
    void setTitle(const QString& v) { title_ = v; }
    int32_t PosX() const { return posX_; }
    void setPosX(int32_t v) { posX_ = v; }
    int32_t PosY() const { return posY_; }
    void setPosY(int32_t v) { posY_ = v; }
    bool UsarPosicion() const { return usarPosicion_; }
    void setUsarPosicion(bool v) { usarPosicion_ = v; }
    int32_t SizeX() const { return sizeX_; }
    void setSizeX(int32_t v) { sizeX_ = v; }
    int32_t SizeY() const { return sizeY_; }
    void setSizeY(int32_t v) { sizeY_ = v; }
    bool UsarTamano() const { return usarTamano_; }
    void setUsarTamano(bool v) { usarTamano_ = v; }
    int32_t CharX() const { return charX_; }
    void setCharX(int32_t v) { charX_ = v; }
    int32_t CharY() const { return charY_; }
    void setCharY(int32_t v) { charY_ = v; }
    bool UsarBuffer() const { return usarBuffer_; }
    void setUsarBuffer(bool v) { usarBuffer_ = v; }
    int32_t ColorFondo() const { return colorFondo_; }
    void setColorFondo(int32_t v) { colorFondo_ = v; }
    int32_t ColorTexto() const { return colorTexto_; }
    void setColorTexto(int32_t v) { colorTexto_ = v; }
    bool UsarColores() const { return usarColores_; }
    void setUsarColores(bool v) { usarColores_ = v; }
    int32_t MostrarReloj() const { return mostrarReloj_; }
    void setMostrarReloj(int32_t v) { mostrarReloj_ = v; }
    int32_t Prioridad() const { return prioridad_; }
    void setPrioridad(int32_t v) { prioridad_ = v; }

    // The start-up flags the options select, as the Windows start-up record
    // takes them (1 show-window, 2 size, 4 position, 8 buffer, 16 colours,
    // 64 feedback on, 128 feedback off). Only Windows passes them on.
    uint32_t BanderasInicio() const;

    // Why the last start failed, in the system's words; empty after a good start.
    QString DescripcionError() const { return descripcionError_; }

signals:
    // Raised once, from a poll, when a process started in mode 1 has ended.
    void EjecucionFinalizada();

private:
    void Sondeo();
    void SoltarProceso();
    void AlTerminar();
    void PararTimer();

    QProcess* proceso_ = nullptr;
    QPointer<QTimer> timer_;
    QTimer* timerPropio_ = nullptr;
    QMetaObject::Connection conexionTimer_;
    bool terminado_ = false;

    QString lineaComando_;
    QString programa_;
    QStringList argumentos_;
    QString ficheroSalida_;
    bool esperarCarga_ = false;
    bool huboError_ = false;
    qint64 hProcess_ = 0;
    qint64 hThread_ = 0;
    qint64 dwProcessId_ = 0;
    qint64 dwThreadId_ = 0;
    QString directorio_;
    int32_t modo_ = kSincrono;
    bool ejecutando_ = false;
    int32_t showWindow_ = 1;
    QString title_;
    int32_t posX_ = 0;
    int32_t posY_ = 0;
    bool usarPosicion_ = false;
    int32_t sizeX_ = 0;
    int32_t sizeY_ = 0;
    bool usarTamano_ = false;
    int32_t charX_ = 0;
    int32_t charY_ = 0;
    bool usarBuffer_ = false;
    int32_t colorFondo_ = 0;
    int32_t colorTexto_ = 0;
    bool usarColores_ = false;
    int32_t mostrarReloj_ = -2;
    int32_t prioridad_ = 32;
    QString descripcionError_;
#ifdef Q_OS_WIN
    // The job object that holds the process and every process it starts
    // (JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE): a cancel ends them all. Null when the
    // process could not be put in one; the cancel then ends the process alone.
    void* trabajo_ = nullptr;
    // The creation's own process record, read once the process exists (started).
    void* informacionProceso_ = nullptr;
    void MeterEnTrabajo();
    void CerrarTrabajo();
    std::wstring tituloNativo_;
    std::wstring lineaNativa_;
#endif
};

} // namespace tesedra
