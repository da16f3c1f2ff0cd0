#include "checks/fConectividadATM.h"

#include "ui_fConectividadATM.h"

#include "base/Dialogos.h"
#include "checks/Pruebas.h"
#include "ui/Presentacion.h"
#include "base/Sesion.h"

namespace tesedra {

fConectividadATM::fConectividadATM(QWidget* principal, std::function<int16_t()> codigoModelo, QWidget* parent)
    : VentanaResultado(principal, std::move(codigoModelo), parent), ui(std::make_unique<Ui::fConectividadATM>())
{
    ui->setupUi(this);
    setWindowTitle(Caption(25));
    ui->fEstado->setTitle(Caption(26));
    ui->btnLanzar->setText(Caption(37));
    ui->FrmVP->setTitle(Caption(38));
    ui->txtVP->setEnabled(true);
    ui->txtVC->setEnabled(true);
    Preparar(ui->tInfoEstado, ui->fEstado, ui->bSalvar, ui->bVolver);
    connect(ui->btnLanzar, &QPushButton::clicked, this, &fConectividadATM::btnLanzar_Click);
    connect(ui->txtVP, &QLineEdit::textChanged, this, &fConectividadATM::txtVP_Change);
    connect(ui->txtVC, &QLineEdit::textChanged, this, &fConectividadATM::txtVC_Change);
    connect(ui->txtVP, &QLineEdit::returnPressed, this, &fConectividadATM::btnLanzar_Click);
    connect(ui->txtVC, &QLineEdit::returnPressed, this, &fConectividadATM::btnLanzar_Click);
    ui->txtVP->setFocus();
}

fConectividadATM::~fConectividadATM() = default;

ParametrosPrueba fConectividadATM::Parametros() const
{
    ParametrosPrueba p;
    p.vp = ToL1(ui->txtVP->text());
    p.vc = ToL1(ui->txtVC->text());
    return p;
}

void fConectividadATM::btnLanzar_Click()
{
    const ParametrosPrueba p = Parametros();
    Lanzar([p](int16_t modelo) { return EjecutarPrueba(modelo, kPruebaATM, p); });
}

void fConectividadATM::ComprobarDigitos(QLineEdit* caja)
{
    if (caja->text().isEmpty() || SoloDigitos(ToL1(caja->text())))
        return;
    MostrarError("Debe introducir valores entre 0 y 9", "");
    caja->clear();
    caja->setCursorPosition(0);
}

void fConectividadATM::txtVP_Change()
{
    ComprobarDigitos(ui->txtVP);
}

void fConectividadATM::txtVC_Change()
{
    ComprobarDigitos(ui->txtVC);
}

} // namespace tesedra
