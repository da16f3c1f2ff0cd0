#pragma once
// The generic check window: synchronisation and PPP (and IP, by its type code).
// It runs its check as soon as it is opened.

#include "ui/VentanaResultado.h"

namespace Ui {
class fGenerico;
}

namespace tesedra {

class fGenerico : public VentanaResultado {
    Q_OBJECT
public:
    fGenerico(QWidget* principal, std::function<int16_t()> codigoModelo, QWidget* parent = nullptr);
    ~fGenerico() override;

    // Runs the check of TipoPrueba; the main window calls it right after showing.
    void Ejecutar();

private:
    std::unique_ptr<Ui::fGenerico> ui;
};

} // namespace tesedra
