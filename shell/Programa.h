#pragma once
// What every window of the desktop program shares: the running router exchanges,
// the end of the program, the program's own folder and the text conversions.

#include <QString>

#include <functional>
#include <string>

class QCloseEvent;
class QFont;
class QWidget;

namespace tesedra {

// Marks a router exchange under way for as long as it lives. While any is alive the
// program's end waits for it: closing the main window closes the port at once, and
// the event loop is left only once the exchange has unwound.
class Intercambio {
public:
    Intercambio();
    ~Intercambio();
    Intercambio(const Intercambio&) = delete;
    Intercambio& operator=(const Intercambio&) = delete;

    static int EnCurso();
};

// Ends the program at once: closes the serial port, hides every window and leaves
// the event loop (now, or when the exchange under way has returned).
void TerminarPrograma();
// True once TerminarPrograma has run: windows then no longer show the main window
// when they close, and the widget dialogs no longer open.
bool Terminando();
// What leaving the event loop means; QCoreApplication::quit unless a test sets
// another. ReiniciarPrograma undoes TerminarPrograma (for tests).
void FijarSalida(std::function<void()> salida);
void ReiniciarPrograma();

// The folder of the program's own executable.
QString CarpetaPrograma();

// Latin-1 text to and from the windows.
inline QString L1(const std::string& s)
{
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}
inline std::string ToL1(const QString& s)
{
    return s.toLatin1().toStdString();
}
// Caption number n of the text table, as a QString.
QString Caption(int n);

// A result text (Latin-1, lines ended by CR LF) as a text box holds it.
QString TextoParaCaja(const std::string& texto);
// The fixed-pitch font of the result boxes.
QFont FuenteResultado();

// The closing of a window that returns to the main window: refused while the window
// is busy with a run (unloading it would pull it from under the run); otherwise
// accepted, with `principal` shown again unless the program is ending.
void CerrarVolviendo(QCloseEvent* e, bool ocupada, QWidget* principal);

// Makes the pictures of the windows available (idempotent).
void InicializarRecursos();

// Centres `ventana` over `sobre` (or the screen when null).
void Centrar(QWidget* ventana, QWidget* sobre);

} // namespace tesedra
