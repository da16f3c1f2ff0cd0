#include "validation/fvalInversa.h"

#include "ui_fvalInversa.h"

#include "base/Carpetas.h"
#include "console/ComSerie.h"
#include "base/Dialogos.h"
#include "base/Idiomas.h"
#include "ui/Presentacion.h"
#include "base/Sesion.h"
#include "validation/ValidacionInversa.h"

#include <QApplication>
#include <QCloseEvent>

namespace tesedra {

fvalInversa::fvalInversa(QWidget* principal, QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::fvalInversa>()), principal_(principal)
{
    InicializarRecursos();
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(QStringLiteral(":/tesedra/logo.png")));

    setWindowTitle(Caption(77));
    ui->bBuscarDestino->setText(Caption(78));
    ui->bBuscarOrigen->setText(Caption(79));
    ui->bValidar->setText(Caption(80));
    ui->bVolver->setText(Caption(81));
    ui->fraorigen->setTitle(Caption(82));
    ui->fradestino->setTitle(Caption(83));
    ui->fraSituacion->setTitle(Caption(84));
    ui->tOrigen->setAccessibleName(Caption(82));
    ui->tDestino->setAccessibleName(Caption(83));
    ui->ProgressBar1->setAccessibleName(Caption(84));
    ui->ProgressBar1->setRange(0, 1);
    ui->ProgressBar1->setValue(0);

    connect(ui->tOrigen, &QLineEdit::textChanged, this, &fvalInversa::ActualizarValidar);
    connect(ui->tDestino, &QLineEdit::textChanged, this, &fvalInversa::ActualizarValidar);
    ui->tOrigen->setText(DirectorioSesion(0));
    ui->tDestino->setText(DirectorioSesion(1));
    ActualizarValidar();

    connect(ui->bBuscarOrigen, &QPushButton::clicked, this, &fvalInversa::bBuscarOrigen_Click);
    connect(ui->bBuscarDestino, &QPushButton::clicked, this, &fvalInversa::bBuscarDestino_Click);
    connect(ui->bValidar, &QPushButton::clicked, this, &fvalInversa::bValidar_Click);
    connect(ui->bVolver, &QPushButton::clicked, this, &fvalInversa::bVolver_Click);
}

fvalInversa::~fvalInversa() = default;

void fvalInversa::ActualizarValidar()
{
    ui->bValidar->setEnabled(!ui->tOrigen->text().isEmpty() && !ui->tDestino->text().isEmpty());
}

void fvalInversa::Buscar(int16_t seleccion)
{
    // A chooser closed without choosing changes nothing.
    if (!ElegirDirectorio(seleccion))
        return;
    if (sesion().DirectorioDestino != sesion().DirectorioOrigen) {
        (seleccion == 0 ? ui->tOrigen : ui->tDestino)->setText(DirectorioSesion(seleccion));
        return;
    }
    MostrarInformacion(mensajes().msgDirectoriosIguales, "");
}

void fvalInversa::bBuscarOrigen_Click()
{
    Buscar(0);
}

void fvalInversa::bBuscarDestino_Click()
{
    Buscar(1);
}

void fvalInversa::Botones(bool activos)
{
    ui->bBuscarDestino->setEnabled(activos);
    ui->bBuscarOrigen->setEnabled(activos);
    ui->bVolver->setEnabled(activos);
    ui->tOrigen->setEnabled(activos);
    ui->tDestino->setEnabled(activos);
    if (activos)
        ActualizarValidar();
    else
        ui->bValidar->setEnabled(false);
}

void fvalInversa::bValidar_Click()
{
    if (enCurso_)
        return;
    QCoreApplication::processEvents();
    // Busy from here on: the pause below lets window events run, and neither a
    // second run nor closing the window may cut in.
    enCurso_ = true;
    Botones(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString origen = ui->tOrigen->text();
    const QString destino = ui->tDestino->text();
    const int total = int(FicherosRegistro(origen).size());
    ui->ProgressBar1->setRange(0, total > 0 ? total : 1);
    ui->ProgressBar1->setValue(0);
    Esperar(100);

    EjecutarValidacionInversa(origen, destino, [this](const ProgresoInversa& p) {
        ui->ProgressBar1->setRange(0, p.ficherosTotal > 0 ? p.ficherosTotal : 1);
        ui->ProgressBar1->setValue(p.ficherosHechos);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    QApplication::restoreOverrideCursor();
    Botones(true);
    enCurso_ = false;

    // A fault that stopped the run is reported by the run itself.
}

void fvalInversa::bVolver_Click()
{
    close();
}

void fvalInversa::closeEvent(QCloseEvent* e)
{
    CerrarVolviendo(e, enCurso_, principal_);
}

} // namespace tesedra
