#pragma once
// The IP connectivity window: ping or route trace from the PC or from the router.

#include <QWidget>

#include <cstdint>
#include <functional>

namespace tesedra {

class fconIP : public QWidget {
    Q_OBJECT
public:
    // `principal` is the main window, shown again when this window closes;
    // `codigoModelo` gives the model code of the main window's current selection.
    fconIP(QWidget* principal, std::function<int16_t()> codigoModelo, QWidget* parent = nullptr);
    ~fconIP() override;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    QWidget* principal_;
    std::function<int16_t()> codigoModelo_;
};

} // namespace tesedra
