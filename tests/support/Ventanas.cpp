#include "TextosVentanas.h"

#include <QPainter>

namespace tesedra::prueba {

// What a window shows, a line each: its title; then every named control in tree
// order with its caption, contents, list items (the chosen one marked), accessible name, label buddy and
// hidden echo, as "control.property: text".
static std::string TextosDe(QWidget* v, const QStringList& soloNombre)
{
    QStringList l{QStringLiteral("windowTitle: ") + v->windowTitle()};
    for (QWidget* c : v->findChildren<QWidget*>()) {
        const QString n = c->objectName();
        if (n.isEmpty() || n.startsWith(QLatin1String("qt_")))
            continue;
        l << n;
        for (const char* p : {"text", "title", "accessibleName"})
            if (const QString t = c->property(p).toString(); !t.isEmpty() && (p[0] == 'a' || !soloNombre.contains(n)))
                l << n + QLatin1Char('.') + QLatin1String(p) + QStringLiteral(": ") + t;
        if (auto* cb = qobject_cast<QComboBox*>(c); cb && !soloNombre.contains(n))
            for (int i = 0; i < cb->count(); ++i)
                l << n + (i == cb->currentIndex() ? QStringLiteral(".item (chosen): ") : QStringLiteral(".item: "))
                         + cb->itemText(i);
        if (auto* e = qobject_cast<QLabel*>(c); e && e->buddy())
            l << n + QStringLiteral(".buddy: ") + e->buddy()->objectName();
        if (auto* e = qobject_cast<QLineEdit*>(c); e && e->echoMode() != QLineEdit::Normal)
            l << n + QStringLiteral(".echoMode: ") + QString::number(e->echoMode());
    }
    return l.join(QLatin1Char('\n')).toStdString() + "\n";
}

// The texts of every window in both languages against its golden files (UTF-8).
// To take new texts, run with TESEDRA_GOLDEN_NUEVOS=1 and copy the files written
// to build/golden-nuevos/ over the golden files by hand. Under a real X server
// (the <program>_screenshots_xvfb tests) a picture of the window is taken too, for
// a person to look at: build/screenshots/<window>.<es|en>.png.
TEST_P(TextosDeVentana, MatchTheGoldenFile)
{
    const auto& [ventana, idioma] = GetParam();
    CargarTextosControles(idioma);
    const std::string nombre = ventana.nombre + std::string(idioma == kIdiomaIngles ? ".en" : ".es");
    const std::string ruta = std::string("tests/") + ventana.carpeta + "/golden/" + nombre + ".txt";
    QWidget* v = ventana.crear();
    const std::string actual = TextosDe(v, ventana.soloNombre);
    EXPECT_EQ(actual, Golden(ruta, actual)) << ruta;
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    v->adjustSize();
    v->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(v));
    Captura(v, QString::fromStdString(nombre));
}

void Captura(QWidget* v, const QString& nombre, QWidget* encima)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    QPixmap imagen = v->grab();
    if (encima) {
        QPainter pintor(&imagen);
        pintor.drawPixmap(encima->mapToGlobal(QPoint()) - v->mapToGlobal(QPoint()), encima->grab());
    }
    const QString carpeta = QStringLiteral(TESEDRA_BINARY_DIR "/screenshots/");
    EXPECT_TRUE(QDir().mkpath(carpeta) && imagen.save(carpeta + nombre + ".png")) << nombre.toStdString();
}

} // namespace tesedra::prueba
