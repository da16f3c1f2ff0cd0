#pragma once
// The router fixture of the Linux tests: the console fixture (Consola.h) with the
// simulator in-process on a real pseudo-terminal and the program's serial channel
// pointed at its far end. Clean-up runs in TearDown, so it also runs after a
// failed assertion.

#include "Consola.h"

#include "sim/SimuladorRouter.h"

#include <memory>

namespace tesedra::prueba {

class PruebaConRouter : public PruebaConsola {
protected:
    void TearDown() override
    {
        PruebaConsola::TearDown();
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

    std::unique_ptr<sim::SimuladorRouter> router_;
};

} // namespace tesedra::prueba
