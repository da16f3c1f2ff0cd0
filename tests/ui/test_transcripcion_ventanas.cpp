// Saving the console transcript of a window's last run: the check windows' result
// box and the validation window, through the save dialog.
#include "Ventanas.h"

#include "checks/Pruebas.h"
#include "checks/fGenerico.h"
#include "console/Transcripcion.h"
#include "ui/TextosTranscripcion.h"
#include "validation/DatosValidacion.h"
#include "validation/fValidacion.h"

#include <QAction>

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

class GuardarTranscripcionVentana : public PruebaConVentanas {
protected:
    void TearDown() override
    {
        estadoLinea() = EstadoLinea{};
        PruebaConVentanas::TearDown();
    }

    // Triggers the window's save action and returns what was written where the
    // dialog answered.
    std::string Guardar(QWidget* v, const QString& ruta)
    {
        auto* accion = v->findChild<QAction*>(QStringLiteral("aGuardarTranscripcion"));
        EXPECT_TRUE(accion);
        if (!accion)
            return {};
        EXPECT_EQ(accion->text(), L1(Traducir(kTxtGuardarTranscripcion)));
        dialogos_.respuestasGuardar = {ruta};
        accion->trigger();
        return LeerFichero(ruta);
    }

    QTemporaryDir tmp_;
};

// Before a run there is nothing to save (said, no file); after it the window's own
// run is saved, the password hidden, and reads back as a transcript of that run.
TEST_F(GuardarTranscripcionVentana, EachWindowSavesItsLastRun)
{
    const std::tuple<const char*, int16_t, const char*, const char*> casos[] = {
        {"fGenerico", kOfficeRemote812, "check-sync", "show adsl transceiver_status"},
        {"fValidacion", kEfficient5660, "validation", "show pppauth"},
    };
    for (const auto& [nombre, modelo, operacion, orden] : casos) {
        SCOPED_TRACE(nombre);
        Router(modelo);
        const int16_t m = modelo;
        QWidget* v = nullptr;
        if (std::string(nombre) == "fGenerico") {
            sesion().TipoPrueba = kPruebaSincronizacion;
            v = new fGenerico(nullptr, [=] { return m; });
        } else {
            v = new fValidacion(nullptr, [=] { return m; });
        }
        v->show();
        const QString ruta = tmp_.filePath(QLatin1String(nombre) + QStringLiteral(".txt"));

        dialogos_.mensajes.clear();
        Guardar(v, ruta);
        EXPECT_FALSE(QFile::exists(ruta));
        ASSERT_EQ(dialogos_.mensajes.size(), 1u);
        EXPECT_EQ(dialogos_.mensajes[0].texto, Traducir(kTxtSinTranscripcion));

        if (auto* g = qobject_cast<fGenerico*>(v))
            g->Ejecutar();
        else
            Pulsar(v, "Ejecutar");
        // A later run of another window does not change what this one saves.
        const Transcripcion propia = Grabadora::Instancia().Ultima();
        Router(kEfficient5660);
        ASSERT_FALSE(EjecutarPrueba(kEfficient5660, kPruebaPPP, ParametrosPrueba{}).empty());

        const std::string guardado = Guardar(v, ruta);
        EXPECT_EQ(guardado, propia.Texto());
        Transcripcion t;
        std::string error;
        ASSERT_TRUE(LeerTranscripcion(guardado, t, error)) << error;
        EXPECT_EQ(t.operacion, operacion);
        EXPECT_EQ(t.modelo, modelo);
        EXPECT_NE(guardado.find(orden), std::string::npos);
        EXPECT_EQ(guardado.find(kClavePrueba), std::string::npos);
        v->close();
    }
}

} // namespace
