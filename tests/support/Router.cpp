#include "Router.h"

#include <QTimer>

namespace tesedra::prueba {

std::vector<std::string> PruebaConRouter::Ordenes() const
{
    std::vector<std::string> r;
    for (const auto& l : router_->LineasRecibidas()) {
        std::string s = l;
        while (!s.empty() && (s.back() == '\r' || s.back() == '\n'))
            s.pop_back();
        if (s.empty() || s == router_->Opciones().password || s == "n")
            continue;
        r.push_back(s);
    }
    return r;
}

void PruebaConRouter::CancelarAlRecibir(const std::string& comando)
{
    AlRecibir(comando, [] { CerrarPuerto(); });
}

void PruebaConRouter::AlRecibir(const std::string& comando, std::function<void()> accion)
{
    auto* t = new QTimer(router_.get());
    t->setInterval(1);
    QObject::connect(t, &QTimer::timeout, router_.get(), [this, t, comando, accion] {
        for (const auto& l : router_->LineasRecibidas()) {
            if (l.find(comando) != std::string::npos) {
                t->stop();
                accion();
                return;
            }
        }
    });
    t->start();
}

} // namespace tesedra::prueba
