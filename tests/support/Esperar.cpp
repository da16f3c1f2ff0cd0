#include "Esperar.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace tesedra::prueba {

bool EsperarHasta(const std::function<bool()>& condicion, int limiteMs)
{
    QDeadlineTimer limite(limiteMs);
    while (!condicion()) {
        if (limite.hasExpired())
            return false;
        // Sleeps in the event loop until something happens or a short tick passes.
        QEventLoop bucle;
        QTimer::singleShot(5, &bucle, &QEventLoop::quit);
        bucle.exec();
    }
    return true;
}

} // namespace tesedra::prueba
