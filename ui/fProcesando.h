#pragma once
// The processing dialog: shown while a router exchange runs; its one button lets
// the technician abandon the exchange, by closing the serial port after a question.
//
// Use: create it without a parent (a window disabled for the exchange would
// disable it too), Mostrar() before the exchange, Ocultar() when it has returned.

#include <QDialog>
#include <QPointer>

#include <functional>
#include <memory>

namespace Ui {
class fProcesando;
}

namespace tesedra {

class fProcesando : public QDialog {
    Q_OBJECT
public:
    // `sobre` is the window it is centred over when shown; it is not its parent.
    explicit fProcesando(QWidget* sobre = nullptr);
    ~fProcesando() override;

    // Shows the dialog, not modal, on top, and paints it at once.
    void Mostrar();
    void Ocultar();

    // The cancel button: asks msgCancelarConsulta under msgAdvertencia; on Yes closes
    // the port, which makes the exchange under way fail at its next access, and runs
    // the cancelling set with FijarCancelacion.
    void Command1_Click();

    // What a Yes does besides closing the port, for work that does not go through
    // the port (a command run on the PC). Empty for none.
    void FijarCancelacion(std::function<void()> cancelar);

protected:
    // The close box and Escape act as the cancel button; the dialog stays up
    // until its caller hides it.
    void closeEvent(QCloseEvent* e) override;
    void reject() override;
    // Follows the window it serves: a window manager may place that window only
    // after this dialog was centred over it, or the technician may move it.
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    std::unique_ptr<Ui::fProcesando> ui;
    QWidget* sobre_;
    QPointer<QWidget> ventanaSobre_; // the top-level window of `sobre_`
    std::function<void()> cancelar_;
};

} // namespace tesedra
