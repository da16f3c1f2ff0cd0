#include "console/CanalSerie.h"

#include "console/Transcripcion.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace tesedra {

namespace {

// Whole milliseconds left before `hasta`, rounded up so a timer never fires early.
int RestanteMs(const QDeadlineTimer& hasta)
{
    if (hasta.isForever())
        return -1;
    const qint64 ns = hasta.remainingTimeNSecs();
    if (ns <= 0)
        return 0;
    const qint64 ms = (ns + 999999) / 1000000;
    return ms > 24 * 3600 * 1000 ? 24 * 3600 * 1000 : static_cast<int>(ms);
}

bool HayBucleDeEventos()
{
    return QCoreApplication::instance() != nullptr
           && QThread::currentThread() == QCoreApplication::instance()->thread();
}

} // namespace

CanalSerie& CanalSerie::Instancia()
{
    // Never destroyed: it may still be referenced by a wait while the program ends.
    static CanalSerie* canal = new CanalSerie;
    return *canal;
}

CanalSerie::CanalSerie() : silencio_(new QTimer(this))
{
    silencio_->setSingleShot(true);
    silencio_->setTimerType(Qt::PreciseTimer);
    connect(silencio_, &QTimer::timeout, this, &CanalSerie::AlSilencio);
    connect(&puerto_, &PuertoSerie::readyRead, this, [this] {
        // Something came: the router is alive, its silence counts afresh.
        restanteSilencioMs_ = limiteSilencioMs_;
        if (silencio_->isActive())
            silencio_->start(limiteSilencioMs_);
        emit Cambio();
    });
    connect(&puerto_, &PuertoSerie::bytesWritten, this, &CanalSerie::Cambio);
    connect(&puerto_, &PuertoSerie::aboutToClose, this, [this] {
        silencio_->stop();
        ++generacion_;
        emit Cambio();
    });
    connect(&puerto_, &PuertoSerie::errorOccurred, this, &CanalSerie::AlError);
}

void CanalSerie::AlError(PuertoSerie::SerialPortError e)
{
    // A timed-out wait is no fault; a read, write or resource error on an open port
    // means the device went away (unplugged, the far end of a pseudo-terminal closed).
    if (e != PuertoSerie::ReadError && e != PuertoSerie::WriteError && e != PuertoSerie::ResourceError)
        return;
    if (!puerto_.isOpen() || perdido_)
        return;
    perdido_ = true;
    descripcionPerdida_ = puerto_.errorString();
    // The port is closed outside the port's own notification, which is still on
    // the stack here; the waits end now because Abierto() turns false.
    QMetaObject::invokeMethod(this, &CanalSerie::CerrarPorPerdida, Qt::QueuedConnection);
    emit Cambio();
}

void CanalSerie::AlSilencio()
{
    // The router has sent nothing for the whole limit: the exchange is over, as if
    // the device had gone, and the waits end now because Abierto() turns false.
    if (!puerto_.isOpen() || perdido_)
        return;
    perdido_ = true;
    callado_ = true;
    descripcionPerdida_.clear();
    QMetaObject::invokeMethod(this, &CanalSerie::CerrarPorPerdida, Qt::QueuedConnection);
    emit Cambio();
}

void CanalSerie::CerrarPorPerdida()
{
    if (perdido_ && puerto_.isOpen())
        puerto_.close();
}

bool CanalSerie::Abrir(const QString& ruta, int32_t baudios, const std::string& paridad, int16_t bitsDatos,
                       int16_t bitsParada, QString& error)
{
    if (puerto_.isOpen())
        puerto_.close();
    perdido_ = false;
    callado_ = false;
    descripcionPerdida_.clear();
    puerto_.clearError();

    PuertoSerie::Parity p;
    if (paridad == "N" || paridad == "n")
        p = PuertoSerie::NoParity;
    else if (paridad == "E" || paridad == "e")
        p = PuertoSerie::EvenParity;
    else if (paridad == "O" || paridad == "o")
        p = PuertoSerie::OddParity;
    else if (paridad == "M" || paridad == "m")
        p = PuertoSerie::MarkParity;
    else if (paridad == "S" || paridad == "s")
        p = PuertoSerie::SpaceParity;
    else {
        error = QStringLiteral("Invalid parity");
        return false;
    }
    if (bitsDatos < 5 || bitsDatos > 8) {
        error = QStringLiteral("Invalid data bits");
        return false;
    }
    if (bitsParada != 1 && bitsParada != 2) {
        error = QStringLiteral("Invalid stop bits");
        return false;
    }
    if (baudios <= 0) {
        error = QStringLiteral("Invalid baud rate");
        return false;
    }

    puerto_.setPortName(ruta);
    if (!puerto_.setBaudRate(baudios) || !puerto_.setParity(p)
        || !puerto_.setDataBits(static_cast<PuertoSerie::DataBits>(bitsDatos))
        || !puerto_.setStopBits(bitsParada == 1 ? PuertoSerie::OneStop : PuertoSerie::TwoStop)
        || !puerto_.setFlowControl(PuertoSerie::NoFlowControl)) {
        error = puerto_.errorString();
        return false;
    }
    if (!puerto_.open(QIODevice::ReadWrite)) {
        error = puerto_.errorString();
        return false;
    }
    // Whatever waited in the line from an earlier session is not part of this one.
    puerto_.clear(PuertoSerie::Input);
    puerto_.clearError();
    restanteSilencioMs_ = limiteSilencioMs_;
    return true;
}

bool CanalSerie::Cerrar(QString& error)
{
    // The run's transcript ends with the port.
    Grabadora::Instancia().Terminar();
    // Whoever closes the port has dealt with a loss: it is reported no more.
    const bool eraPerdido = perdido_;
    perdido_ = false;
    if (!puerto_.isOpen())
        return true;
    puerto_.clearError();
    puerto_.close();
    const auto e = puerto_.error();
    // Restoring the line settings of a device that has gone fails too; that is
    // the loss already reported, not a fault of closing.
    if (!eraPerdido && e != PuertoSerie::NoError && e != PuertoSerie::TimeoutError && e != PuertoSerie::NotOpenError
        && e != PuertoSerie::ReadError && e != PuertoSerie::WriteError && e != PuertoSerie::ResourceError) {
        error = puerto_.errorString();
        puerto_.clearError();
        return false;
    }
    puerto_.clearError();
    return true;
}

bool CanalSerie::Abierto() const
{
    return puerto_.isOpen() && !perdido_;
}

bool CanalSerie::Escribir(const std::string& bytes, QString& error, bool secreto)
{
    if (bytes.empty())
        return true;
    const qint64 n = puerto_.write(bytes.data(), static_cast<qint64>(bytes.size()));
    if (n != static_cast<qint64>(bytes.size())) {
        error = puerto_.errorString();
        return false;
    }
    Grabadora::Instancia().Anotar(false, bytes, secreto);
    return true;
}

qint64 CanalSerie::PendientesSalida() const
{
    return puerto_.bytesToWrite();
}

qint64 CanalSerie::Disponibles() const
{
    return puerto_.bytesAvailable();
}

std::string CanalSerie::LeerTodo()
{
    const QByteArray datos = puerto_.readAll();
    std::string bytes(datos.constData(), static_cast<size_t>(datos.size()));
    leidos_ += bytes.size();
    Grabadora::Instancia().Anotar(true, bytes);
    return bytes;
}

bool CanalSerie::EsperarDatos(QDeadlineTimer hasta)
{
    // The silence clock runs only here, while the program waits for the router: its
    // own pauses and the quiet it waits for after a log-on are not the router's silence.
    if (limiteSilencioMs_ > 0 && Abierto())
        silencio_->start(std::max(restanteSilencioMs_, 0));
    const bool llego = Esperar(hasta, [this] { return Disponibles() > 0; });
    if (silencio_->isActive()) {
        restanteSilencioMs_ = silencio_->remainingTime();
        silencio_->stop();
    }
    return llego;
}

bool CanalSerie::Esperar(QDeadlineTimer hasta, const std::function<bool()>& listo)
{
    const uint64_t gen = generacion_;
    auto terminado = [&] { return listo() || !Abierto() || generacion_ != gen || hasta.hasExpired(); };
    if (terminado())
        return listo();

    if (!HayBucleDeEventos()) {
        // No event loop to serve us (a program without an application object):
        // the port's own blocking waits, which sleep in the system.
        while (!terminado()) {
            const int ms = RestanteMs(hasta);
            const int paso = ms < 0 ? 1000 : ms;
            if (puerto_.bytesToWrite() > 0)
                puerto_.waitForBytesWritten(paso);
            else
                puerto_.waitForReadyRead(paso);
        }
        return listo();
    }

    Girar(hasta, terminado);
    return listo();
}

void CanalSerie::Girar(const QDeadlineTimer& hasta, const std::function<bool()>& terminado)
{
    QEventLoop bucle;
    QTimer reloj;
    reloj.setSingleShot(true);
    reloj.setTimerType(Qt::PreciseTimer);
    connect(&reloj, &QTimer::timeout, &bucle, &QEventLoop::quit);
    const auto conexion = connect(this, &CanalSerie::Cambio, &bucle, [&] {
        if (terminado())
            bucle.quit();
    });
    while (!terminado() && !hasta.hasExpired()) {
        const int ms = RestanteMs(hasta);
        if (ms >= 0)
            reloj.start(ms);
        bucle.exec();
        reloj.stop();
    }
    disconnect(conexion);
}

bool CanalSerie::Pausa(int ms)
{
    if (ms <= 0)
        return true;
    const QDeadlineTimer hasta(ms, Qt::PreciseTimer);
    if (!HayBucleDeEventos()) {
        QThread::msleep(static_cast<unsigned long>(ms));
        return true;
    }
    const bool estabaAbierto = Abierto();
    const uint64_t gen = generacion_;
    auto interrumpida = [&] { return estabaAbierto && (!Abierto() || generacion_ != gen); };

    Girar(hasta, interrumpida);
    return !interrumpida();
}

} // namespace tesedra
