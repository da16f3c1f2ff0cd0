// Pictures of every window for a person to look at, build/screenshots/<window>.png,
// taken under a real X server by the shell_xvfb_Screenshots test (skipped elsewhere).
#include "Ventanas.h"

#include "checks/fConectividadATM.h"
#include "checks/fConfiguracion.h"
#include "checks/fGenerico.h"
#include "shell/fClaveGestionProvision.h"
#include "shell/fMain.h"
#include "shell/fPerfil.h"
#include "ui/fdirectorio.h"
#include "validation/fValidacion.h"
#include "validation/fvalInversa.h"

#include <QImage>

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

using Screenshots = PruebaConVentanas;

TEST_F(Screenshots, EveryWindowWithResultsWhereItHasThem)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs a real X server";
    Router(kOfficeRemote812);
    sesion().Perfil = kPerfilGestion;
    sesion().DirectorioOrigen = "/srv/validaciones/entrada";
    sesion().DirectorioDestino = "/srv/validaciones/salida";
    auto Modelo = [] { return kOfficeRemote812; };
    const std::pair<const char*, std::function<QWidget*()>> ventanas[] = {
        {"fPerfil", [] { return new fPerfil(); }},
        {"fClaveGestionProvision", [] { return new fClaveGestionProvision(); }},
        {"fMain", [] { return new fMain(); }},
        {"fdirectorio", [] { return new fdirectorio(); }},
        {"fProcesando", [] { return new fProcesando(); }},
        {"fGenerico", [&] { auto* v = new fGenerico(nullptr, Modelo); v->show(); v->Ejecutar(); return v; }},
        {"fConectividadATM", [&] { auto* v = new fConectividadATM(nullptr, Modelo); v->show(); v->btnLanzar_Click(); return v; }},
        {"fConfiguracion", [&] { auto* v = new fConfiguracion(nullptr, Modelo); v->show(); v->btnLanzar_Click(); return v; }},
        {"fValidacion", [&] { auto* v = new fValidacion(nullptr, Modelo); v->show(); v->Ejecutar_Click(); return v; }},
        {"fvalInversa", [] { return new fvalInversa(nullptr); }},
    };
    const QString carpeta = QStringLiteral(TESEDRA_BINARY_DIR "/screenshots/");
    ASSERT_TRUE(QDir().mkpath(carpeta));
    for (const auto& [nombre, crear] : ventanas) {
        SCOPED_TRACE(nombre);
        std::unique_ptr<QWidget> w(crear());
        w->adjustSize();
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        const QImage imagen = w->grab().toImage();
        // A drawn window, not a blank rectangle: texts and frames bring many colours.
        QSet<QRgb> colores;
        for (int y = 0; y < imagen.height(); y += 3)
            for (int x = 0; x < imagen.width(); x += 3)
                colores.insert(imagen.pixel(x, y));
        EXPECT_GT(colores.size(), 3);
        EXPECT_TRUE(imagen.save(carpeta + QLatin1String(nombre) + QStringLiteral(".png")));
    }
}

} // namespace
