#pragma once
// The log-on window, the program's first: loads the Spanish texts, offers the
// profiles, checks the installer password and hands over to the main window.
// Ctrl+Alt+T anywhere in it opens the management key dialog.

#include <QWidget>

#include <cstdint>
#include <memory>

namespace Ui {
class fPerfil;
}

namespace tesedra {

// The built-in installer password.
extern const char* const kClaveInstalador;

class fMain;

class fPerfil : public QWidget {
    Q_OBJECT
public:
    explicit fPerfil(QWidget* parent = nullptr);
    ~fPerfil() override;

    void cPerfil_Click();
    void cEntrar_Click();
    void cSalir_Click();
    // The window's own check of the password field against `perfil`.
    bool ComprobarClavePerfil(int16_t perfil) const;
    // Opens the management key dialog modally; on acceptance enters as profile 2.
    void AbrirClaveGestion();

    // The main window this log-on handed over to, or null.
    fMain* Principal() const { return principal_; }

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    bool Form_KeyDown(int tecla, Qt::KeyboardModifiers mayus);
    void Entrar();

    std::unique_ptr<Ui::fPerfil> ui;
    fMain* principal_ = nullptr;
};

} // namespace tesedra
