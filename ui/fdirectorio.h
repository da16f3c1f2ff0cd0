#pragma once
// The folder chooser: a volume list above a folder list. The current folder is the
// one last opened (double click or Enter on an entry, ".." goes up); a folder that
// is only highlighted is not the current one.

#include <QDialog>

#include <memory>

namespace Ui {
class fdirectorio;
}

namespace tesedra {

class fdirectorio : public QDialog {
    Q_OBJECT
public:
    // Opens on `inicial`, the program's own folder unless told otherwise.
    explicit fdirectorio(QWidget* parent = nullptr, const QString& inicial = QString());
    ~fdirectorio() override;

    // The current folder, as an absolute path.
    QString CarpetaActual() const;

    // Makes `carpeta` the current folder. When it cannot be read, shows the reason
    // with the title "Error" and keeps the folder it showed; false then.
    bool AbrirCarpeta(const QString& carpeta);

    // A volume chosen in the list: its root becomes the current folder, or the list
    // returns to the volume it showed when that root cannot be read.
    void dUnidad_Change(int indice);
    void bAceptar_Click();
    void bcancelar_Click();

private:
    void ddirectorio_Activated();
    void LlenarUnidades();
    void SeleccionarUnidadDe(const QString& carpeta);

    std::unique_ptr<Ui::fdirectorio> ui;
    QString actual_;
};

} // namespace tesedra
