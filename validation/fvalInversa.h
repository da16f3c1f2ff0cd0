#pragma once
// The reverse validation window: source and destination folders, and the run that
// writes one output file per record file of the source folder.

#include <QWidget>

#include <memory>

namespace Ui {
class fvalInversa;
}

namespace tesedra {

class fvalInversa : public QWidget {
    Q_OBJECT
public:
    // `principal` is shown again when the window closes.
    explicit fvalInversa(QWidget* principal, QWidget* parent = nullptr);
    ~fvalInversa() override;

    void bBuscarOrigen_Click();
    void bBuscarDestino_Click();
    // The run, with the buttons disabled and the progress shown per record file.
    void bValidar_Click();
    void bVolver_Click();

    bool EnCurso() const { return enCurso_; }

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void ActualizarValidar();
    void Buscar(int16_t seleccion);
    void Botones(bool activos);

    std::unique_ptr<Ui::fvalInversa> ui;
    QWidget* principal_;
    bool enCurso_ = false;
};

} // namespace tesedra
