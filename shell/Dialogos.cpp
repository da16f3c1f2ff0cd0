#include "shell/Dialogos.h"

#include "shell/Idiomas.h"

#include <cstdio>

namespace tesedra {

namespace {

// Used when no front end has installed its own: the text goes to standard error
// (Latin-1 bytes as they are), questions are answered No, dialogs are cancelled.
class DialogosConsola final : public Dialogos {
public:
    void Mensaje(IconoMensaje, const std::string& titulo, const std::string& texto) override
    {
        std::fprintf(stderr, "%s: %s\n", titulo.c_str(), texto.c_str());
    }
    bool PreguntaSiNo(const std::string& titulo, const std::string& texto) override
    {
        Mensaje(IconoMensaje::Aviso, titulo, texto);
        return false;
    }
    std::optional<QString> GuardarComo(const QString&, const std::string&, const std::string&) override
    {
        return std::nullopt;
    }
    std::optional<QString> ElegirCarpeta(const QString&) override { return std::nullopt; }
};

DialogosConsola& porDefecto()
{
    static DialogosConsola d;
    return d;
}

Dialogos* instalado = nullptr;

} // namespace

Dialogos& dialogos()
{
    return instalado ? *instalado : porDefecto();
}

void InstalarDialogos(Dialogos* d)
{
    instalado = d;
}

const std::string& TituloAplicacion()
{
    static const std::string titulo = "Tesedra";
    return titulo;
}

void MostrarError(const std::string& texto, const std::string& titulo)
{
    dialogos().Mensaje(IconoMensaje::Aviso, titulo.empty() ? std::string("Error") : titulo, texto);
}

void MostrarInformacion(const std::string& texto, const std::string& titulo)
{
    dialogos().Mensaje(IconoMensaje::Informacion, titulo.empty() ? TituloAplicacion() : titulo, texto);
}

} // namespace tesedra
