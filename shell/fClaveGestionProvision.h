#pragma once
// The management key dialog: the right key grants the management profile.
// It is shown modally by the log-on window; Accepted means Perfil is now 2.

#include <QDialog>

#include <memory>

namespace Ui {
class fClaveGestionProvision;
}

namespace tesedra {

// The built-in management key.
extern const char* const kClaveGestion;

class fClaveGestionProvision : public QDialog {
    Q_OBJECT
public:
    explicit fClaveGestionProvision(QWidget* parent = nullptr);
    ~fClaveGestionProvision() override;

    // Right key: Perfil = 2 and the dialog closes accepted. Wrong key: the
    // msgClaveNoValida message; the dialog stays open with the typed text.
    void btnAceptar_Click();
    void btnCancelar_Click();

private:
    std::unique_ptr<Ui::fClaveGestionProvision> ui;
};

} // namespace tesedra
