#include "checks/fGenerico.h"

#include "ui_fGenerico.h"

#include "shell/Dialogos.h"
#include "shell/Programa.h"
#include "shell/Sesion.h"

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
    default:
        MostrarError("Prueba no reconocida en el formulario Gen\xE9rico", "");
        break;
    }
    Preparar(ui->tInfoEstado, ui->fEstado, ui->bSalvar, ui->bVolver);
}

fGenerico::~fGenerico() = default;

void fGenerico::Ejecutar()
{
    Lanzar(sesion().TipoPrueba, ParametrosPrueba{});
}

} // namespace tesedra
