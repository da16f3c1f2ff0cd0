#pragma once
// Gathering and judging the installation values on each router model.

#include "validation/ValoresInstalacion.h"

#include <cstdint>
#include <string>

namespace tesedra {

// The port must be open and logged on; neither opens nor closes it.
bool DatosValidacionEfficient5660(ValoresInstalacion& v);
bool DatosValidacionOfficeRemote812(ValoresInstalacion& v);

// One validation run: clears the fault flags and the values, logs on to the model,
// gathers, completes the values and closes the port. False (port closed, values
// not completed) when the log-on or the gathering failed.
bool EjecutarValidacion(int16_t modelo, ValoresInstalacion& v);

// The line-fault message chosen by the fault flags; empty when neither is set.
std::string MensajeFallosLinea();

// After a record has been saved: when the line failed its limits, the warning to
// hand the order back or ask for another pair, and then both fault flags cleared.
void AvisarTrasGuardar();

} // namespace tesedra
