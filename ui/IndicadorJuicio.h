#pragma once
// A small indicator beside a judged value: the limit, and the verdict as a glyph and a
// colour (a tick in green, a cross in red; a value that could not be read says so in
// words). A screen reader reads the whole judgement from its accessible name.

#include <QLabel>

namespace tesedra {

class IndicadorJuicio : public QLabel {
    Q_OBJECT
public:
    enum class Estado { Vacio, Correcto, Incorrecto, SinLectura };

    explicit IndicadorJuicio(QWidget* parent = nullptr);

    // `limite` as shown ("m\u00E1x. 61 dB"); `accesible` as read out; `noLeido` the
    // words shown for a value that could not be read.
    void Mostrar(Estado estado, const QString& limite, const QString& accesible, const QString& noLeido = {});
    // Empty and hidden: before a run, and when a new one starts.
    void Limpiar();

    Estado EstadoMostrado() const { return estado_; }

private:
    Estado estado_ = Estado::Vacio;
};

} // namespace tesedra
