#include "console/PuertoSerieWin.h"

#include <QDeadlineTimer>
#include <QTimer>
#include <QWinEventNotifier>

#include <windows.h>

namespace tesedra {

namespace {

// A read completes once the line has been quiet this long after a byte: a burst at
// the consoles' speeds (about a millisecond a byte at 9600 baud) arrives as one
// piece, and a quiet line keeps the read pending with no time limit.
constexpr DWORD kIntervaloLecturaMs = 5;
constexpr DWORD kTamanoLectura = 4096;

QString TextoSistema(DWORD codigo)
{
    wchar_t* texto = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                       | FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, codigo, 0, reinterpret_cast<wchar_t*>(&texto), 0, nullptr);
    QString s = n > 0 ? QString::fromWCharArray(texto, static_cast<int>(n)).trimmed()
                      : QStringLiteral("System error %1").arg(codigo);
    if (texto)
        LocalFree(texto);
    return s;
}

// "COM3" becomes "\\.\COM3", the name that opens every port (COM10 and above only open
// that way); anything else is taken as given.
std::wstring NombreDispositivo(const QString& nombre)
{
    QString n = nombre;
    if (n.startsWith(QLatin1String("COM"), Qt::CaseInsensitive))
        n.prepend(QLatin1String("\\\\.\\"));
    return n.toStdWString();
}

} // namespace

struct PuertoSerieWin::Sistema {
    HANDLE puerto = INVALID_HANDLE_VALUE;
    OVERLAPPED lectura{};
    OVERLAPPED escritura{};
    HANDLE eventoLectura = nullptr;
    HANDLE eventoEscritura = nullptr;
    std::unique_ptr<QWinEventNotifier> avisoLectura;
    std::unique_ptr<QWinEventNotifier> avisoEscritura;
    char bufer[kTamanoLectura];
};

PuertoSerieWin::PuertoSerieWin(QObject* parent) : QObject(parent), sis_(std::make_unique<Sistema>())
{
    // Manual-reset events: a completion stays visible until the next operation starts.
    sis_->eventoLectura = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    sis_->eventoEscritura = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    sis_->avisoLectura = std::make_unique<QWinEventNotifier>(sis_->eventoLectura);
    sis_->avisoEscritura = std::make_unique<QWinEventNotifier>(sis_->eventoEscritura);
    sis_->avisoLectura->setEnabled(false);
    sis_->avisoEscritura->setEnabled(false);
    connect(sis_->avisoLectura.get(), &QWinEventNotifier::activated, this, &PuertoSerieWin::AlTerminarLectura);
    connect(sis_->avisoEscritura.get(), &QWinEventNotifier::activated, this, &PuertoSerieWin::AlTerminarEscritura);
}

PuertoSerieWin::~PuertoSerieWin()
{
    close();
    sis_->avisoLectura.reset();
    sis_->avisoEscritura.reset();
    CloseHandle(sis_->eventoLectura);
    CloseHandle(sis_->eventoEscritura);
}

void PuertoSerieWin::setPortName(const QString& nombre)
{
    nombre_ = nombre;
}

bool PuertoSerieWin::setBaudRate(qint32 baudios)
{
    if (baudios <= 0) {
        FijarError(UnsupportedOperationError, QStringLiteral("Invalid baud rate"));
        return false;
    }
    baudios_ = baudios;
    return !isOpen() || AplicarAjustes();
}

bool PuertoSerieWin::setParity(Parity p)
{
    paridad_ = p;
    return !isOpen() || AplicarAjustes();
}

bool PuertoSerieWin::setDataBits(DataBits d)
{
    bitsDatos_ = d;
    return !isOpen() || AplicarAjustes();
}

bool PuertoSerieWin::setStopBits(StopBits s)
{
    bitsParada_ = s;
    return !isOpen() || AplicarAjustes();
}

bool PuertoSerieWin::setFlowControl(FlowControl f)
{
    flujo_ = f;
    return !isOpen() || AplicarAjustes();
}

bool PuertoSerieWin::isOpen() const
{
    return sis_->puerto != INVALID_HANDLE_VALUE;
}

void PuertoSerieWin::clearError()
{
    error_ = NoError;
    errorString_.clear();
}

void PuertoSerieWin::FijarError(SerialPortError e, unsigned long codigo)
{
    FijarError(e, TextoSistema(codigo));
}

void PuertoSerieWin::FijarError(SerialPortError e, const QString& texto)
{
    error_ = e;
    errorString_ = texto;
}

bool PuertoSerieWin::open(QIODevice::OpenMode modo)
{
    if (isOpen()) {
        FijarError(OpenError, QStringLiteral("The port is already open"));
        return false;
    }
    if (modo != QIODevice::ReadWrite) {
        FijarError(UnsupportedOperationError, QStringLiteral("Only read-write opening is supported"));
        return false;
    }
    const std::wstring nombre = NombreDispositivo(nombre_);
    HANDLE h = CreateFileW(nombre.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_FLAG_OVERLAPPED, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD e = GetLastError();
        // A port held by another program is refused with "access denied".
        FijarError(e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND     ? DeviceNotFoundError
                   : e == ERROR_ACCESS_DENIED || e == ERROR_SHARING_VIOLATION ? PermissionError
                                                                              : OpenError,
                   e);
        return false;
    }
    sis_->puerto = h;
    // The read waits without a time limit for the first byte, then for a quiet interval;
    // writes have no time limit.
    COMMTIMEOUTS t{};
    t.ReadIntervalTimeout = kIntervaloLecturaMs;
    if (!AplicarAjustes() || !SetCommTimeouts(h, &t)) {
        if (error_ == NoError)
            FijarError(UnsupportedOperationError, GetLastError());
        CloseHandle(h);
        sis_->puerto = INVALID_HANDLE_VALUE;
        return false;
    }
    PurgeComm(h, PURGE_RXCLEAR | PURGE_TXCLEAR);
    DWORD errores = 0;
    ClearCommError(h, &errores, nullptr);
    clearError();
    sis_->avisoLectura->setEnabled(true);
    sis_->avisoEscritura->setEnabled(true);
    IniciarLectura();
    return true;
}

bool PuertoSerieWin::AplicarAjustes()
{
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(sis_->puerto, &dcb)) {
        FijarError(UnsupportedOperationError, GetLastError());
        return false;
    }
    dcb.BaudRate = static_cast<DWORD>(baudios_);
    dcb.ByteSize = static_cast<BYTE>(bitsDatos_);
    switch (paridad_) {
    case NoParity: dcb.Parity = NOPARITY; break;
    case EvenParity: dcb.Parity = EVENPARITY; break;
    case OddParity: dcb.Parity = ODDPARITY; break;
    case SpaceParity: dcb.Parity = SPACEPARITY; break;
    case MarkParity: dcb.Parity = MARKPARITY; break;
    }
    dcb.fParity = paridad_ == NoParity ? FALSE : TRUE;
    dcb.StopBits = bitsParada_ == TwoStop ? TWOSTOPBITS : bitsParada_ == OneAndHalfStop ? ONE5STOPBITS : ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fNull = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fAbortOnError = FALSE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    const bool hardware = flujo_ == HardwareControl;
    const bool software = flujo_ == SoftwareControl;
    dcb.fOutxCtsFlow = hardware ? TRUE : FALSE;
    dcb.fRtsControl = hardware ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE;
    dcb.fOutX = software ? TRUE : FALSE;
    dcb.fInX = software ? TRUE : FALSE;
    dcb.XonChar = 0x11;
    dcb.XoffChar = 0x13;
    if (!SetCommState(sis_->puerto, &dcb)) {
        FijarError(UnsupportedOperationError, GetLastError());
        return false;
    }
    return true;
}

void PuertoSerieWin::IniciarLectura()
{
    if (!isOpen() || leyendo_ || cerrando_)
        return;
    ResetEvent(sis_->eventoLectura);
    sis_->lectura = OVERLAPPED{};
    sis_->lectura.hEvent = sis_->eventoLectura;
    // Completed at once or pending, the end comes through the event.
    if (ReadFile(sis_->puerto, sis_->bufer, kTamanoLectura, nullptr, &sis_->lectura)
        || GetLastError() == ERROR_IO_PENDING) {
        leyendo_ = true;
        return;
    }
    FijarError(ReadError, GetLastError());
    emit errorOccurred(ReadError);
}

void PuertoSerieWin::AlTerminarLectura()
{
    if (!leyendo_)
        return;
    DWORD n = 0;
    if (!GetOverlappedResult(sis_->puerto, &sis_->lectura, &n, FALSE)) {
        const DWORD e = GetLastError();
        if (e == ERROR_IO_INCOMPLETE) // a notice of a completion already dealt with
            return;
        leyendo_ = false;
        ResetEvent(sis_->eventoLectura);
        if (cerrando_)
            return;
        // The device went away: unplugged (access denied, aborted, bad command), or
        // its far end closed (broken pipe, not ready).
        FijarError(ReadError, e);
        emit errorOccurred(ReadError);
        return;
    }
    leyendo_ = false;
    if (n == 0) {
        // Nothing, yet no error: a driver that does not wait for the first byte. The
        // next read starts a little later, so such a port is not spun on.
        ResetEvent(sis_->eventoLectura);
        QTimer::singleShot(static_cast<int>(kIntervaloLecturaMs), this, &PuertoSerieWin::IniciarLectura);
        return;
    }
    recibido_.append(sis_->bufer, static_cast<qsizetype>(n));
    IniciarLectura();
    emit readyRead();
}

qint64 PuertoSerieWin::write(const char* datos, qint64 n)
{
    if (!isOpen()) {
        FijarError(NotOpenError, QStringLiteral("The port is not open"));
        return -1;
    }
    if (n <= 0)
        return 0;
    cola_.append(datos, static_cast<qsizetype>(n));
    IniciarEscritura();
    return n;
}

void PuertoSerieWin::IniciarEscritura()
{
    if (!isOpen() || escribiendo_ || cerrando_ || cola_.isEmpty())
        return;
    enCurso_ = std::move(cola_);
    cola_.clear();
    ResetEvent(sis_->eventoEscritura);
    sis_->escritura = OVERLAPPED{};
    sis_->escritura.hEvent = sis_->eventoEscritura;
    if (WriteFile(sis_->puerto, enCurso_.constData(), static_cast<DWORD>(enCurso_.size()), nullptr, &sis_->escritura)) {
        // Done at once (the usual case under Wine): counted now, so that the output
        // is not seen pending after it has left (a loss met meanwhile by the read
        // would otherwise be taken for the write's).
        DWORD n = 0;
        GetOverlappedResult(sis_->puerto, &sis_->escritura, &n, FALSE);
        ResetEvent(sis_->eventoEscritura);
        Escrito(n);
        return;
    }
    if (GetLastError() == ERROR_IO_PENDING) {
        escribiendo_ = true;
        return;
    }
    const DWORD e = GetLastError();
    enCurso_.clear();
    cola_.clear();
    FijarError(WriteError, e);
    emit errorOccurred(WriteError);
}

void PuertoSerieWin::AlTerminarEscritura()
{
    if (!escribiendo_)
        return;
    DWORD n = 0;
    if (!GetOverlappedResult(sis_->puerto, &sis_->escritura, &n, FALSE)) {
        const DWORD e = GetLastError();
        if (e == ERROR_IO_INCOMPLETE)
            return;
        escribiendo_ = false;
        ResetEvent(sis_->eventoEscritura);
        enCurso_.clear();
        cola_.clear();
        if (cerrando_)
            return;
        FijarError(WriteError, e);
        emit errorOccurred(WriteError);
        return;
    }
    escribiendo_ = false;
    ResetEvent(sis_->eventoEscritura);
    Escrito(n);
}

void PuertoSerieWin::Escrito(unsigned long n)
{
    // What a write left unsent goes first in the next one.
    if (n < static_cast<DWORD>(enCurso_.size()))
        cola_.prepend(enCurso_.mid(static_cast<qsizetype>(n)));
    enCurso_.clear();
    IniciarEscritura();
    if (n > 0)
        emit bytesWritten(static_cast<qint64>(n));
}

bool PuertoSerieWin::clear(Direction d)
{
    if (!isOpen()) {
        FijarError(NotOpenError, QStringLiteral("The port is not open"));
        return false;
    }
    if (d & Input) {
        // The pending read may already hold bytes: it is cancelled with them.
        if (leyendo_) {
            cerrando_ = true;
            CancelIoEx(sis_->puerto, &sis_->lectura);
            DWORD n = 0;
            GetOverlappedResult(sis_->puerto, &sis_->lectura, &n, TRUE);
            leyendo_ = false;
            cerrando_ = false;
        }
        PurgeComm(sis_->puerto, PURGE_RXCLEAR);
        recibido_.clear();
        IniciarLectura();
    }
    if (d & Output) {
        cola_.clear();
        PurgeComm(sis_->puerto, PURGE_TXCLEAR);
    }
    return true;
}

void PuertoSerieWin::close()
{
    if (!isOpen())
        return;
    emit aboutToClose();
    if (!isOpen()) // closed by a receiver of aboutToClose
        return;
    cerrando_ = true;
    // Every pending operation is cancelled and waited for: its buffer and its
    // OVERLAPPED must outlive it.
    CancelIoEx(sis_->puerto, nullptr);
    DWORD n = 0;
    if (leyendo_)
        GetOverlappedResult(sis_->puerto, &sis_->lectura, &n, TRUE);
    if (escribiendo_)
        GetOverlappedResult(sis_->puerto, &sis_->escritura, &n, TRUE);
    leyendo_ = escribiendo_ = false;
    sis_->avisoLectura->setEnabled(false);
    sis_->avisoEscritura->setEnabled(false);
    ResetEvent(sis_->eventoLectura);
    ResetEvent(sis_->eventoEscritura);
    if (!CloseHandle(sis_->puerto))
        FijarError(ResourceError, GetLastError());
    sis_->puerto = INVALID_HANDLE_VALUE;
    recibido_.clear();
    cola_.clear();
    enCurso_.clear();
    cerrando_ = false;
}

QByteArray PuertoSerieWin::readAll()
{
    QByteArray datos;
    datos.swap(recibido_);
    return datos;
}

qint64 PuertoSerieWin::bytesAvailable() const
{
    return recibido_.size();
}

qint64 PuertoSerieWin::bytesToWrite() const
{
    return cola_.size() + enCurso_.size();
}

bool PuertoSerieWin::AtenderUna(int ms)
{
    HANDLE eventos[2];
    bool deLectura[2];
    DWORD n = 0;
    if (leyendo_) {
        eventos[n] = sis_->eventoLectura;
        deLectura[n++] = true;
    }
    if (escribiendo_) {
        eventos[n] = sis_->eventoEscritura;
        deLectura[n++] = false;
    }
    if (n == 0)
        return false;
    const DWORD r = WaitForMultipleObjects(n, eventos, FALSE, ms < 0 ? INFINITE : static_cast<DWORD>(ms));
    if (r >= WAIT_OBJECT_0 + n)
        return false;
    deLectura[r - WAIT_OBJECT_0] ? AlTerminarLectura() : AlTerminarEscritura();
    return true;
}

bool PuertoSerieWin::waitForReadyRead(int ms)
{
    const QDeadlineTimer hasta = ms < 0 ? QDeadlineTimer(QDeadlineTimer::Forever) : QDeadlineTimer(ms);
    while (isOpen() && error_ == NoError) {
        const qint64 antes = recibido_.size();
        const qint64 resto = hasta.remainingTime();
        if (!AtenderUna(static_cast<int>(resto)))
            break;
        if (recibido_.size() > antes)
            return true;
    }
    return false;
}

bool PuertoSerieWin::waitForBytesWritten(int ms)
{
    const QDeadlineTimer hasta = ms < 0 ? QDeadlineTimer(QDeadlineTimer::Forever) : QDeadlineTimer(ms);
    while (isOpen() && error_ == NoError && escribiendo_) {
        const qint64 antes = bytesToWrite();
        const qint64 resto = hasta.remainingTime();
        if (!AtenderUna(static_cast<int>(resto)))
            break;
        if (bytesToWrite() < antes)
            return true;
    }
    return false;
}

} // namespace tesedra
