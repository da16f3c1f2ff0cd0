#pragma once
// The console transcript of a window's last run, and the action that saves it
// where the technician chooses (through the dialog seam's save dialog).

#include "console/Transcripcion.h"

#include <QObject>

#include <cstdint>

class QAction;
class QWidget;

namespace tesedra {

class TranscripcionVentana : public QObject {
    Q_OBJECT
public:
    // The action (object name "aGuardarTranscripcion") belongs to `ventana`; the
    // window puts it in a context menu.
    explicit TranscripcionVentana(QWidget* ventana);

    QAction* Accion() const { return accion_; }
    // Around each run of the window: after it, the run's transcript is kept (none
    // when the run never reached the log-on).
    void AntesDeEjecutar();
    void TrasEjecutar();
    bool Hay() const { return hay_; }
    // Asks where and writes it; says so when there is none or it cannot be written.
    void Guardar();

private:
    QAction* accion_;
    Transcripcion copia_;
    bool hay_ = false;
    uint64_t numero_ = 0;
};

} // namespace tesedra
