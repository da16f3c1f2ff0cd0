#include "ui/VentanaResultado.h"

#include "ui/Presentacion.h"
#include "ui/Programa.h"
#include "ui/fProcesando.h"
#include "ui/TranscripcionVentana.h"
#include "base/GuardarResultado.h"

#include <QAction>
#include <QGroupBox>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

namespace tesedra {

VentanaResultado::VentanaResultado(QWidget* principal, std::function<int16_t()> codigoModelo, QWidget* parent)
    : QWidget(parent), principal_(principal), codigoModelo_(std::move(codigoModelo)),
      procesando_(std::make_unique<fProcesando>(this)), transcripcion_(new TranscripcionVentana(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
}

VentanaResultado::~VentanaResultado() = default;

void VentanaResultado::Preparar(QPlainTextEdit* tInfoEstado, QGroupBox* fEstado, QPushButton* bSalvar,
                                QPushButton* bVolver)
{
    InicializarRecursos();
    setWindowIcon(QIcon(QStringLiteral(":/tesedra/logo.png")));
    tInfoEstado_ = tInfoEstado;
    tInfoEstado->setFont(FuenteResultado());
    // The technician may add a note before saving: the box is editable.
    tInfoEstado->setReadOnly(false);
    tInfoEstado->setLineWrapMode(QPlainTextEdit::NoWrap);
    tInfoEstado->setAccessibleName(fEstado->title());
    // The box's own edit menu, with the saving of the last run's transcript after it.
    tInfoEstado->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tInfoEstado, &QWidget::customContextMenuRequested, this, [this, tInfoEstado](const QPoint& donde) {
        std::unique_ptr<QMenu> menu(tInfoEstado->createStandardContextMenu(donde));
        menu->addSeparator();
        menu->addAction(transcripcion_->Accion());
        menu->exec(tInfoEstado->viewport()->mapToGlobal(donde));
    });
    bSalvar->setText(Caption(35));
    bVolver->setText(Caption(36));
    connect(bSalvar, &QPushButton::clicked, this, &VentanaResultado::bSalvar_Click);
    connect(bVolver, &QPushButton::clicked, this, &VentanaResultado::bVolver_Click);
}

void VentanaResultado::Lanzar(const std::function<std::string(int16_t modelo)>& ejecutar)
{
    // One port, one exchange: a run never starts while another is under way.
    if (enCurso_ || Intercambio::EnCurso() > 0)
        return;
    Intercambio intercambio;
    enCurso_ = true;
    procesando_->Mostrar();
    setEnabled(false);
    transcripcion_->AntesDeEjecutar();
    const std::string texto = ejecutar(codigoModelo_ ? codigoModelo_() : int16_t(0));
    transcripcion_->TrasEjecutar();
    MostrarResultado(texto);
    procesando_->Ocultar();
    setEnabled(true);
    enCurso_ = false;
    if (!Terminando()) {
        show();
        activateWindow();
    }
}

void VentanaResultado::MostrarResultado(const std::string& texto)
{
    resultado_ = texto;
    tInfoEstado_->setPlainText(TextoParaCaja(texto));
    // What the technician came for (a synchronisation's attenuation and noise margin)
    // stands at the top of the result: that is what is in view.
    tInfoEstado_->moveCursor(QTextCursor::Start);
    tInfoEstado_->ensureCursorVisible();
}

void VentanaResultado::bSalvar_Click()
{
    if (enCurso_)
        return;
    // The box as it stands: the run's own bytes while it is unchanged, otherwise
    // the edited text with CR LF line ends.
    const QString caja = tInfoEstado_->toPlainText();
    if (caja == TextoParaCaja(resultado_)) {
        SalvarResultado(resultado_);
        return;
    }
    QString t = caja;
    t.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    SalvarResultado(ToL1(t));
}

void VentanaResultado::bVolver_Click()
{
    close();
}

void VentanaResultado::closeEvent(QCloseEvent* e)
{
    CerrarVolviendo(e, enCurso_, principal_);
}

} // namespace tesedra
