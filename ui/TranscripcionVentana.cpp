#include "ui/TranscripcionVentana.h"

#include "base/Carpetas.h"
#include "base/Dialogos.h"
#include "base/Latin1.h"
#include "ui/TextosTranscripcion.h"

#include <QAction>
#include <QFile>
#include <QWidget>

namespace tesedra {

TranscripcionVentana::TranscripcionVentana(QWidget* ventana) : QObject(ventana), accion_(new QAction(ventana))
{
    accion_->setObjectName(QStringLiteral("aGuardarTranscripcion"));
    accion_->setText(L1(Traducir(kTxtGuardarTranscripcion)));
    connect(accion_, &QAction::triggered, this, &TranscripcionVentana::Guardar);
}

void TranscripcionVentana::AntesDeEjecutar()
{
    numero_ = Grabadora::Instancia().Numero();
}

void TranscripcionVentana::TrasEjecutar()
{
    hay_ = Grabadora::Instancia().Numero() != numero_;
    copia_ = hay_ ? Grabadora::Instancia().Ultima() : Transcripcion{};
}

void TranscripcionVentana::Guardar()
{
    if (!hay_) {
        MostrarInformacion(Traducir(kTxtSinTranscripcion));
        return;
    }
    const auto ruta = dialogos().GuardarComo(CarpetaPrograma(), Traducir(kTxtFiltroTranscripcion), "txt");
    if (!ruta || ruta->isEmpty())
        return;
    std::string error;
    if (!GuardarTranscripcion(copia_, QFile::encodeName(*ruta).toStdString(), error))
        MostrarError(Traducir(kTxtErrorTranscripcion) + ToL1(QString::fromLocal8Bit(error.c_str())));
}

} // namespace tesedra
