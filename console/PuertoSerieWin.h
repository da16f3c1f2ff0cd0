#pragma once
// A serial port on Windows, through the communications API: the part of
// QSerialPort's interface, signals and error codes that the console channel uses
// (console/CanalSerie.h), with the same meanings.
//
// The port is opened for overlapped I/O. One read is always pending while the port
// is open; its completion (an event watched by a QWinEventNotifier) wakes the event
// loop, so nothing is polled. The read times out only between bytes (a short
// interval after the first one), so it waits for as long as the line is quiet and
// then completes with the burst that came. Writes are overlapped too, their
// completion reported through bytesWritten. Closing cancels every pending
// operation and waits for it to end, so no wait outlives the port. A read or a
// write that fails on the open port (an unplugged adapter: access denied, the
// operation aborted, a bad command, a broken pipe) is reported as ReadError or
// WriteError, the device gone, as QSerialPort reports it on Linux.

#include <QByteArray>
#include <QIODevice>
#include <QObject>
#include <QString>

#include <memory>

namespace tesedra {

class PuertoSerieWin : public QObject {
    Q_OBJECT
public:
    enum SerialPortError {
        NoError,
        DeviceNotFoundError,
        PermissionError,
        OpenError,
        WriteError,
        ReadError,
        ResourceError,
        UnsupportedOperationError,
        UnknownError,
        TimeoutError,
        NotOpenError
    };
    Q_ENUM(SerialPortError)
    enum Parity { NoParity = 0, EvenParity = 2, OddParity = 3, SpaceParity = 4, MarkParity = 5 };
    enum DataBits { Data5 = 5, Data6 = 6, Data7 = 7, Data8 = 8 };
    enum StopBits { OneStop = 1, OneAndHalfStop = 3, TwoStop = 2 };
    enum FlowControl { NoFlowControl, HardwareControl, SoftwareControl };
    enum Direction { Input = 1, Output = 2, AllDirections = Input | Output };

    explicit PuertoSerieWin(QObject* parent = nullptr);
    ~PuertoSerieWin() override;
    PuertoSerieWin(const PuertoSerieWin&) = delete;
    PuertoSerieWin& operator=(const PuertoSerieWin&) = delete;

    // "COM3" or "\\.\COM3" (any other name is opened as given).
    void setPortName(const QString& nombre);
    // The line settings, applied at once to an open port and on every open.
    bool setBaudRate(qint32 baudios);
    bool setParity(Parity p);
    bool setDataBits(DataBits d);
    bool setStopBits(StopBits s);
    bool setFlowControl(FlowControl f);

    // Only ReadWrite is supported.
    bool open(QIODevice::OpenMode modo);
    void close();
    bool isOpen() const;
    // Drops what has arrived (Input) and what is waiting to be sent (Output).
    bool clear(Direction d = AllDirections);

    // Queues the bytes and starts sending them; -1 when the port is not open.
    qint64 write(const char* datos, qint64 n);
    QByteArray readAll();
    qint64 bytesAvailable() const;
    qint64 bytesToWrite() const;

    // For a program without an event loop: wait in the system for data or for the
    // output to drain, at most `ms` milliseconds (-1: no limit).
    bool waitForReadyRead(int ms);
    bool waitForBytesWritten(int ms);

    SerialPortError error() const { return error_; }
    QString errorString() const { return errorString_; }
    void clearError();

signals:
    void readyRead();
    void bytesWritten(qint64 bytes);
    void aboutToClose();
    void errorOccurred(tesedra::PuertoSerieWin::SerialPortError error);

private:
    struct Sistema;

    void FijarError(SerialPortError e, unsigned long codigo);
    void FijarError(SerialPortError e, const QString& texto);
    bool AplicarAjustes();
    void IniciarLectura();
    void AlTerminarLectura();
    void IniciarEscritura();
    void AlTerminarEscritura();
    // The end of a write of which `n` bytes left.
    void Escrito(unsigned long n);
    // Runs the completion of whichever operation ended within `ms` milliseconds;
    // false when none did.
    bool AtenderUna(int ms);

    std::unique_ptr<Sistema> sis_;
    QString nombre_;
    qint32 baudios_ = 9600;
    Parity paridad_ = NoParity;
    DataBits bitsDatos_ = Data8;
    StopBits bitsParada_ = OneStop;
    FlowControl flujo_ = NoFlowControl;
    QByteArray recibido_;
    QByteArray cola_;    // waiting to be sent
    QByteArray enCurso_; // being sent by the pending write
    bool leyendo_ = false;
    bool escribiendo_ = false;
    bool cerrando_ = false;
    SerialPortError error_ = NoError;
    QString errorString_;
};

} // namespace tesedra
