#pragma once
// The IP connectivity window: ping or route trace from the PC or from the router.
//
// From the PC the system's ping or route trace runs as a separate process (on
// Windows through the command interpreter, elsewhere as the ping and traceroute
// programs with their argument lists), its output goes to the file tracert.tmp
// in the program's folder, and the window shows that file when the command has
// ended or the wait time has passed. From the router the whole run is
// EjecutarRouter (ipconn/ConexionIP.h): log-on over the serial console, "ping "
// or "traceroute " with the address, and the result text.

#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QLineEdit;
class QTimer;

namespace Ui {
class fconIP;
}

namespace tesedra {

class clsExecCmd;
class fProcesando;

class fconIP : public QWidget {
    Q_OBJECT
public:
    // `principal` is the main window, shown again when this window closes;
    // `codigoModelo` gives the model code of the main window's current selection.
    fconIP(QWidget* principal, std::function<int16_t()> codigoModelo, QWidget* parent = nullptr);
    ~fconIP() override;

    void comboComando_Click();
    void btnEjecutarPC_Click();
    void btnEjecutarRouter_Click();
    void proceso_EjecucionFinalizada();
    void bSalvar_Click();
    void bVolver_Click();

    // The result text as saved: Latin-1, lines ended by CR LF.
    std::string Resultado() const;
    // True while a run is under way.
    bool EnCurso() const { return ocupado_; }
    fProcesando* Procesando() const { return procesando_.get(); }
    // The runner of the last run from the PC (null before the first).
    clsExecCmd* Proceso() const { return proceso_.get(); }
    QTimer* Timer1() const { return timer1_; }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void closeEvent(QCloseEvent* e) override;

private:
    // `texto` (typed or pasted into `campo`, holding dots) as octets from `campo`
    // on, the focus on the box of the last one; false when it is no such address.
    bool RepartirDireccion(QLineEdit* campo, const QString& texto);
    void Form_Load();
    void tuIP_Change(QLineEdit* campo);
    void tuIP_LostFocus(QLineEdit* campo);
    void tretardo_Change();
    void tretardo_LostFocus();
    void SeleccionarTodo(QLineEdit* campo);
    void DevolverFoco(QLineEdit* campo);

    // The start of a run: the address and the wait time, when no run is under
    // way and every field holds a valid value, with the result box emptied;
    // otherwise the field's message is shown, the focus goes to it and the run
    // does not start.
    bool PrepararEjecucion(std::string& direccion, int& retardo);
    bool EsTracert() const;
    // Processing dialog shown and this window disabled, and back.
    void EmpezarEjecucion();
    void AcabarEjecucion();
    // Lets events run until the runner reports its end or `ms` pass.
    void EsperarFin(int ms);
    void PonerResultado(const std::string& texto);

    // How long the end of a command that was ended is awaited.
    static constexpr int kEsperaFinCancelacionMs = 5000;

    std::unique_ptr<Ui::fconIP> ui;
    QWidget* principal_;
    std::function<int16_t()> codigoModelo_;
    std::array<QLineEdit*, 4> octetos_{};
    QTimer* timer1_ = nullptr;
    std::unique_ptr<clsExecCmd> proceso_;
    std::unique_ptr<fProcesando> procesando_;
    bool ocupado_ = false;
    bool devolviendoFoco_ = false;
    QWidget* focoAntes_ = nullptr;
};

} // namespace tesedra
