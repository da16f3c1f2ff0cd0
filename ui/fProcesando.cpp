#include "ui/fProcesando.h"

#include "ui_fProcesando.h"

#include "console/ComSerie.h"
#include "base/Dialogos.h"
#include "base/Idiomas.h"
#include "ui/Presentacion.h"
#include "ui/Programa.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QPixmap>
#include <QWindow>

namespace tesedra {

fProcesando::fProcesando(QWidget* sobre) : QDialog(nullptr), ui(std::make_unique<Ui::fProcesando>()), sobre_(sobre)
{
    InicializarRecursos();
    ui->setupUi(this);
    setWindowTitle(L1("Obteniendo informaci\xF3n "));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(false);
    ui->imgProcesando->setPixmap(QPixmap(QStringLiteral(":/tesedra/logo-48.png")));
    ui->imgProcesando->setAccessibleName(QStringLiteral("Tesedra"));
    ui->pbProcesando->setAccessibleName(windowTitle());
    ui->Command1->setCursor(Qt::ArrowCursor);
    connect(ui->Command1, &QPushButton::clicked, this, &fProcesando::Command1_Click);
    // Wide enough for the window manager to show the whole title.
    setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle() + QStringLiteral(" \u2014 Tesedra")) + 160);
    if (sobre_) {
        ventanaSobre_ = sobre_->window();
        ventanaSobre_->installEventFilter(this);
    }
}

bool fProcesando::eventFilter(QObject* o, QEvent* e)
{
    if (ventanaSobre_ && o == ventanaSobre_.data() && isVisible()
        && (e->type() == QEvent::Move || e->type() == QEvent::Resize || e->type() == QEvent::Show))
        Centrar(this, ventanaSobre_.data());
    return QDialog::eventFilter(o, e);
}

fProcesando::~fProcesando() = default;

void fProcesando::Mostrar()
{
    // Kept above the window it serves without being its child (a child would be
    // disabled with it).
    if (sobre_ && sobre_->window()->windowHandle()) {
        create();
        if (QWindow* w = windowHandle())
            w->setTransientParent(sobre_->window()->windowHandle());
    }
    Centrar(this, ventanaSobre_.data());
    show();
    raise();
    activateWindow();
    // Paint it now: the exchange may block in a pause before it lets events run.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void fProcesando::Ocultar()
{
    hide();
}

void fProcesando::Command1_Click()
{
    if (!dialogos().PreguntaSiNo(mensajes().msgAdvertencia, mensajes().msgCancelarConsulta))
        return;
    CerrarPuerto();
    if (cancelar_)
        cancelar_();
}

void fProcesando::FijarCancelacion(std::function<void()> cancelar)
{
    cancelar_ = std::move(cancelar);
}

void fProcesando::closeEvent(QCloseEvent* e)
{
    e->ignore();
    if (!Terminando())
        Command1_Click();
}

void fProcesando::reject()
{
    Command1_Click();
}

} // namespace tesedra
