#pragma once
// The dialog seam answered by real widgets: message boxes, the Yes/No question,
// the save dialog and the folder chooser.

#include "base/Dialogos.h"

class QWidget;

namespace tesedra {

class DialogosWidgets final : public Dialogos {
public:
    void Mensaje(IconoMensaje icono, const std::string& titulo, const std::string& texto) override;
    bool PreguntaSiNo(const std::string& titulo, const std::string& texto) override;
    std::optional<QString> GuardarComo(const QString& carpetaInicial, const std::string& filtro,
                                       const std::string& extension) override;
    std::optional<QString> ElegirCarpeta(const QString& carpetaInicial) override;
};

} // namespace tesedra
