#include "checks/fConfiguracion.h"

#include "ui_fConfiguracion.h"

#include "checks/Pruebas.h"
#include "ui/Presentacion.h"
#include "base/Sesion.h"

#include <QRegularExpressionValidator>

namespace tesedra {

fConfiguracion::fConfiguracion(QWidget* principal, const std::function<int16_t()>& codigoModelo, QWidget* parent)
    : VentanaResultado(principal, codigoModelo, parent), ui(std::make_unique<Ui::fConfiguracion>())
{
    ui->setupUi(this);
    setWindowTitle(Caption(31));
    ui->fEstado->setTitle(Caption(32));
    ui->btnLanzar->setText(Caption(37));
    ui->frVC->setTitle(Caption(91));
    const int16_t modelo = codigoModelo ? codigoModelo() : int16_t(0);
    if (modelo == kEfficient5660)
        ui->txtVC->setText(QStringLiteral("Internet"));
    else if (modelo == kOfficeRemote812)
        ui->txtVC->setText(QStringLiteral("WAN"));
    // The name goes into a console command line: printable single-byte characters
    // only, so no pasted line end or control character can reach the console.
    ui->txtVC->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[\\x{20}-\\x{7E}\\x{A0}-\\x{FF}]*")), ui->txtVC));
    Preparar(ui->tInfoEstado, ui->fEstado, ui->bSalvar, ui->bVolver);
    connect(ui->btnLanzar, &QPushButton::clicked, this, &fConfiguracion::btnLanzar_Click);
    connect(ui->txtVC, &QLineEdit::returnPressed, this, &fConfiguracion::btnLanzar_Click);
    ui->txtVC->setFocus();
}

fConfiguracion::~fConfiguracion() = default;

ParametrosPrueba fConfiguracion::Parametros() const
{
    ParametrosPrueba p;
    p.circuito = ToL1(ui->txtVC->text());
    return p;
}

void fConfiguracion::btnLanzar_Click()
{
    const ParametrosPrueba p = Parametros();
    Lanzar([p](int16_t modelo) { return EjecutarPrueba(modelo, kPruebaConfiguracion, p); });
}

} // namespace tesedra
