#pragma once
// The ATM connectivity window: VP and VC of the circuit to test, and the run.

#include "checks/Pruebas.h"
#include "ui/VentanaResultado.h"

namespace Ui {
class fConectividadATM;
}

class QLineEdit;

namespace tesedra {

class fConectividadATM : public VentanaResultado {
    Q_OBJECT
public:
    fConectividadATM(QWidget* principal, std::function<int16_t()> codigoModelo, QWidget* parent = nullptr);
    ~fConectividadATM() override;

    void btnLanzar_Click();
    // The VP and VC boxes take digits only: a change that brings any other
    // character (typed or pasted) shows "Debe introducir valores entre 0 y 9" and
    // empties the box, so nothing else can reach the console command.
    void txtVP_Change();
    void txtVC_Change();

    ParametrosPrueba Parametros() const;

private:
    void ComprobarDigitos(QLineEdit* caja);

    std::unique_ptr<Ui::fConectividadATM> ui;
};

} // namespace tesedra
