// Pictures of every window, for a person to look at: build/screenshots/<window>.png.
// Run under a real X server by the desktop_screenshots_xvfb test when xvfb-run exists;
// offscreen they go to build/screenshots/offscreen/.
#include "EntornoVentanas.h"

#include "checks/fConectividadATM.h"
#include "checks/fConfiguracion.h"
#include "checks/fGenerico.h"
#include "ipconn/fconIP.h"
#include "ui/DialogosWidgets.h"
#include "shell/fClaveGestionProvision.h"
#include "shell/fMain.h"
#include "shell/fPerfil.h"
#include "ui/fProcesando.h"
#include "ui/fdirectorio.h"
#include "validation/fValidacion.h"
#include "validation/fvalInversa.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

class Screenshots : public EntornoVentanas {
protected:
    // Shows `w` at its natural size, renders it and checks the picture holds a drawn window.
    void Capturar(QWidget* w, const char* nombre)
    {
        w->adjustSize();
        w->show();
        QTest::qWait(50);
        const QImage img = w->grab().toImage();
        ASSERT_FALSE(img.isNull()) << nombre;
        EXPECT_GE(img.width(), 150) << nombre;
        EXPECT_GE(img.height(), 60) << nombre;
        // Not a blank rectangle: a window with text and frames has many colours.
        QSet<QRgb> colores;
        for (int y = 0; y < img.height(); y += 3)
            for (int x = 0; x < img.width(); x += 3)
                colores.insert(img.pixel(x, y));
        EXPECT_GT(colores.size(), 3) << nombre;
        // The pictures to look at come from a real X server; the offscreen run of the
        // same test (which draws without a window system) keeps its own apart.
        QString carpeta = QStringLiteral(TESEDRA_BINARY_DIR "/screenshots");
        if (QGuiApplication::platformName() == QLatin1String("offscreen"))
            carpeta += QStringLiteral("/offscreen");
        ASSERT_TRUE(QDir().mkpath(carpeta));
        const QString ruta = carpeta + QLatin1Char('/') + QLatin1String(nombre) + QStringLiteral(".png");
        ASSERT_TRUE(img.save(ruta)) << ruta.toStdString();
    }
};

TEST_F(Screenshots, ShellWindows)
{
    auto* perfil = new fPerfil();
    Capturar(perfil, "fPerfil");

    fClaveGestionProvision clave;
    Capturar(&clave, "fClaveGestionProvision");

    sesion().Perfil = 2;
    auto* m = new fMain();
    Capturar(m, "fMain");

    fdirectorio dir;
    Capturar(&dir, "fdirectorio");

    fProcesando proc;
    Capturar(&proc, "fProcesando");
    proc.Ocultar();
}

TEST_F(Screenshots, CheckWindowsWithResults)
{
    IniciarRouter(2);
    sesion().TipoPrueba = kPruebaSincronizacion;
    auto* g = new fGenerico(nullptr, [] { return int16_t(2); });
    g->show();
    g->Ejecutar();
    EXPECT_FALSE(g->Resultado().empty());
    Capturar(g, "fGenerico");

    auto* atm = new fConectividadATM(nullptr, [] { return int16_t(2); });
    atm->show();
    atm->btnLanzar_Click();
    Capturar(atm, "fConectividadATM");

    auto* conf = new fConfiguracion(nullptr, [] { return int16_t(2); });
    conf->show();
    conf->btnLanzar_Click();
    Capturar(conf, "fConfiguracion");
}

TEST_F(Screenshots, ValidationWindows)
{
    IniciarRouter(2);
    auto* v = new fValidacion(nullptr, [] { return int16_t(2); });
    v->show();
    QTest::mouseClick(v->findChild<QCheckBox*>(QStringLiteral("chkModServicio")), Qt::LeftButton);
    v->Ejecutar_Click();
    EXPECT_FALSE(v->Valores().telefono.empty());
    Capturar(v, "fValidacion");

    sesion().DirectorioOrigen = "/srv/validaciones/entrada";
    sesion().DirectorioDestino = "/srv/validaciones/salida";
    auto* inv = new fvalInversa(nullptr);
    Capturar(inv, "fvalInversa");
}

// Every field of every window can be told by a screen reader: a label whose buddy it
// is, or an accessible name of its own.
class Accesibilidad : public EntornoVentanas {
protected:
    static void ComprobarCampos(QWidget* w)
    {
        QSet<QWidget*> conEtiqueta;
        for (QLabel* l : w->findChildren<QLabel*>()) {
            if (l->buddy())
                conEtiqueta.insert(l->buddy());
        }
        int campos = 0;
        for (QWidget* c : w->findChildren<QWidget*>()) {
            const bool campo = qobject_cast<QLineEdit*>(c) || qobject_cast<QComboBox*>(c)
                               || qobject_cast<QPlainTextEdit*>(c) || qobject_cast<QListWidget*>(c)
                               || qobject_cast<QProgressBar*>(c);
            // The line edit inside a combo box belongs to the combo.
            if (!campo || qobject_cast<QComboBox*>(c->parentWidget()))
                continue;
            ++campos;
            EXPECT_TRUE(conEtiqueta.contains(c) || !c->accessibleName().isEmpty())
                << w->metaObject()->className() << "::" << c->objectName().toStdString();
        }
        EXPECT_GT(campos, 0) << w->metaObject()->className();
    }
};

TEST_F(Accesibilidad, EveryFieldHasALabelOrAName)
{
    sesion().Perfil = 2;
    sesion().TipoPrueba = kPruebaSincronizacion;
    std::vector<std::unique_ptr<QWidget>> ventanas;
    ventanas.emplace_back(new fPerfil());
    ventanas.emplace_back(new fMain());
    ventanas.emplace_back(new fClaveGestionProvision());
    ventanas.emplace_back(new fdirectorio());
    ventanas.emplace_back(new fGenerico(nullptr, [] { return int16_t(2); }));
    ventanas.emplace_back(new fConectividadATM(nullptr, [] { return int16_t(2); }));
    ventanas.emplace_back(new fConfiguracion(nullptr, [] { return int16_t(2); }));
    ventanas.emplace_back(new fValidacion(nullptr, [] { return int16_t(2); }));
    ventanas.emplace_back(new fvalInversa(nullptr));
    ventanas.emplace_back(new fProcesando());
    ventanas.emplace_back(new fconIP(nullptr, [] { return int16_t(2); }));
    for (auto& v : ventanas) {
        v->setAttribute(Qt::WA_DeleteOnClose, false);
        ComprobarCampos(v.get());
    }
}

// Every text a window shows: its title and what its controls display or announce.
QStringList TextosVisibles(QWidget* w)
{
    QStringList t{w->windowTitle()};
    for (QWidget* c : w->findChildren<QWidget*>()) {
        t << c->accessibleName();
        if (auto* l = qobject_cast<QLabel*>(c))
            t << l->text();
        else if (auto* b = qobject_cast<QAbstractButton*>(c))
            t << b->text();
        else if (auto* g = qobject_cast<QGroupBox*>(c))
            t << g->title();
        else if (auto* e = qobject_cast<QLineEdit*>(c))
            t << e->text();
        else if (auto* cb = qobject_cast<QComboBox*>(c))
            for (int i = 0; i < cb->count(); ++i)
                t << cb->itemText(i);
    }
    return t;
}

// Single-byte text read with the wrong encoding: a character outside Latin-1, the
// replacement character, or the two-character form UTF-8 gives an accented letter
// when taken byte by byte ("Ã³" for "ó").
bool Ilegible(const QString& s)
{
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        if (c > 0xFF)
            return true;
        if ((c == 0xC2 || c == 0xC3) && i + 1 < s.size() && s[i + 1].unicode() >= 0x80 && s[i + 1].unicode() <= 0xBF)
            return true;
    }
    return false;
}

TEST_F(Accesibilidad, EveryWindowShowsItsSpanishTextsReadably)
{
    sesion().Perfil = 2;
    sesion().TipoPrueba = kPruebaSincronizacion;
    std::vector<std::unique_ptr<QWidget>> ventanas;
    ventanas.emplace_back(new fPerfil());
    ventanas.emplace_back(new fMain());
    ventanas.emplace_back(new fClaveGestionProvision());
    ventanas.emplace_back(new fdirectorio());
    ventanas.emplace_back(new fGenerico(nullptr, [] { return int16_t(2); }));
    ventanas.emplace_back(new fConectividadATM(nullptr, [] { return int16_t(2); }));
    ventanas.emplace_back(new fConfiguracion(nullptr, [] { return int16_t(1); }));
    ventanas.emplace_back(new fValidacion(nullptr, [] { return int16_t(2); }));
    ventanas.emplace_back(new fvalInversa(nullptr));
    ventanas.emplace_back(new fProcesando());
    ventanas.emplace_back(new fconIP(nullptr, [] { return int16_t(2); }));
    QStringList todos;
    for (auto& v : ventanas) {
        v->setAttribute(Qt::WA_DeleteOnClose, false);
        for (const QString& t : TextosVisibles(v.get())) {
            EXPECT_FALSE(Ilegible(t)) << v->metaObject()->className() << ": " << t.toStdString();
            todos << t;
        }
    }
    // Accented titles of each kind of source: the caption table, design texts and
    // texts set in code.
    for (const char* esperado :
         {"Validaci\xF3n de la instalaci\xF3n", "Validaci\xF3n inversa", "Clave Gesti\xF3n/Provisi\xF3n",
          "Obteniendo informaci\xF3n ", "Opciones del m\xF3" "dem:", "Selecci\xF3n de par\xE1metros ATM"})
        EXPECT_TRUE(todos.contains(QString::fromLatin1(esperado))) << esperado;
}

TEST_F(Accesibilidad, MessageBoxesShowSingleByteTextsAsTheyAre)
{
    DialogosWidgets widgets;
    InstalarDialogos(&widgets);
    QStringList vistos;
    auto leerYCerrar = [&vistos](QMessageBox::StandardButton boton) {
        QTimer::singleShot(0, [&vistos, boton] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                    vistos << box->windowTitle() << box->text();
                    box->button(boton)->click();
                }
            }
        });
    };
    leerYCerrar(QMessageBox::Ok);
    MostrarError("Proceso de validaci\xF3" "n err\xF3" "neo", "");
    leerYCerrar(QMessageBox::No);
    const bool si = tesedra::dialogos().PreguntaSiNo(mensajes().msgAdvertencia, mensajes().msgCancelarConsulta);
    InstalarDialogos(&dialogos);
    EXPECT_FALSE(si);
    ASSERT_EQ(vistos.size(), 4);
    EXPECT_EQ(vistos[0], QStringLiteral("Error"));
    EXPECT_EQ(vistos[1], QString::fromUtf8("Proceso de validaci\xC3\xB3n err\xC3\xB3neo"));
    EXPECT_EQ(vistos[2], QStringLiteral("Advertencia"));
    EXPECT_TRUE(vistos[3].contains(QString::fromUtf8("\xC2\xBF" "Desea continuar con la cancelaci\xC3\xB3n?")))
        << vistos[3].toStdString();
}

} // namespace
