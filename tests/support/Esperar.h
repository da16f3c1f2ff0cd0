#pragma once
// Waiting in tests: events are processed until a condition holds, never a fixed sleep.

#include <functional>

namespace tesedra::prueba {

// Processes events until `condicion` holds; false when it still does not after
// `limiteMs` (a bound against a hang, not a timing requirement).
bool EsperarHasta(const std::function<bool()>& condicion, int limiteMs = 20000);

} // namespace tesedra::prueba
