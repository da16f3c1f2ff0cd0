// The IP connectivity window driven as the technician does: its field rules,
// runs from the PC with a stand-in program, runs from a simulated router, the
// cancel of the processing dialog, saving and going back.
#include "ipconn/fconIP.h"

#include "Ventanas.h"
#include "ipconn/ConexionIP.h"
#include "ipconn/clsExecCmd.h"

#include <QAccessible>
#include <QClipboard>
#include <QElapsedTimer>
#include <QPlainTextEdit>

#include <chrono>

#include <signal.h>

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

using Msg = std::pair<std::string, std::string>; // title and text of a message

class IpWindow : public PruebaConRouter {
protected:
    void SetUp() override
    {
        PruebaConRouter::SetUp();
        opcionesPC() = {};
        opcionesPC().carpetaSalida = dir_.path();
        Abrir(kOfficeRemote812);
    }
    ~IpWindow() override
    {
        delete w_.data();
        opcionesPC() = {};
    }
    void Abrir(int16_t modelo)
    {
        delete w_.data();
        modelo_ = modelo;
        w_ = new fconIP(&principal_, [this] { return modelo_; });
        w_->show();
        w_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w_));
    }
    template <class T = QLineEdit>
    T* Hijo(const char* nombre)
    {
        return w_->findChild<T*>(QString::fromLatin1(nombre));
    }
    // Command, the fourth octet (the others 10.0.0) and wait time, as typed in.
    void Rellenar(const char* comando, const char* octeto4, const char* retardo)
    {
        Hijo<QComboBox>("comboComando")->setCurrentText(QString::fromLatin1(comando));
        const std::pair<const char*, const char*> campos[] = {
            {"tuIP1", "10"}, {"tuIP2", "0"}, {"tuIP3", "0"}, {"tuIP4", octeto4}, {"tretardo", retardo}};
        for (const auto& [campo, texto] : campos)
            Hijo(campo)->setText(QString::fromLatin1(texto));
    }
    // Moves the focus on with the Tab key and lets the checks that run once the
    // focus has settled do so.
    void Salir(QLineEdit* desde)
    {
        desde->setFocus(Qt::TabFocusReason);
        QTest::keyClick(desde, Qt::Key_Tab);
        for (int i = 0; i < 10; ++i)
            QApplication::processEvents();
    }
    // The messages shown since the last call.
    std::vector<Msg> Mensajes()
    {
        std::vector<Msg> r;
        for (const auto& m : dialogos_.mensajes)
            r.emplace_back(m.titulo, m.texto);
        dialogos_.mensajes.clear();
        return r;
    }
    // Looks at the window from inside a run: `visto_` once it was seen busy,
    // `desdeOrden_` running since the router received a command.
    void Vigilar(const std::function<void()>& ademas)
    {
        vigia_.callOnTimeout([this, ademas] {
            visto_ = visto_ || (w_->EnCurso() && !w_->isEnabled() && w_->Procesando()->isVisible());
            if (!desdeOrden_.isValid() && router_ && !Ordenes().empty())
                desdeOrden_.start();
            ademas();
        });
        vigia_.start(1);
    }
    // A stand-in for the system's ping and traceroute.
    void Sustituto(const std::string& cuerpo)
    {
        opcionesPC().ping = opcionesPC().traceroute = dir_.filePath(QStringLiteral("stand-in"));
        EscribirFichero(opcionesPC().ping, "#!/bin/sh\n" + cuerpo);
        QFile(opcionesPC().ping).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    }
    // Presses a button; whatever it ran is over when it returns.
    void Pulsar(const char* boton)
    {
        Hijo<QPushButton>(boton)->click();
        EXPECT_TRUE(w_->isEnabled() && !w_->EnCurso() && !w_->Procesando()->isVisible()) << boton;
    }

    QTemporaryDir dir_;
    QWidget principal_;
    QPointer<fconIP> w_;
    int16_t modelo_ = 0;
    QTimer vigia_;
    bool visto_ = false;
    QElapsedTimer desdeOrden_;
};

TEST_F(IpWindow, AWrongFieldIsRefusedWhenTypedWhenLeftAndOnARun)
{
    Router(kOfficeRemote812);
    const std::pair<const char*, std::string> tecleados[] = {{"tuIP2", mensajes().msgRango9},
                                                             {"tretardo", mensajes().msgRango999}};
    for (const auto& [nombre, mensaje] : tecleados) {
        Hijo(nombre)->setFocus();
        Hijo(nombre)->clear();
        QTest::keyClicks(Hijo(nombre), "1a2");
        EXPECT_EQ(Hijo(nombre)->text(), QStringLiteral("12")) << "the letter is taken back";
        EXPECT_EQ(Mensajes(), std::vector{Msg(mensajes().msgFormatoNoValido, mensaje)});
    }

    const Msg m255("Error", mensajes().msgRango255 + " " + mensajes().msgFormatoNoValido);
    const Msg m999(mensajes().msgFormatoNoValido, mensajes().msgRango999);
    const std::tuple<const char*, const char*, const char*, Msg> casos[] = {
        {"tuIP4", "", nullptr, m255},      {"tuIP4", "256", nullptr, m255},
        {"tuIP4", "1a1", nullptr, m255}, // pasted: only the last character was looked at
        {"tuIP4", "007", "7", {}},         {"tretardo", "", nullptr, m999},
        {"tretardo", "x5", nullptr, m999}, {"tretardo", "007", "7", {}}};
    for (const auto& [nombre, texto, queda, mensaje] : casos) {
        Rellenar("ping", "1", "5");
        QLineEdit* f = Hijo(nombre);
        f->setText(QString::fromLatin1(texto));
        for (const char* accion : {"leave", "btnEjecutarPC", "btnEjecutarRouter"}) {
            SCOPED_TRACE(std::string(nombre) + " '" + texto + "' " + accion);
            if (*accion == 'l')
                Salir(f);
            else if (!queda)
                Pulsar(accion);
            EXPECT_EQ(f->hasFocus(), !queda) << "a refused value keeps the focus";
            EXPECT_EQ(f->text(), queda ? QString::fromLatin1(queda) : f->selectedText());
            EXPECT_EQ(Mensajes(), queda ? std::vector<Msg>() : std::vector{mensaje});
        }
    }
    EXPECT_TRUE(!w_->Proceso() && router_->LineasRecibidas().empty()) << "no command started, the router untouched";

    // Entering a field selects its text.
    Hijo("tuIP4")->setText(QStringLiteral("123"));
    Hijo("tuIP4")->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(Hijo("tuIP4")->selectedText(), QStringLiteral("123"));
    // Two wrong octets in a row: the focus comes back to the first, and the
    // second is not checked on the way.
    Hijo("tuIP1")->clear();
    Hijo("tuIP2")->clear();
    Salir(Hijo("tuIP1"));
    EXPECT_EQ(Mensajes().size(), 1u);
    EXPECT_TRUE(Hijo("tuIP1")->hasFocus());
}

// An address is typed with its dots, or pasted whole, as people do: each part goes to
// its box. A text with dots that is no address is refused as a letter is.
TEST_F(IpWindow, DotsMoveOnAndAPastedAddressFillsTheBoxes)
{
    // The box typed or pasted into, the text, whether pasted, the four boxes after it, the
    // box with the focus and whether the text was refused.
    const std::tuple<const char*, const char*, bool, const char*, const char*, bool> casos[] = {
        {"tuIP1", "192.168.1.20", false, "192.168.1.20", "tuIP4", false},
        {"tuIP1", "127.0.0.1", true, "127.0.0.1", "tuIP4", false},
        {"tuIP2", "10.", false, "9.10.9.9", "tuIP3", false},
        {"tuIP3", "5.6", true, "9.9.5.6", "tuIP4", false},
        {"tuIP3", "1.2.3", true, "9.9.1.9", "tuIP3", true},
        {"tuIP1", "1.2x.3.4", true, "1.9.9.9", "tuIP1", true},
    };
    for (const auto& [nombre, texto, pegado, cajas, foco, refusado] : casos) {
        SCOPED_TRACE(std::string(nombre) + " " + texto);
        for (const char* n : {"tuIP1", "tuIP2", "tuIP3", "tuIP4"})
            Hijo(n)->setText(QStringLiteral("9"));
        QLineEdit* caja = Hijo(nombre);
        caja->setFocus();
        caja->clear();
        if (pegado) {
            QApplication::clipboard()->setText(QString::fromLatin1(texto));
            caja->paste();
        } else {
            for (const char* t = texto; *t; ++t) // to whichever box has the focus, as typing does
                QTest::keyClick(QApplication::focusWidget(), *t);
        }
        QApplication::processEvents();
        QStringList vistas;
        for (const char* n : {"tuIP1", "tuIP2", "tuIP3", "tuIP4"})
            vistas << Hijo(n)->text();
        EXPECT_EQ(vistas.join(QLatin1Char('.')), QLatin1String(cajas));
        EXPECT_TRUE(Hijo(foco)->hasFocus());
        EXPECT_EQ(Mensajes(), refusado ? std::vector{Msg(mensajes().msgFormatoNoValido, mensajes().msgRango9)}
                                       : std::vector<Msg>());
    }
}

TEST_F(IpWindow, ARunShowsItsResultWhileTheWindowWaitsBusy)
{
    Sustituto("echo \"$*\"\necho\nprintf 'second\\r\\r\\n'\necho warning >&2\n");
    // The model, whether run from the router (else from the PC), the command, the wait
    // time, the router's reply to its command, the result, the least time after the
    // router's command before the run may return, and the processing dialog's cancel this
    // long after the command (-1 never).
    using Corrida = std::tuple<int16_t, bool, const char*, const char*, const char*, const char*, int, int>;
    const Corrida casos[] = {
        // The output file of a longer run first: each run replaces it. On the 812 the
        // router offers no route trace: its button is off while tracert is chosen.
        {kOfficeRemote812, false, "tracert", "20", "", "-n -m 5 10.0.0.1\r\nsecond\r\nwarning\r\n", 0, -1},
        {kOfficeRemote812, false, "ping", "20", "", "-c 4 10.0.0.1\r\nsecond\r\nwarning\r\n", 0, -1},
        // The 5660 reply runs up to the prompt, which is dropped.
        {kEfficient5660, true, "ping", "20", "PING 10.0.0.1: 56 data bytes\n64 bytes\n",
         "ping 10.0.0.1\r\nPING 10.0.0.1: 56 data bytes\r\n64 bytes\r\n", 0, -1},
        // A trace longer than the wait time is cut off.
        {kEfficient5660, true, "tracert", "1", "traceroute to 10.0.0.1\n@pausa 3000\n 5  10.0.0.1\n",
         "traceroute 10.0.0.1\r\ntraceroute to 10.0.0.1\r\n", 0, -1},
        // The 812 gives its prompt back at once: the whole wait time is waited
        // and what came after the prompt is kept.
        {kOfficeRemote812, true, "ping", "1", "Pinging 10.0.0.1\n@prompt\n@pausa 300\nReply late\n",
         "ping 10.0.0.1\r\nPinging 10.0.0.1\r\n3Com-DSL>Reply late\r\n", 1000, -1},
        // A cancel inside that wait ends it at once (999 s would outlast the test's limit).
        {kOfficeRemote812, true, "ping", "999", "Pinging 10.0.0.1\n@prompt\n@pausa 100000\nlate\n",
         "ping 10.0.0.1\r\nPinging 10.0.0.1\r\n3Com-DSL>", 0, 1000}};
    dialogos_.respuestasSiNo = {true};
    const Corrida* c = casos;
    Vigilar([&] {
        if (c != std::end(casos) && std::get<7>(*c) >= 0 && desdeOrden_.isValid()
            && desdeOrden_.elapsed() >= std::get<7>(*c) && dialogos_.preguntas.empty())
            w_->Procesando()->Command1_Click();
    });
    for (; c != std::end(casos); ++c) {
        const auto& [modelo, router, comando, retardo, respuesta, resultado, esperaMinimaMs, cancelarMs] = *c;
        const std::string orden = std::string(*comando == 't' ? "traceroute" : "ping") + " 10.0.0.1";
        SCOPED_TRACE(orden + (router ? " from the router " : " from the PC ") + std::to_string(modelo));
        if (modelo != modelo_)
            Abrir(modelo);
        Router(modelo).FijarRespuesta(orden, respuesta);
        visto_ = false;
        desdeOrden_.invalidate();
        Rellenar(comando, "01", retardo);
        EXPECT_EQ(Hijo<QPushButton>("btnEjecutarRouter")->isEnabled(), modelo == kEfficient5660 || orden[0] == 'p');
        Pulsar(router ? "btnEjecutarRouter" : "btnEjecutarPC");
        EXPECT_TRUE(visto_) << "busy while it ran";
        EXPECT_EQ(dialogos_.preguntas.size(), cancelarMs >= 0 ? 1u : 0u) << "the one cancel is the last run";
        EXPECT_EQ(Visible(w_->Resultado()), Visible(resultado));
        // A screen reader reads the result from the box.
        auto* caja = Hijo<QPlainTextEdit>("tInfoEstado");
        const QString leido = QAccessible::queryAccessibleInterface(caja)->text(QAccessible::Value);
        EXPECT_TRUE(leido == caja->toPlainText() && leido.contains(QLatin1String("10.0.0.1"))) << leido.toStdString();
        EXPECT_EQ(Ordenes().empty() ? "" : Ordenes().front(), router ? orden : "");
        EXPECT_GE(esperaMinimaMs ? desdeOrden_.elapsed() : 0, esperaMinimaMs);
        EXPECT_EQ(Hijo("tuIP4")->text(), QStringLiteral("1"));
        EXPECT_FALSE(w_->Timer1()->isActive() || PuertoAbierto());
    }
    EXPECT_TRUE(dialogos_.mensajes.empty());
}

TEST_F(IpWindow, WaitTimeOrCancelEndsACommandThatRunsOnAndTheWindowStaysOpenMeanwhile)
{
    Sustituto("echo \"PING $3 before its end\"\nexec sleep 600\n");
    bool cerrado = true;
    bool cancelar = false;
    Vigilar([&] {
        if (w_->EnCurso() && cerrado)
            cerrado = w_->close();
        if (cancelar && !w_->isEnabled() && dialogos_.preguntas.empty()
            && LeerFichero(FicheroSalidaPC()).find("end") != std::string::npos)
            w_->Procesando()->Command1_Click();
    });
    dialogos_.respuestasSiNo = {true};
    principal_.hide();
    for (const char* retardo : {"1", "999"}) { // 999 s would outlast the test's limit: the cancel ends it
        cancelar = *retardo == '9';
        cerrado = true;
        Rellenar("ping", "1", retardo);
        const auto antes = std::chrono::steady_clock::now();
        Pulsar("btnEjecutarPC");
        EXPECT_TRUE(cancelar || std::chrono::steady_clock::now() - antes >= std::chrono::seconds(1)) << "all the wait";
        EXPECT_FALSE(cerrado) << "closing is refused while a run is under way";
        // Its end has been reported before the run returns: it cannot turn up in a later run.
        EXPECT_FALSE(w_->Proceso()->Ejecutando());
        EXPECT_NE(::kill(static_cast<pid_t>(w_->Proceso()->dwProcessId()), 0), 0) << "the command was ended";
        EXPECT_EQ(w_->Resultado(), "PING 10.0.0.1 before its end\r\n");
    }
    EXPECT_EQ(dialogos_.preguntas.size(), 1u);

    vigia_.stop();
    Hijo<QPushButton>("bVolver")->click();
    EXPECT_TRUE(principal_.isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w_.isNull());
}

TEST_F(IpWindow, AProgramThatCannotStartIsReportedAndSavingWritesTheResultText)
{
    opcionesPC().ping = dir_.filePath(QStringLiteral("no-such-ping"));
    Rellenar("ping", "1", "5");
    Pulsar("btnEjecutarPC");
    const auto vistos = Mensajes();
    ASSERT_EQ(vistos.size(), 1u);
    EXPECT_EQ(vistos[0].first, "Error");
    EXPECT_EQ(vistos[0].second.rfind(opcionesPC().ping.toStdString() + ": ", 0), 0u) << vistos[0].second;
    EXPECT_FALSE(w_->Timer1()->isActive());

    const QString ruta = dir_.filePath(QStringLiteral("ping.txt"));
    Hijo<QPlainTextEdit>("tInfoEstado")->setPlainText(QStringLiteral("PING 1\nr\u00e1pido"));
    dialogos_.respuestasGuardar = {std::nullopt, ruta};
    Hijo<QPushButton>("bSalvar")->click();
    EXPECT_FALSE(QFile::exists(ruta)) << "cancelled: nothing written";
    Hijo<QPushButton>("bSalvar")->click();
    EXPECT_EQ(LeerFichero(ruta), "PING 1\r\nr\xE1pido\r\n");
    EXPECT_TRUE(Mensajes().empty());
}

} // namespace
