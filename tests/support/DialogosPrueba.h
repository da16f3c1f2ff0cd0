#pragma once
// The dialog seam for tests: records every message and question, and answers
// questions and dialogs from queues the test fills in advance.
// Installs itself on construction and restores the default on destruction.

#include "base/Dialogos.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace tesedra {

struct MensajeVisto {
    IconoMensaje icono;
    std::string titulo;
    std::string texto;
};

class DialogosPrueba final : public Dialogos {
public:
    DialogosPrueba();
    ~DialogosPrueba() override;

    void Mensaje(IconoMensaje icono, const std::string& titulo, const std::string& texto) override;
    bool PreguntaSiNo(const std::string& titulo, const std::string& texto) override;
    std::optional<QString> GuardarComo(const QString& carpetaInicial, const std::string& filtro,
                                       const std::string& extension) override;
    std::optional<QString> ElegirCarpeta(const QString& carpetaInicial) override;

    // What was shown, in order.
    std::vector<MensajeVisto> mensajes;
    std::vector<MensajeVisto> preguntas;
    std::vector<QString> carpetasIniciales;

    // Answers given next; an empty queue answers No / cancel.
    std::deque<bool> respuestasSiNo;
    std::deque<std::optional<QString>> respuestasGuardar;
    std::deque<std::optional<QString>> respuestasCarpeta;

    // Called (after recording) on every message or question, for tests that act
    // in the middle of an exchange, such as pressing cancel.
    std::function<void(const MensajeVisto&)> alMostrar;
};

} // namespace tesedra
