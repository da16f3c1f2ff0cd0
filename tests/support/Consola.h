#pragma once
// The console fixture every router test builds on, whatever stands at the far end
// (the in-process simulator of Router.h, or a simulator reached through a serial
// port, RouterExterno.h): the dialog seam recording what the user would see,
// Spanish texts, a fresh session with the test password and one set of shortened
// timings. Clean-up runs in TearDown, so it also runs after a failed assertion.

#include "DialogosPrueba.h"

#include "base/Idiomas.h"
#include "base/Sesion.h"
#include "console/Acceso.h"
#include "console/ComSerie.h"
#include "console/Tiempos.h"

#include <gtest/gtest.h>

namespace tesedra::prueba {

inline const char* const kClavePrueba = "admin";

class PruebaConsola : public ::testing::Test {
protected:
    void SetUp() override
    {
        CargarMensajes(kIdiomaEspanol);
        CargarTextosControles(kIdiomaEspanol);
        sesion() = Sesion{};
        sesion().ClaveModem = kClavePrueba;
        // The timing constants the tests run with, the program's own back in TearDown.
        guardados_ = tiempos();
        tiempos().pausaComandoMs = 5;
        tiempos().pausaLecturaMs = 20;
        tiempos().esperaLecturaS = 1;
        tiempos().limiteAccesoS = 2;
    }

    void TearDown() override
    {
        CerrarPuerto();
        FijarLimiteSilencio(0);
        FijarRutaDispositivo({});
        tiempos() = guardados_;
    }

    DialogosPrueba dialogos_;

private:
    Tiempos guardados_;
};

} // namespace tesedra::prueba
