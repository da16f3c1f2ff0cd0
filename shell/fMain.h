#pragma once
// The main window: router model, serial port and router password, and the buttons
// of the checks, the validation and the reverse validation. Each button hides this
// window and opens its own; that window shows this one again when it closes.
// Closing this window ends the program.

#include <QWidget>

#include <cstdint>
#include <memory>

namespace Ui {
class fMain;
}

namespace tesedra {

class fMain : public QWidget {
    Q_OBJECT
public:
    explicit fMain(QWidget* parent = nullptr);
    ~fMain() override;

    // The model code of the current model selection.
    int16_t CodigoModelo() const;

    void cPuerto_Click();
    // Labels each port entry with the device it opens now (the selection stays).
    void ActualizarPuertos();
    void tClave_LostFocus();
    void bSincro_Click();
    void bATM_Click();
    void bPPP_Click();
    void bIP_Click();
    void bConfiguracion_Click();
    void bValidacion_Click();
    void bvalInv_Click();
    void bSalir_Click();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    static constexpr int kPuertos = 6;

    void Abrir(QWidget* ventana);

    std::unique_ptr<Ui::fMain> ui;
};

} // namespace tesedra
