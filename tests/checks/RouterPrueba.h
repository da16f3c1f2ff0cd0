#pragma once
// A router simulator on a pseudo-terminal for the check and validation tests, with
// the timing constants shortened so that a run takes a fraction of a second.

#include "console/Acceso.h"
#include "console/ComSerie.h"
#include "console/Tiempos.h"
#include "base/Idiomas.h"
#include "base/Sesion.h"
#include "sim/SimuladorRouter.h"

#include "DialogosPrueba.h"
#include "TiemposPrueba.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tesedra::prueba {

class PruebaConRouter : public testing::Test {
protected:
    void SetUp() override
    {
        CargarMensajes(kIdiomaEspanol);
        CargarTextosControles(kIdiomaEspanol);
        sesion().ClaveModem = "admin";
    }

    void TearDown() override
    {
        CerrarPuerto();
        FijarRutaDispositivo({});
        router_.reset();
    }

    // Starts the simulator of `modelo` and points the log-on at it.
    sim::SimuladorRouter& Router(int16_t modelo,
                                 const std::function<void(sim::OpcionesSimulador&)>& ajustar = {})
    {
        sim::OpcionesSimulador o;
        o.modelo = modelo;
        o.password = "admin";
        if (ajustar)
            ajustar(o);
        router_ = std::make_unique<sim::SimuladorRouter>(o);
        EXPECT_TRUE(router_->iniciar());
        FijarRutaDispositivo(router_->rutaDispositivo().toStdString());
        return *router_;
    }

    // The console commands the router received, without the log-on's empty lines,
    // password lines and the "n" answer to "Setup?".
    std::vector<std::string> Ordenes() const
    {
        std::vector<std::string> r;
        for (const auto& l : router_->lineasRecibidas()) {
            std::string s = l;
            while (!s.empty() && (s.back() == '\r' || s.back() == '\n'))
                s.pop_back();
            if (s.empty() || s == router_->opciones().password || s == "n")
                continue;
            r.push_back(s);
        }
        return r;
    }

    // Closes the port (the cancel of the processing dialog) as soon as the router has
    // received `comando`, and stops the router answering from then on.
    void CancelarAlRecibir(const std::string& comando)
    {
        auto* t = new QTimer(router_.get());
        t->setInterval(1);
        QObject::connect(t, &QTimer::timeout, router_.get(), [this, t, comando] {
            for (const auto& l : router_->lineasRecibidas()) {
                if (l.find(comando) != std::string::npos) {
                    t->stop();
                    CerrarPuerto();
                    return;
                }
            }
        });
        t->start();
    }

    DialogosPrueba dialogos_;
    std::unique_ptr<sim::SimuladorRouter> router_;

private:
    TiemposCortos tiempos_{5, 20, 1, 5};
};

inline std::string LeerFichero(const QString& ruta)
{
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return "<cannot read " + ruta.toStdString() + ">";
    return f.readAll().toStdString();
}

// Shows CR, LF and TAB so that a failing comparison of result texts is readable.
inline std::string Visible(const std::string& s)
{
    std::string r;
    for (char c : s) {
        if (c == '\r')
            r += "<CR>";
        else if (c == '\n')
            r += "<LF>\n";
        else if (c == '\t')
            r += "<TAB>";
        else
            r += c;
    }
    return r;
}

} // namespace tesedra::prueba
