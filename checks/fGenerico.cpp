#include "checks/fGenerico.h"

#include "ui_fGenerico.h"

#include "base/Dialogos.h"
#include "checks/Pruebas.h"
#include "ui/Presentacion.h"
#include "base/Sesion.h"

namespace tesedra {

fGenerico::fGenerico(QWidget* principal, std::function<int16_t()> codigoModelo, QWidget* parent)
    : VentanaResultado(principal, std::move(codigoModelo), parent), ui(std::make_unique<Ui::fGenerico>())
{
    ui->setupUi(this);
    switch (sesion().TipoPrueba) {
    case kPruebaSincronizacion:
        setWindowTitle(Caption(33));
        ui->fEstado->setTitle(Caption(34));
        break;
    case kPruebaPPP:
        setWindowTitle(Caption(29));
        ui->fEstado->setTitle(Caption(30));
        break;
    case kPruebaIP:
        setWindowTitle(Caption(27));
        ui->fEstado->setTitle(Caption(28));
        break;
    default: MostrarError("Prueba no reconocida en el formulario Gen\xE9rico", ""); break;
    }
    Preparar(ui->tInfoEstado, ui->fEstado, ui->bSalvar, ui->bVolver);
}

fGenerico::~fGenerico() = default;

void fGenerico::Ejecutar()
{
    const int16_t tipo = sesion().TipoPrueba;
    Lanzar([tipo](int16_t modelo) { return EjecutarPrueba(modelo, tipo, ParametrosPrueba{}); });
}

} // namespace tesedra
