#pragma once
// The one seam through which the program talks to the user: message boxes,
// the Yes/No question, the save dialog and the folder chooser.
// The desktop program installs a widget implementation, the command line one
// that writes to standard error, and tests one whose answers they set in advance.
// All texts are single-byte Latin-1; paths are QString.

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace tesedra {

enum class IconoMensaje { Ninguno, Aviso, Informacion };

class Dialogos {
public:
    virtual ~Dialogos() = default;

    // A modal box with one OK button; returns when the user closes it.
    virtual void Mensaje(IconoMensaje icono, const std::string& titulo, const std::string& texto) = 0;

    // A modal Yes/No question with the warning icon; true for Yes.
    virtual bool PreguntaSiNo(const std::string& titulo, const std::string& texto) = 0;

    // The save dialog: starting folder, filter in the form "Description (*.txt)|*.txt",
    // default extension without the dot. Empty when cancelled.
    virtual std::optional<QString> GuardarComo(const QString& carpetaInicial, const std::string& filtro,
                                               const std::string& extension) = 0;

    // The folder chooser: the folder picked, or empty when the user went back.
    virtual std::optional<QString> ElegirCarpeta(const QString& carpetaInicial) = 0;
};

// Messages on standard error, in the terminal's encoding (Latin-1 texts converted),
// without their box's title, each line starting with `prefijo` and ": " when it is
// not empty (the program's name). Nobody can answer there:
// questions are answered No and dialogs are cancelled. The default seam, and the one
// the command line installs with its own prefix.
class DialogosTerminal : public Dialogos {
public:
    explicit DialogosTerminal(std::string prefijo = {}) : prefijo_(std::move(prefijo)) {}

    // Called before each message is written, e.g. to clear a progress line.
    std::function<void()> antesDeEscribir;

    void Mensaje(IconoMensaje icono, const std::string& titulo, const std::string& texto) override;
    bool PreguntaSiNo(const std::string& titulo, const std::string& texto) override;
    std::optional<QString> GuardarComo(const QString& carpetaInicial, const std::string& filtro,
                                       const std::string& extension) override;
    std::optional<QString> ElegirCarpeta(const QString& carpetaInicial) override;

private:
    std::string prefijo_;
};

// Text in the terminal's encoding: on Windows the console's output code page
// (GetConsoleOutputCP; the system's ANSI one without a console), elsewhere the
// locale's. Texts are Latin-1 inside the program and converted only here.
QByteArray ParaTerminal(const std::string& latin1);
QByteArray ParaTerminal(const QString& texto);
inline QByteArray ParaTerminal(const char* latin1)
{
    return ParaTerminal(std::string(latin1));
}
// Text typed at the terminal: on Windows in the console's input code page
// (GetConsoleCP), elsewhere in the locale's encoding.
QString DesdeTerminal(const QByteArray& bytes);

// The implementation in force. Never null: by default a DialogosTerminal.
Dialogos& dialogos();
// Installs an implementation (not owned); null restores the default.
void InstalarDialogos(Dialogos* d);

// The application's title used by boxes without their own title.
const std::string& TituloAplicacion();

// A warning box titled `titulo`, or "Error" when it is empty.
void MostrarError(const std::string& texto, const std::string& titulo = {});
// An information box titled `titulo`, or the application's title when it is empty.
void MostrarInformacion(const std::string& texto, const std::string& titulo = {});

} // namespace tesedra
