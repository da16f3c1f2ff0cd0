#pragma once
// The setting of the window tests: Spanish texts, short timings, the dialog seam
// answered by the test, a router simulator on a pseudo-terminal as port 1, and
// every window left behind by a test removed after it.

#include "DialogosPrueba.h"
#include "TiemposPrueba.h"

#include "console/ComSerie.h"
#include "console/Tiempos.h"
#include "base/Idiomas.h"
#include "ui/Presentacion.h"
#include "ui/Programa.h"
#include "base/Sesion.h"
#include "sim/SimuladorRouter.h"
#include "validation/ValoresInstalacion.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace tesedra::prueba {

inline const char* const kClaveRouter = "s3cr3t";

class EntornoVentanas : public ::testing::Test {
protected:
    void SetUp() override
    {
        CargarTextosControles(kIdiomaEspanol);
        CargarMensajes(kIdiomaEspanol);
        ReiniciarPrograma();
        FijarSalida([this] { ++salidas; });
        sesion() = Sesion{};
        estadoLinea() = EstadoLinea{};
    }

    void TearDown() override
    {
        CerrarPuerto();
        // Windows first; a processing dialog belongs to its window and goes with it.
        QList<QPointer<QWidget>> ventanas;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (!w->parentWidget() && !w->inherits("tesedra::fProcesando"))
                ventanas.push_back(w);
        }
        for (const auto& w : ventanas)
            delete w.data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        sim.reset();
        FijarSalida([] { QCoreApplication::quit(); });
        ReiniciarPrograma();
    }

    // Starts a simulated router of `modelo` as port 1 and sets the session for it.
    void IniciarRouter(int16_t modelo, const std::function<void(sim::OpcionesSimulador&)>& ajustar = {})
    {
        sim::OpcionesSimulador o;
        o.modelo = modelo;
        o.password = kClaveRouter;
        if (ajustar)
            ajustar(o);
        sim = std::make_unique<sim::SimuladorRouter>(o);
        ASSERT_TRUE(sim->iniciar());
        qputenv("TESEDRA_COM1", sim->rutaDispositivo().toLocal8Bit());
        sesion().Puerto = 1;
        sesion().ClaveModem = kClaveRouter;
    }

    bool RouterRecibio(const std::string& linea) const
    {
        for (const std::string& l : sim->lineasRecibidas()) {
            if (l == linea)
                return true;
        }
        return false;
    }

    // Runs `accion` once, as soon as `condicion` holds, polling from the event loop
    // (which runs inside the router exchange's waits).
    void Cuando(std::function<bool()> condicion, std::function<void()> accion, int plazoMs = 15000)
    {
        auto* t = new QTimer();
        auto reloj = std::make_shared<QElapsedTimer>();
        reloj->start();
        QObject::connect(t, &QTimer::timeout, t, [t, reloj, condicion, accion, plazoMs] {
            if (condicion()) {
                t->stop();
                t->deleteLater();
                accion();
            } else if (reloj->elapsed() > plazoMs) {
                t->stop();
                t->deleteLater();
            }
        });
        t->start(10);
    }

    // The first visible top-level window of class T.
    template <class T>
    static T* Ventana()
    {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* v = qobject_cast<T*>(w); v && v->isVisible())
                return v;
        }
        return nullptr;
    }

    template <class T>
    static T* Hijo(QWidget* w, const char* nombre)
    {
        T* h = w ? w->findChild<T*>(QLatin1String(nombre)) : nullptr;
        EXPECT_NE(h, nullptr) << nombre;
        return h;
    }

    static void Pulsar(QWidget* w, const char* boton)
    {
        auto* b = Hijo<QPushButton>(w, boton);
        if (b)
            QTest::mouseClick(b, Qt::LeftButton);
    }

    // The processing dialog's Cancel, as the technician would press it.
    static bool PulsarCancelarProcesando()
    {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->inherits("tesedra::fProcesando") && w->isVisible()) {
                auto* b = w->findChild<QPushButton*>(QStringLiteral("Command1"));
                if (!b || !b->isEnabled())
                    return false;
                QTest::mouseClick(b, Qt::LeftButton);
                return true;
            }
        }
        return false;
    }

    bool HayMensaje(const std::string& texto) const
    {
        for (const auto& m : dialogos.mensajes) {
            if (m.texto == texto)
                return true;
        }
        return false;
    }

    DialogosPrueba dialogos;
    std::unique_ptr<sim::SimuladorRouter> sim;
    int salidas = 0;

private:
    TiemposCortos tiempos_{5, 20, 1, 4};
};

} // namespace tesedra::prueba
