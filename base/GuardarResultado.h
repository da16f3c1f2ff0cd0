#pragma once
// Saving a result text (a check's or an IP run's) to a file the user names.

#include <QString>

#include <string>

namespace tesedra {

// Writes `texto` and one CR LF to `fichero`, replacing it. Shows msgErrEscFichero on failure.
bool GuardarResultado(const std::string& texto, const QString& fichero);

// The saving sequence of every result window: the save dialog (through the dialog seam)
// starting in the program's own folder, filter caption 90, default extension "txt";
// then GuardarResultado. A cancelled dialog writes nothing and shows nothing.
void SalvarResultado(const std::string& texto);

} // namespace tesedra
