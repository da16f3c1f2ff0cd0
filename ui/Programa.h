#pragma once
// The run of the desktop program: the router exchanges under way and the end of
// the program, which waits for them.

#include <functional>

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

} // namespace tesedra
