#pragma once
// The window-test fixture over any console fixture: the program's end leaving no
// event loop and the windows a test leaves removed; helpers to find and press
// controls, answer a modal dialog and act from the event loop; and the one test of
// every window's texts (Ventanas.cpp), which needs no router and so runs on every
// platform. Ventanas.h puts it over the in-process simulator (Linux).

#include "Consola.h"
#include "Esperar.h"
#include "Ficheros.h"

#include "base/Latin1.h"
#include "ui/Programa.h"
#include "ui/fProcesando.h"
#include "validation/ValoresInstalacion.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <tuple>

// Failed comparisons of texts print the texts.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace tesedra::prueba {

template <class Base>
class ConVentanas : public Base {
protected:
    void SetUp() override
    {
        Base::SetUp();
        FijarSalida([] {});
        estadoLinea() = EstadoLinea{};
    }
    void TearDown() override
    {
        QList<QPointer<QWidget>> ventanas; // processing dialogs last: most go with their windows
        for (QWidget* w : QApplication::topLevelWidgets())
            qobject_cast<fProcesando*>(w) ? ventanas.append(w) : ventanas.prepend(w);
        qDeleteAll(ventanas);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        FijarSalida([] { QCoreApplication::quit(); });
        ReiniciarPrograma();
        Base::TearDown();
    }

    // The first visible top-level window of class T.
    template <class T>
    static T* Ventana()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* v = qobject_cast<T*>(w); v && v->isVisible())
                return v;
        return nullptr;
    }
    template <class T = QWidget>
    static T* Hijo(QWidget* w, const char* nombre)
    {
        T* h = w ? w->findChild<T*>(QLatin1String(nombre)) : nullptr;
        EXPECT_NE(h, nullptr) << nombre;
        return h;
    }
    static void Pulsar(QWidget* w, const char* boton)
    {
        QTest::mouseClick(Hijo<QPushButton>(w, boton), Qt::LeftButton);
    }
    // Runs `abrir`; the modal dialog of class D it opens is given to `responder`.
    template <class D>
    static void ConModal(std::function<void(D*)> responder, const std::function<void()>& abrir)
    {
        QObject contexto; // no answer is left pending when no dialog opens
        QTimer::singleShot(0, &contexto, [responder] {
            if (auto* d = qobject_cast<D*>(QApplication::activeModalWidget()))
                responder(d);
        });
        abrir();
    }
    // Runs `accion` once `condicion` holds, from the event loop (which runs inside
    // the waits of a router exchange).
    void Cuando(std::function<bool()> condicion, std::function<void()> accion)
    {
        auto* t = new QTimer(&vigilancias_);
        QObject::connect(t, &QTimer::timeout, t, [t, condicion, accion] {
            if (condicion()) {
                t->stop();
                accion();
            }
        });
        t->start(1);
    }

    QObject vigilancias_; // owns what Cuando watches with
};

// Under a real X server (the screenshots_xvfb tests), a picture of `v` for a person to
// look at, with `encima` (a dialog over it) painted where it stands on the screen:
// build/screenshots/<nombre>.png. Elsewhere nothing.
void Captura(QWidget* v, const QString& nombre, QWidget* encima = nullptr);

// A row of the texts test: the window's golden files are
// tests/<carpeta>/golden/<nombre>.<es|en>.txt; `soloNombre` names the controls
// whose content is data of the machine, compared by name only.
struct VentanaConTextos {
    const char* carpeta;
    const char* nombre;
    std::function<QWidget*()> crear;
    QStringList soloNombre = {};
};
inline void PrintTo(const VentanaConTextos& v, std::ostream* os)
{
    *os << v.nombre;
}

class TextosDeVentana : public ConVentanas<PruebaConsola>,
                        public ::testing::WithParamInterface<std::tuple<VentanaConTextos, int16_t>> {};

} // namespace tesedra::prueba

// The rows of the texts test of one program: its windows, in both languages.
#define TEXTOS_DE_VENTANAS(prefijo, ...)                                                                               \
    INSTANTIATE_TEST_SUITE_P(                                                                                          \
        prefijo, TextosDeVentana,                                                                                      \
        ::testing::Combine(::testing::Values(__VA_ARGS__), ::testing::Values(kIdiomaEspanol, kIdiomaIngles)))
