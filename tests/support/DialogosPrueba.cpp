#include "DialogosPrueba.h"

namespace tesedra {

DialogosPrueba::DialogosPrueba()
{
    InstalarDialogos(this);
}

DialogosPrueba::~DialogosPrueba()
{
    InstalarDialogos(nullptr);
}

void DialogosPrueba::Mensaje(IconoMensaje icono, const std::string& titulo, const std::string& texto)
{
    mensajes.push_back({icono, titulo, texto});
    if (alMostrar)
        alMostrar(mensajes.back());
}

bool DialogosPrueba::PreguntaSiNo(const std::string& titulo, const std::string& texto)
{
    preguntas.push_back({IconoMensaje::Aviso, titulo, texto});
    if (alMostrar)
        alMostrar(preguntas.back());
    if (respuestasSiNo.empty())
        return false;
    const bool r = respuestasSiNo.front();
    respuestasSiNo.pop_front();
    return r;
}

std::optional<QString> DialogosPrueba::GuardarComo(const QString& carpetaInicial, const std::string&,
                                                   const std::string&)
{
    carpetasIniciales.push_back(carpetaInicial);
    if (respuestasGuardar.empty())
        return std::nullopt;
    auto r = respuestasGuardar.front();
    respuestasGuardar.pop_front();
    return r;
}

std::optional<QString> DialogosPrueba::ElegirCarpeta(const QString& carpetaInicial)
{
    carpetasIniciales.push_back(carpetaInicial);
    if (respuestasCarpeta.empty())
        return std::nullopt;
    auto r = respuestasCarpeta.front();
    respuestasCarpeta.pop_front();
    return r;
}

} // namespace tesedra
