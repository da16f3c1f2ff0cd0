#pragma once
// What the check windows share: the run of one check through the dispatcher behind
// the processing dialog, the result text box, saving it, and going back to the
// main window.

#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QGroupBox;
class QPlainTextEdit;
class QPushButton;

namespace tesedra {

class fProcesando;
class TranscripcionVentana;

class VentanaResultado : public QWidget {
    Q_OBJECT
public:
    // `principal` is shown again when the window closes; `codigoModelo` gives the
    // model code of the main window's selection when a run starts.
    VentanaResultado(QWidget* principal, std::function<int16_t()> codigoModelo, QWidget* parent = nullptr);
    ~VentanaResultado() override;

    // The result text exactly as the dispatcher gave it.
    const std::string& Resultado() const { return resultado_; }
    // True while this window's check is talking to the router.
    bool EnCurso() const { return enCurso_; }
    fProcesando* Procesando() const { return procesando_.get(); }
    // The console transcript of the last run (saved from the result box's context menu).
    TranscripcionVentana* TranscripcionUltima() const { return transcripcion_; }

    void bSalvar_Click();
    void bVolver_Click();

protected:
    // Called by each window after its form is set up.
    void Preparar(QPlainTextEdit* tInfoEstado, QGroupBox* fEstado, QPushButton* bSalvar, QPushButton* bVolver);
    // One run (`ejecutar` is given the model code and returns the result text):
    // processing dialog shown and the window disabled for its length, so no second
    // exchange can start and the window cannot go away under it; then the result
    // shown with its end in view.
    void Lanzar(const std::function<std::string(int16_t modelo)>& ejecutar);

    void closeEvent(QCloseEvent* e) override;

private:
    void MostrarResultado(const std::string& texto);

    QWidget* principal_;
    std::function<int16_t()> codigoModelo_;
    std::unique_ptr<fProcesando> procesando_;
    QPlainTextEdit* tInfoEstado_ = nullptr;
    std::string resultado_;
    bool enCurso_ = false;
    TranscripcionVentana* transcripcion_;
};

} // namespace tesedra
