#pragma once
// How every window presents itself: captions from the text table, the result
// boxes' text and font, the window icon, placement, and the return to the main window.

#include "base/Latin1.h"

#include <QColor>
#include <QString>

#include <string>

class QCloseEvent;
class QLineEdit;
class QFont;
class QWidget;

namespace tesedra {

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

// A password field: "*" for each character whatever the platform style. With a
// background it takes that colour (the log-on field follows its profile).
void CampoClave(QLineEdit* campo, const QColor& fondo = QColor());
// The background of a disabled log-on password field: the classic inactive title
// bar colour (no platform here offers one of its own).
QColor ColorTituloInactivo();

// Makes the pictures of the windows available (idempotent).
void InicializarRecursos();

// Qt's own texts (file dialog columns, its questions, context menus) in Spanish,
// the program's language: Qt's Spanish translation from Qt's translations folder,
// or from a "translations" folder beside the program (as an installer lays it
// out). False when neither has it.
bool InstalarTraduccionQt();

// Centres `ventana` over `sobre` (or the screen when null).
void Centrar(QWidget* ventana, QWidget* sobre);

} // namespace tesedra
