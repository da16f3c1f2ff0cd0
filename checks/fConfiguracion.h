#pragma once
// The configuration window: the virtual circuit name and the run.

#include "checks/Pruebas.h"
#include "ui/VentanaResultado.h"

namespace Ui {
class fConfiguracion;
}

namespace tesedra {

class fConfiguracion : public VentanaResultado {
    Q_OBJECT
public:
    fConfiguracion(QWidget* principal, const std::function<int16_t()>& codigoModelo, QWidget* parent = nullptr);
    ~fConfiguracion() override;

    void btnLanzar_Click();
    ParametrosPrueba Parametros() const;

private:
    std::unique_ptr<Ui::fConfiguracion> ui;
};

} // namespace tesedra
