#include "Ventanas.h"

namespace tesedra::prueba {

void PruebaConVentanas::SetUp()
{
    PruebaConRouter::SetUp();
    ReiniciarPrograma();
    FijarSalida([this] { ++salidas_; });
    estadoLinea() = EstadoLinea{};
}

void PruebaConVentanas::TearDown()
{
    CerrarPuerto();
    // Windows first; a processing dialog belongs to its window and goes with it.
    QList<QPointer<QWidget>> ventanas;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (!w->parentWidget() && !qobject_cast<fProcesando*>(w))
            ventanas.push_back(w);
    qDeleteAll(ventanas);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    FijarSalida([] { QCoreApplication::quit(); });
    ReiniciarPrograma();
    PruebaConRouter::TearDown();
}

void PruebaConVentanas::Cuando(std::function<bool()> condicion, std::function<void()> accion)
{
    auto* t = new QTimer(&vigilancias_);
    QObject::connect(t, &QTimer::timeout, t, [t, condicion, accion] {
        if (condicion()) {
            t->stop();
            t->deleteLater();
            accion();
        }
    });
    t->start(1);
}

namespace {

// What a window shows, one "control.property: text" a line: its title, then for
// each named control in tree order its caption, contents, list items, accessible
// name, label buddy and hidden echo.
std::string TextosDe(QWidget* v, const QStringList& soloNombre)
{
    QStringList l{QStringLiteral("windowTitle: ") + v->windowTitle()};
    for (QWidget* c : v->findChildren<QWidget*>()) {
        const QString n = c->objectName();
        if (n.isEmpty() || n.startsWith(QLatin1String("qt_")))
            continue;
        l << n;
        const bool contenido = !soloNombre.contains(n);
        for (const char* p : {"text", "title", "accessibleName"})
            if (const QString t = c->property(p).toString(); !t.isEmpty() && (contenido || p[0] == 'a'))
                l << n + QLatin1Char('.') + QLatin1String(p) + QStringLiteral(": ") + t;
        if (auto* cb = qobject_cast<QComboBox*>(c); cb && contenido)
            for (int i = 0; i < cb->count(); ++i)
                l << n + QStringLiteral(".item: ") + cb->itemText(i);
        if (auto* e = qobject_cast<QLabel*>(c); e && e->buddy())
            l << n + QStringLiteral(".buddy: ") + e->buddy()->objectName();
        if (auto* e = qobject_cast<QLineEdit*>(c); e && e->echoMode() != QLineEdit::Normal)
            l << n + QStringLiteral(".echoMode: ") + QString::number(e->echoMode());
    }
    return l.join(QLatin1Char('\n')).toStdString() + "\n";
}

} // namespace

// The texts of every window in both languages against its golden files (UTF-8).
// To take new texts, run with TESEDRA_GOLDEN_NUEVOS=1 and copy the files written
// to build/golden-nuevos/ over the golden files by hand.
TEST_P(TextosDeVentana, MatchTheGoldenFile)
{
    const auto& [ventana, idioma] = GetParam();
    CargarTextosControles(idioma);
    CargarMensajes(idioma);
    const std::string ruta = std::string("tests/") + ventana.carpeta + "/golden/" + ventana.nombre
                             + (idioma == kIdiomaIngles ? ".en.txt" : ".es.txt");
    const std::string actual = TextosDe(ventana.crear(), ventana.soloNombre);
    EXPECT_EQ(actual, Golden(ruta, actual)) << ruta;
}

} // namespace tesedra::prueba
