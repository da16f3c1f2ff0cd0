// The check dispatcher and the saving of a result text.
#include "checks/Pruebas.h"

#include "console/Acceso.h"
#include "console/ComSerie.h"
#include "shell/Dialogos.h"
#include "shell/Idiomas.h"
#include "shell/Sesion.h"

#include <QCoreApplication>
#include <QSaveFile>

#include <exception>

namespace tesedra {

namespace {

// The check of `tipoPrueba` on `modelo`; false when there is none (type 3 or unknown).
bool EjecutarCheck(int16_t modelo, int16_t tipoPrueba, const ParametrosPrueba& p, std::string& resultado)
{
    if (modelo == kEfficient5660) {
        switch (tipoPrueba) {
        case kPruebaSincronizacion: return SincronizacionEfficient5660(resultado);
        case kPruebaATM: return ATMEfficient5660(resultado, p);
        case kPruebaPPP: return PPPEfficient5660(resultado);
        case kPruebaConfiguracion: return ConfiguracionEfficient5660(resultado);
        default: return false;
        }
    }
    switch (tipoPrueba) {
    case kPruebaSincronizacion: return SincronizacionOfficeRemote812(resultado);
    case kPruebaATM: return ATMOfficeRemote812(resultado);
    case kPruebaPPP: return PPPOfficeRemote812(resultado);
    case kPruebaConfiguracion: return ConfiguracionOfficeRemote812(resultado, p);
    default: return false;
    }
}

} // namespace

std::string EjecutarPrueba(int16_t modelo, int16_t tipoPrueba, const ParametrosPrueba& p)
{
    std::string resultado;
    try {
        if (modelo == kEfficient5660 || modelo == kOfficeRemote812) {
            if (!IniciarModelo(modelo)) {
                CerrarPuerto();
                return {};
            }
            // Type 3 (and anything outside the table) runs nothing and gives "".
            if (!EjecutarCheck(modelo, tipoPrueba, p, resultado))
                resultado.clear();
        }
    } catch (const std::exception&) {
        resultado.clear();
    }
    CerrarPuerto();
    return resultado;
}

bool GuardarResultado(const std::string& texto, const QString& fichero)
{
    // Written beside the old file and put in its place once complete: a failed write
    // leaves whatever was there before.
    QSaveFile f(fichero);
    f.setDirectWriteFallback(true);
    bool ok = f.open(QIODevice::WriteOnly);
    if (ok) {
        const std::string contenido = texto + "\r\n";
        ok = f.write(contenido.data(), static_cast<qint64>(contenido.size()))
             == static_cast<qint64>(contenido.size());
        ok = ok && f.commit();
    }
    if (!ok) {
        const std::string motivo = f.errorString().toLatin1().toStdString();
        f.cancelWriting();
        MostrarError(mensajes().msgErrEscFichero + ": " + motivo);
        return false;
    }
    return true;
}

void SalvarResultado(const std::string& texto)
{
    const auto fichero = dialogos().GuardarComo(QCoreApplication::applicationDirPath(), Texto(90), "txt");
    if (!fichero || fichero->isEmpty())
        return;
    GuardarResultado(texto, *fichero);
}

} // namespace tesedra
