#pragma once
// The validation window: one run gathers and judges the installation values of the
// router chosen in the main window and shows them; Save writes the sealed record
// into the day's file of a folder chosen with the folder chooser.

#include "validation/ValoresInstalacion.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

namespace Ui {
class fValidacion;
}

class QLabel;

namespace tesedra {

class fProcesando;
class IndicadorJuicio;
class TranscripcionVentana;

class fValidacion : public QWidget {
    Q_OBJECT
public:
    // `principal` is shown again when the window closes; `codigoModelo` gives the
    // model code of the main window's selection when a run starts.
    fValidacion(QWidget* principal, std::function<int16_t()> codigoModelo, QWidget* parent = nullptr);
    ~fValidacion() override;

    void chkModServicio_Click();
    void cModServicio_Click();
    // A validation run. After a failed run the values shown and Save are withdrawn,
    // as the values are no longer those of a complete validation.
    void Ejecutar_Click();
    // Save: folder chooser, then the record. A cancelled chooser or a failed write
    // leaves the window open with its values and Save enabled, to try elsewhere.
    void bAceptar_Click();
    void bVolver_Click();

    const ValoresInstalacion& Valores() const { return valores_; }
    bool EnCurso() const { return enCurso_; }
    fProcesando* Procesando() const { return procesando_.get(); }

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void MostrarPares(bool generales, bool linea);
    // The limit and verdict beside each judged line value of the last run.
    void MostrarJuicios(int16_t modelo);

    std::unique_ptr<Ui::fValidacion> ui;
    QWidget* principal_;
    std::function<int16_t()> codigoModelo_;
    std::unique_ptr<fProcesando> procesando_;
    TranscripcionVentana* transcripcion_ = nullptr;
    ValoresInstalacion valores_;
    bool enCurso_ = false;
    std::array<IndicadorJuicio*, 4> indicadores_{};
};

} // namespace tesedra
