#pragma once
// The program's one serial port and the waits of the console exchanges.
// A serial port (console/PuertoSerie.h) behind a small interface: open, close, write, read what has
// arrived, and wait (in a nested event loop) for data, for the output to drain,
// for the port to close or for a deadline. Closing the port ends every wait.
// Optionally a limit on the router's silence: when the program has waited that long
// for data (EsperarDatos) and nothing has come since the last byte, the port is
// closed as if the device had gone, so an unattended run cannot wait for ever.

#include <QDeadlineTimer>
#include <QObject>
#include "console/PuertoSerie.h"
#include <QTimer>

#include <cstdint>
#include <functional>
#include <string>

namespace tesedra {

class CanalSerie : public QObject {
    Q_OBJECT
public:
    static CanalSerie& Instancia();

    // Opens `ruta` with the line settings; on failure `error` gets the system's description.
    bool Abrir(const QString& ruta, int32_t baudios, const std::string& paridad, int16_t bitsDatos, int16_t bitsParada,
               QString& error);
    // Closes the port if open. False (with the description) when closing reported a fault.
    bool Cerrar(QString& error);

    // Open and usable: false once closed or once the far end has gone away.
    bool Abierto() const;
    // The far end went away (read or resource error) while the port was open.
    bool Perdido() const { return perdido_; }
    // The port's error after a failed Abrir (NoError when the settings were refused).
    PuertoSerie::SerialPortError ErrorPuerto() const { return puerto_.error(); }
    QString DescripcionPerdida() const { return descripcionPerdida_; }
    // The last loss was the router's silence (the silence limit passed), not the
    // device; it stays so after the close, until the next open.
    bool Callado() const { return callado_; }

    // The longest the program may wait for data (in EsperarDatos, summed over its
    // waits) without the far end sending anything, in milliseconds; 0 (the default)
    // waits for ever. Counted afresh at each open and each arrival of data.
    void FijarLimiteSilencio(int ms) { limiteSilencioMs_ = ms; }
    int LimiteSilencio() const { return limiteSilencioMs_; }

    // Queues the bytes for sending; false (with the description) when the port refused them.
    // A secret write (the console password) is recorded in the transcript as "****".
    bool Escribir(const std::string& bytes, QString& error, bool secreto = false);
    qint64 PendientesSalida() const;
    std::string LeerTodo();
    // Bytes LeerTodo has returned since the program started: a reader compares two
    // counts to tell whether anything at all came (a lone line feed included).
    uint64_t Leidos() const { return leidos_; }
    qint64 Disponibles() const;

    // Runs a nested event loop until `listo()` holds, the port closes (or is lost),
    // or `hasta` expires. Returns `listo()` at the end.
    bool Esperar(QDeadlineTimer hasta, const std::function<bool()>& listo);
    // Esperar until data has arrived, under the silence limit.
    bool EsperarDatos(QDeadlineTimer hasta);
    // Waits `ms` milliseconds in a nested event loop; a port that closes during the
    // pause ends it early. Returns false when it ended early.
    bool Pausa(int ms);

    // Changes each time the port closes: a wait compares it to see a close that
    // happened underneath it, even when the port was opened again meanwhile.
    uint64_t Generacion() const { return generacion_; }

signals:
    // Data arrived, output was written, the port closed or failed.
    void Cambio();

private:
    CanalSerie();
    void AlError(PuertoSerie::SerialPortError e);
    void CerrarPorPerdida();
    void AlSilencio();
    // Runs nested event loops until `terminado()` holds or `hasta` expires; woken by
    // every change of the port and by a timer at the deadline.
    void Girar(const QDeadlineTimer& hasta, const std::function<bool()>& terminado);

    PuertoSerie puerto_;
    QTimer* silencio_;
    int limiteSilencioMs_ = 0;
    int restanteSilencioMs_ = 0; // of the limit, what the waits since the last data left
    bool perdido_ = false;
    bool callado_ = false;
    QString descripcionPerdida_;
    uint64_t generacion_ = 0;
    uint64_t leidos_ = 0;
};

} // namespace tesedra
