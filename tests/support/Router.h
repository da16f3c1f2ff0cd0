#pragma once
// The one router fixture: the simulator on a real pseudo-terminal, the program's
// serial channel pointed at its far end, the dialog seam recording what the user
// would see, Spanish texts and one set of shortened timings. Clean-up runs in
// TearDown, so it also runs after a failed assertion.

#include "DialogosPrueba.h"

#include "base/Idiomas.h"
#include "base/Sesion.h"
#include "console/Acceso.h"
#include "console/ComSerie.h"
#include "console/Tiempos.h"
#include "sim/SimuladorRouter.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tesedra::prueba {

// The timing constants the tests run with, restored when the holder goes.
class TiemposCortos {
public:
    TiemposCortos() : guardados_(tiempos())
    {
        tiempos().pausaComandoMs = 5;
        tiempos().pausaLecturaMs = 20;
        tiempos().esperaLecturaS = 1;
        tiempos().limiteAccesoS = 2;
    }
    ~TiemposCortos() { tiempos() = guardados_; }
    TiemposCortos(const TiemposCortos&) = delete;
    TiemposCortos& operator=(const TiemposCortos&) = delete;

private:
    Tiempos guardados_;
};

inline const char* const kClavePrueba = "admin";

class PruebaConRouter : public ::testing::Test {
protected:
    void SetUp() override
    {
        CargarMensajes(kIdiomaEspanol);
        CargarTextosControles(kIdiomaEspanol);
        sesion() = Sesion{};
        sesion().ClaveModem = kClavePrueba;
    }

    void TearDown() override
    {
        CerrarPuerto();
        FijarLimiteSilencio(0);
        FijarRutaDispositivo({});
        router_.reset();
    }

    // Starts the simulator of `modelo` (1 the 5660, 2 the 812) and points the
    // log-on at it; `ajustar` changes its options before it starts.
    sim::SimuladorRouter& Router(int16_t modelo, const std::function<void(sim::OpcionesSimulador&)>& ajustar = {})
    {
        sim::OpcionesSimulador o;
        o.modelo = modelo;
        o.password = kClavePrueba;
        if (ajustar)
            ajustar(o);
        router_ = std::make_unique<sim::SimuladorRouter>(o);
        EXPECT_TRUE(router_->Iniciar());
        FijarRutaDispositivo(router_->RutaDispositivo().toStdString());
        return *router_;
    }

    // Starts the router of a console transcript (its model comes from the file), its
    // recorded gaps cut to at most `pausaMaximaMs`, and points the log-on at it.
    sim::SimuladorRouter& RouterDeTranscripcion(const QString& fichero, int pausaMaximaMs = 2)
    {
        return Router(0, [&](sim::OpcionesSimulador& o) {
            o.transcripcion = fichero;
            o.pausaMaximaMs = pausaMaximaMs;
        });
    }

    // The console commands the router received, without the log-on's empty lines,
    // the password and the "n" answer to "Setup?".
    std::vector<std::string> Ordenes() const;

    // Closes the port (what the processing dialog's cancel does) as soon as the
    // router has received a line holding `comando`.
    void CancelarAlRecibir(const std::string& comando);
    // Runs `accion` once, as soon as the router has received a line holding `comando`.
    void AlRecibir(const std::string& comando, std::function<void()> accion);

    DialogosPrueba dialogos_;
    std::unique_ptr<sim::SimuladorRouter> router_;

private:
    TiemposCortos tiempos_;
};

} // namespace tesedra::prueba
