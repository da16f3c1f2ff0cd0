#include "base/GuardarResultado.h"

#include "base/Carpetas.h"
#include "base/Dialogos.h"
#include "base/Idiomas.h"
#include "base/Latin1.h"

#include <QSaveFile>

namespace tesedra {

bool GuardarResultado(const std::string& texto, const QString& fichero)
{
    // Written beside the old file and put in its place once complete: a failed write
    // leaves whatever was there before.
    QSaveFile f(fichero);
    f.setDirectWriteFallback(true);
    bool ok = f.open(QIODevice::WriteOnly);
    if (ok) {
        const std::string contenido = texto + "\r\n";
        ok = f.write(contenido.data(), static_cast<qint64>(contenido.size())) == static_cast<qint64>(contenido.size());
        ok = ok && f.commit();
    }
    if (!ok) {
        const std::string motivo = ToL1(f.errorString());
        f.cancelWriting();
        MostrarError(mensajes().msgErrEscFichero + ": " + motivo);
        return false;
    }
    return true;
}

void SalvarResultado(const std::string& texto)
{
    const auto fichero = dialogos().GuardarComo(CarpetaPrograma(), Texto(90), "txt");
    if (!fichero || fichero->isEmpty())
        return;
    GuardarResultado(texto, *fichero);
}

} // namespace tesedra
