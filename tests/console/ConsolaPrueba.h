#pragma once
// Shared set-up of the console link tests: a router simulator on a real
// pseudo-terminal, the program's serial channel on the other end, the dialog
// seam recording messages, and timing constants shortened so the suite is quick.

#include "DialogosPrueba.h"
#include "TiemposPrueba.h"
#include "console/Acceso.h"
#include "console/ComSerie.h"
#include "console/Tiempos.h"
#include "base/Idiomas.h"
#include "base/Sesion.h"
#include "sim/SimuladorRouter.h"

#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <cstdio>

namespace tesedra {

class ConsolaPrueba : public testing::Test {
protected:
    void SetUp() override
    {
        CargarMensajes(kIdiomaEspanol);
        sesion().ClaveModem = "admin";
    }

    void TearDown() override
    {
        for (const auto& m : dialogos_.mensajes)
            std::fprintf(stderr, "[mensaje] %s | %s\n", m.titulo.c_str(), m.texto.c_str());
        CerrarPuerto();
        FijarRutaDispositivo({});
    }

    // Starts a simulator and points the log-on at its serial end.
    sim::SimuladorRouter& Router(sim::OpcionesSimulador o = {})
    {
        router_ = std::make_unique<sim::SimuladorRouter>(o);
        EXPECT_TRUE(router_->iniciar());
        FijarRutaDispositivo(router_->rutaDispositivo().toStdString());
        return *router_;
    }

    sim::SimuladorRouter& Router812(sim::OpcionesSimulador o = {})
    {
        o.modelo = 2;
        return Router(o);
    }

    sim::SimuladorRouter& Router5660(sim::OpcionesSimulador o = {})
    {
        o.modelo = 1;
        return Router(o);
    }

    // Opens the serial end directly, without logging on.
    bool Abrir(int32_t baudios = 9600)
    {
        return AbrirPuertoRuta(router_->rutaDispositivo().toStdString(), baudios, "N", 8, 1);
    }

    long Contar(const std::string& linea) const
    {
        const auto& l = router_->lineasRecibidas();
        return std::count(l.begin(), l.end(), linea);
    }

    static bool EndsWith(const std::string& s, const std::string& fin)
    {
        return s.size() >= fin.size() && s.compare(s.size() - fin.size(), fin.size(), fin) == 0;
    }

    DialogosPrueba dialogos_;
    std::unique_ptr<sim::SimuladorRouter> router_;
    TiemposCortos tiempos_{10, 40, 1, 2};
};

} // namespace tesedra
