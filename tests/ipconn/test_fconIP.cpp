// The IP connectivity window driven with QTest: field rules, runs from the PC
// with the system's ping and traceroute (and stand-in programs for the wait-time
// and start-failure cases), runs from a simulated router of either model, and saving.
#include "ipconn/fconIP.h"

#include "DialogosPrueba.h"
#include "TiemposPrueba.h"
#include "console/Acceso.h"
#include "console/ComSerie.h"
#include "console/Tiempos.h"
#include "ipconn/ConexionIP.h"
#include "ipconn/clsExecCmd.h"
#include "base/Idiomas.h"
#include "base/Sesion.h"
#include "ui/fProcesando.h"
#include "sim/SimuladorRouter.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

#include <signal.h>
#include <time.h>

using namespace tesedra;

namespace {

QString L(const std::string& s)
{
    return QString::fromLatin1(s.c_str());
}

// Lets events run until `cond` holds or `ms` pass.
template <class F>
bool esperarHasta(F cond, int ms)
{
    QDeadlineTimer fin(ms);
    while (!cond()) {
        if (fin.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

bool contiene(const std::string& texto, const std::string& parte)
{
    return texto.find(parte) != std::string::npos;
}

class VentanaIP : public testing::Test {
protected:
    void SetUp() override
    {
        CargarMensajes(kIdiomaEspanol);
        CargarTextosControles(kIdiomaEspanol);
        opcionesPC() = {};
        // Each test its own output file: tests run side by side.
        opcionesPC().carpetaSalida = salida_.path();
        FijarRutaDispositivo({});
        sesion().Puerto = 1;
        sesion().ClaveModem = "admin";
        principal_ = std::make_unique<QWidget>();
        Abrir(kOfficeRemote812);
    }

    void TearDown() override
    {
        if (w_) {
            w_->close();
            delete w_.data();
        }
        CerrarPuerto();
        qunsetenv("TESEDRA_COM1");
        opcionesPC() = {};
    }

    void Abrir(int16_t modelo)
    {
        if (w_)
            delete w_.data();
        modelo_ = modelo;
        w_ = new fconIP(principal_.get(), [this] { return modelo_; });
        w_->show();
        w_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w_));
    }

    template <class T>
    T* hijo(const char* nombre)
    {
        T* h = w_->findChild<T*>(QString::fromLatin1(nombre));
        EXPECT_NE(h, nullptr) << nombre;
        return h;
    }
    QLineEdit* campo(const char* nombre) { return hijo<QLineEdit>(nombre); }
    QPushButton* boton(const char* nombre) { return hijo<QPushButton>(nombre); }

    void Direccion(const char* a, const char* b, const char* c, const char* d)
    {
        campo("tuIP1")->setText(QString::fromLatin1(a));
        campo("tuIP2")->setText(QString::fromLatin1(b));
        campo("tuIP3")->setText(QString::fromLatin1(c));
        campo("tuIP4")->setText(QString::fromLatin1(d));
    }
    void Comando(const char* c) { hijo<QComboBox>("comboComando")->setCurrentText(QString::fromLatin1(c)); }
    void Retardo(const char* r) { campo("tretardo")->setText(QString::fromLatin1(r)); }

    // Moves the focus from `desde` onwards as the Tab key does, and lets the
    // field rules that run once the focus has settled do so.
    void Salir(QLineEdit* desde)
    {
        desde->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        QTest::keyClick(desde, Qt::Key_Tab);
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
    }

    // Watches the run from inside it: the processing dialog up and the window disabled.
    void VigilarEjecucion()
    {
        visto_.reset();
        QTimer::singleShot(30, w_, [this] {
            visto_ = w_->Procesando() && w_->Procesando()->isVisible() && !w_->isEnabled() && w_->EnCurso();
        });
    }

    // A simulated router whose serial end is "COM1".
    sim::SimuladorRouter& Router(int16_t modelo)
    {
        sim::OpcionesSimulador o;
        o.modelo = modelo;
        o.password = "admin";
        router_ = std::make_unique<sim::SimuladorRouter>(o);
        EXPECT_TRUE(router_->iniciar());
        qputenv("TESEDRA_COM1", router_->rutaDispositivo().toLocal8Bit());
        return *router_;
    }

    // A stand-in program: a shell script in a temporary folder.
    QString Guion(const QString& nombre, const QByteArray& cuerpo)
    {
        const QString ruta = dir_.filePath(nombre);
        QFile f(ruta);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n" + cuerpo);
        f.close();
        f.setPermissions(f.permissions() | QFile::ExeOwner);
        return ruta;
    }

    DialogosPrueba dlg_;
    TiemposCortos tiempos_{10, 50, 1, 5};
    std::unique_ptr<QWidget> principal_;
    QPointer<fconIP> w_;
    int16_t modelo_ = kOfficeRemote812;
    std::unique_ptr<sim::SimuladorRouter> router_;
    std::optional<bool> visto_;
    QTemporaryDir dir_;
    QTemporaryDir salida_;
};

// ---- Loading and the command choice ------------------------------------------

TEST_F(VentanaIP, LoadSetsTextsDefaultsAndTheCommandList)
{
    EXPECT_EQ(w_->windowTitle(), L(Texto(39)));
    EXPECT_EQ(w_->findChild<QWidget*>("fdirip")->property("title").toString(), L(Texto(40)));
    EXPECT_EQ(w_->findChild<QWidget*>("fResultado")->property("title").toString(), L(Texto(41)));
    EXPECT_EQ(w_->findChild<QWidget*>("fTiempo")->property("title").toString(), L(Texto(42)));
    EXPECT_EQ(w_->findChild<QWidget*>("ldirIP")->property("text").toString(), L(Texto(43)));
    EXPECT_EQ(w_->findChild<QWidget*>("Lsegundos")->property("text").toString(), L(Texto(44)));
    EXPECT_EQ(w_->findChild<QWidget*>("lTespera")->property("text").toString(), L(Texto(45)));
    EXPECT_EQ(boton("btnEjecutarPC")->text(), L(Texto(46)));
    EXPECT_EQ(boton("btnEjecutarRouter")->text(), L(Texto(47)));
    EXPECT_EQ(boton("bSalvar")->text(), L(Texto(48)));
    EXPECT_EQ(boton("bVolver")->text(), L(Texto(49)));
    EXPECT_EQ(w_->findChild<QWidget*>("labelComando")->property("text").toString(), L(Texto(50)));

    auto* combo = hijo<QComboBox>("comboComando");
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("tracert"));
    EXPECT_EQ(combo->itemText(1), QStringLiteral("ping"));
    EXPECT_EQ(combo->currentIndex(), 0);
    for (const char* n : {"tuIP1", "tuIP2", "tuIP3", "tuIP4"}) {
        EXPECT_EQ(campo(n)->text(), QStringLiteral("0")) << n;
        EXPECT_EQ(campo(n)->maxLength(), 3) << n;
        EXPECT_FALSE(campo(n)->accessibleName().isEmpty()) << n;
    }
    EXPECT_EQ(campo("tretardo")->text(), QStringLiteral("25"));
    EXPECT_EQ(campo("tretardo")->maxLength(), 3);
    EXPECT_TRUE(hijo<QPlainTextEdit>("tInfoEstado")->toPlainText().isEmpty());
    EXPECT_TRUE(hijo<QPlainTextEdit>("tInfoEstado")->font().fixedPitch());
    EXPECT_TRUE(hijo<QPlainTextEdit>("tInfoEstado")->isReadOnly()) << "the result is saved as the command gave it";
    EXPECT_EQ(w_->Timer1()->objectName(), QStringLiteral("Timer1"));
    EXPECT_TRUE(dlg_.mensajes.empty());

    // The output file of a run from the PC lives in the program's own folder.
    opcionesPC().carpetaSalida.clear();
    EXPECT_EQ(FicheroSalidaPC(), QCoreApplication::applicationDirPath() + QStringLiteral("/tracert.tmp"));
}

TEST_F(VentanaIP, RouterButtonFollowsCommandAndModel)
{
    // 812: tracert is selected at load, so the router button is off; ping turns it on.
    EXPECT_FALSE(boton("btnEjecutarRouter")->isEnabled());
    Comando("ping");
    EXPECT_TRUE(boton("btnEjecutarRouter")->isEnabled());
    Comando("tracert");
    EXPECT_FALSE(boton("btnEjecutarRouter")->isEnabled());
    EXPECT_TRUE(boton("btnEjecutarPC")->isEnabled());

    Abrir(kEfficient5660);
    EXPECT_TRUE(boton("btnEjecutarRouter")->isEnabled());
    Comando("ping");
    EXPECT_TRUE(boton("btnEjecutarRouter")->isEnabled());
}

// ---- Field rules ---------------------------------------------------------------

TEST_F(VentanaIP, TypingALetterInAnOctetIsRefused)
{
    QLineEdit* f = campo("tuIP2");
    f->setFocus();
    f->clear();
    QTest::keyClicks(f, "1a");
    EXPECT_EQ(f->text(), QStringLiteral("1"));
    EXPECT_EQ(f->cursorPosition(), 1);
    ASSERT_EQ(dlg_.mensajes.size(), 1u);
    EXPECT_EQ(dlg_.mensajes[0].icono, IconoMensaje::Aviso);
    EXPECT_EQ(dlg_.mensajes[0].titulo, mensajes().msgFormatoNoValido);
    EXPECT_EQ(dlg_.mensajes[0].texto, mensajes().msgRango9);
    QTest::keyClicks(f, "2");
    EXPECT_EQ(f->text(), QStringLiteral("12"));
    EXPECT_EQ(dlg_.mensajes.size(), 1u);
}

TEST_F(VentanaIP, LeavingAnOctetChecksItsRange)
{
    const std::string msg255 = mensajes().msgRango255 + " " + mensajes().msgFormatoNoValido;
    struct Caso {
        const char* texto;
        const char* queda; // nullptr: refused, the focus stays
    };
    const Caso casos[] = {{"", nullptr}, {"256", nullptr}, {"999", nullptr}, {"007", "7"},
                          {"255", "255"}, {"000", "0"}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        dlg_.mensajes.clear();
        QLineEdit* f = campo("tuIP3");
        f->setText(QString::fromLatin1(c.texto));
        Salir(f);
        if (c.queda) {
            EXPECT_TRUE(dlg_.mensajes.empty());
            EXPECT_EQ(f->text(), QString::fromLatin1(c.queda));
            EXPECT_FALSE(f->hasFocus());
        } else {
            ASSERT_EQ(dlg_.mensajes.size(), 1u);
            EXPECT_EQ(dlg_.mensajes[0].titulo, "Error");
            EXPECT_EQ(dlg_.mensajes[0].texto, msg255);
            EXPECT_TRUE(f->hasFocus()) << "the focus goes back to the field";
            EXPECT_EQ(f->selectedText(), f->text());
            f->setText(QStringLiteral("1"));
        }
    }
}

TEST_F(VentanaIP, TwoWrongOctetsDoNotFightForTheFocus)
{
    campo("tuIP1")->setText(QString());
    campo("tuIP2")->setText(QString());
    Salir(campo("tuIP1"));
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();
    EXPECT_EQ(dlg_.mensajes.size(), 1u);
    EXPECT_TRUE(campo("tuIP1")->hasFocus());
}

TEST_F(VentanaIP, EnteringAFieldSelectsItsText)
{
    campo("tuIP4")->setText(QStringLiteral("123"));
    campo("tuIP3")->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    campo("tuIP4")->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(campo("tuIP4")->selectedText(), QStringLiteral("123"));
}

TEST_F(VentanaIP, WaitTimeRules)
{
    QLineEdit* r = campo("tretardo");
    r->setFocus();
    r->setText(QStringLiteral("3"));
    QTest::keyClick(r, Qt::Key_X);
    EXPECT_EQ(r->text(), QStringLiteral("3"));
    ASSERT_EQ(dlg_.mensajes.size(), 1u);
    EXPECT_EQ(dlg_.mensajes[0].titulo, mensajes().msgFormatoNoValido);
    EXPECT_EQ(dlg_.mensajes[0].texto, mensajes().msgRango999);

    // Empty, and not a number (pasted), are refused on leaving; the focus stays.
    for (const char* malo : {"", "a12", "1 2"}) {
        SCOPED_TRACE(malo);
        dlg_.mensajes.clear();
        r->setText(QString::fromLatin1(malo));
        Salir(r);
        ASSERT_EQ(dlg_.mensajes.size(), 1u);
        EXPECT_EQ(dlg_.mensajes[0].titulo, mensajes().msgFormatoNoValido);
        EXPECT_EQ(dlg_.mensajes[0].texto, mensajes().msgRango999);
        EXPECT_TRUE(r->hasFocus());
    }
    dlg_.mensajes.clear();
    r->setText(QStringLiteral("007"));
    Salir(r);
    EXPECT_TRUE(dlg_.mensajes.empty());
    EXPECT_EQ(r->text(), QStringLiteral("7"));
}

TEST_F(VentanaIP, ARunWithAWrongFieldIsRefusedAndNothingRuns)
{
    const std::string msg255 = mensajes().msgRango255 + " " + mensajes().msgFormatoNoValido;
    Abrir(kEfficient5660);
    auto& r = Router(kEfficient5660);
    Comando("ping");
    struct Caso {
        const char* octeto4;
        const char* retardo;
        std::string mensaje;
        const char* foco;
    };
    const Caso casos[] = {
        {"256", "5", msg255, "tuIP4"},
        {"1a1", "5", msg255, "tuIP4"}, // pasted text: only the last character was looked at
        {"1", "x5", mensajes().msgRango999, "tretardo"},
        {"1", "", mensajes().msgRango999, "tretardo"},
    };
    for (const char* b : {"btnEjecutarPC", "btnEjecutarRouter"}) {
        for (const auto& c : casos) {
            SCOPED_TRACE(std::string(b) + " " + c.octeto4 + " " + c.retardo);
            Direccion("127", "0", "0", "1");
            campo("tuIP4")->setText(QString::fromLatin1(c.octeto4));
            Retardo(c.retardo);
            dlg_.mensajes.clear();
            boton(b)->click();
            ASSERT_EQ(dlg_.mensajes.size(), 1u);
            EXPECT_EQ(dlg_.mensajes[0].texto, c.mensaje);
            EXPECT_TRUE(campo(c.foco)->hasFocus());
            EXPECT_EQ(w_->Proceso(), nullptr) << "no command was started";
            EXPECT_TRUE(r.lineasRecibidas().empty()) << "the router was not touched";
            EXPECT_FALSE(PuertoAbierto());
            EXPECT_TRUE(w_->isEnabled());
        }
    }
}

// ---- Runs from the PC ------------------------------------------------------------

TEST_F(VentanaIP, PingFromThePC)
{
    Comando("ping");
    Direccion("127", "0", "0", "01");
    Retardo("20");
    QFile::remove(FicheroSalidaPC());
    VigilarEjecucion();
    QElapsedTimer t;
    t.start();
    boton("btnEjecutarPC")->click();
    EXPECT_LT(t.elapsed(), 15000) << "ends with the command, well before the wait time";
    EXPECT_EQ(visto_, std::optional<bool>(true)) << "processing dialog shown, window disabled";
    EXPECT_TRUE(w_->isEnabled());
    EXPECT_FALSE(w_->Procesando()->isVisible());
    EXPECT_FALSE(w_->EnCurso());
    EXPECT_TRUE(dlg_.mensajes.empty());
    EXPECT_EQ(campo("tuIP4")->text(), QStringLiteral("1"));

    const std::string r = w_->Resultado();
    EXPECT_TRUE(contiene(r, "PING 127.0.0.1")) << r;
    EXPECT_TRUE(contiene(r, "64 bytes from 127.0.0.1")) << r;
    EXPECT_TRUE(contiene(r, "4 packets transmitted, 4 received")) << r;
    EXPECT_TRUE(contiene(r, " ms\r\n")) << "the last character of a line is kept";
    EXPECT_FALSE(contiene(r, "\r\n\r\n")) << "no empty lines";
    EXPECT_FALSE(contiene(r, "\n\n"));

    // What is shown is the output file, as loaded.
    std::string esperado;
    ASSERT_TRUE(CargarFichero(FicheroSalidaPC(), esperado));
    EXPECT_EQ(r, esperado);
    EXPECT_FALSE(w_->Timer1()->isActive());
}

TEST_F(VentanaIP, TraceFromThePCIncludesStandardError)
{
    // A stand-in that writes to both channels, to see that both reach the file.
    opcionesPC().traceroute =
        Guion(QStringLiteral("traceroute"), "echo \"traceroute to $4, $3 hops max\"\necho \"warning: $1\" >&2\n");
    Comando("tracert");
    Direccion("10", "9", "8", "7");
    Retardo("10");
    boton("btnEjecutarPC")->click();
    EXPECT_EQ(w_->Resultado(), "traceroute to 10.9.8.7, 5 hops max\r\nwarning: -n\r\n");

    // And the system's own route trace to the loopback address.
    opcionesPC().traceroute.clear();
    Direccion("127", "0", "0", "1");
    boton("btnEjecutarPC")->click();
    EXPECT_TRUE(contiene(w_->Resultado(), "traceroute to 127.0.0.1")) << w_->Resultado();
    EXPECT_TRUE(contiene(w_->Resultado(), "5 hops max")) << w_->Resultado();
}

TEST_F(VentanaIP, WaitTimeEndsACommandThatRunsOn)
{
    opcionesPC().ping = Guion(QStringLiteral("ping"), "echo \"PING $3 from a slow stand-in\"\nexec sleep 30\n");
    Comando("ping");
    Direccion("10", "0", "0", "1");
    Retardo("2");
    QElapsedTimer t;
    t.start();
    const double cpu = SegundosCpu();
    boton("btnEjecutarPC")->click();
    const qint64 ms = t.elapsed();
    EXPECT_GE(ms, 1950);
    EXPECT_LT(ms, 4000);
    EXPECT_LT(SegundosCpu() - cpu, 0.5) << "the wait sleeps in an event loop, it does not spin";
    EXPECT_TRUE(w_->isEnabled());
    EXPECT_FALSE(w_->Procesando()->isVisible());
    ASSERT_NE(w_->Proceso(), nullptr);
    const qint64 pid = w_->Proceso()->dwProcessId();
    // The end, reported by the next poll, has come before the run returns, and
    // the file is shown: no end of this run can turn up in a later one.
    EXPECT_FALSE(w_->Proceso()->Ejecutando());
    EXPECT_FALSE(w_->EnCurso());
    EXPECT_TRUE(contiene(w_->Resultado(), "PING 10.0.0.1 from a slow stand-in")) << w_->Resultado();
    EXPECT_NE(::kill(static_cast<pid_t>(pid), 0), 0) << "the command was ended";

    // A wait time of 0 still lets the command run for one poll.
    Retardo("0");
    t.restart();
    boton("btnEjecutarPC")->click();
    EXPECT_GE(t.elapsed(), 90);
    EXPECT_LT(t.elapsed(), 1500);
    EXPECT_FALSE(w_->Proceso()->Ejecutando());
}

TEST_F(VentanaIP, CancelEndsACommandRunOnThePC)
{
    opcionesPC().ping = Guion(QStringLiteral("ping"), "echo \"PING $3 before the cancel\"\nexec sleep 30\n");
    Comando("ping");
    Direccion("10", "0", "0", "9");
    Retardo("120");
    dlg_.respuestasSiNo = {false, true};
    QTimer vigia;
    QElapsedTimer enMarcha;
    QObject::connect(&vigia, &QTimer::timeout, [&] {
        if (!w_->Proceso() || !w_->Proceso()->Ejecutando())
            return;
        if (!enMarcha.isValid())
            enMarcha.start();
        // First answered No (the command runs on), then Yes.
        if (enMarcha.elapsed() > 300 && dlg_.preguntas.size() < 2)
            w_->Procesando()->Command1_Click();
    });
    vigia.start(100);
    QElapsedTimer t;
    t.start();
    boton("btnEjecutarPC")->click();
    vigia.stop();
    EXPECT_LT(t.elapsed(), 6000) << "the 120 s wait time was not waited for";
    EXPECT_EQ(dlg_.preguntas.size(), 2u);
    ASSERT_NE(w_->Proceso(), nullptr);
    EXPECT_FALSE(w_->Proceso()->Ejecutando());
    EXPECT_FALSE(w_->EnCurso());
    EXPECT_TRUE(w_->isEnabled());
    EXPECT_FALSE(w_->Procesando()->isVisible());
    EXPECT_TRUE(contiene(w_->Resultado(), "PING 10.0.0.9 before the cancel")) << w_->Resultado();
    EXPECT_TRUE(dlg_.mensajes.empty());
}

TEST_F(VentanaIP, ARouterRunRightAfterAnEndedPCRunStaysBusyThroughout)
{
    Abrir(kEfficient5660);
    Router(kEfficient5660);
    opcionesPC().ping = Guion(QStringLiteral("ping"), "exec sleep 30\n");
    Comando("ping");
    Direccion("10", "0", "0", "6");
    Retardo("1");
    boton("btnEjecutarPC")->click();

    // At once a router run: nothing of the PC run may end its busy state.
    Retardo("20");
    bool enRouter = false;
    bool libre = false;
    QTimer vigia;
    QObject::connect(&vigia, &QTimer::timeout, [&] {
        if (enRouter && (!w_->EnCurso() || w_->isEnabled()))
            libre = true;
    });
    vigia.start(5);
    enRouter = true;
    boton("btnEjecutarRouter")->click();
    enRouter = false;
    EXPECT_FALSE(libre) << "the window was usable in the middle of the router run";
    EXPECT_TRUE(contiene(w_->Resultado(), "64 bytes from 10.0.0.6")) << w_->Resultado();
    EXPECT_TRUE(w_->isEnabled());
}

TEST_F(VentanaIP, AProgramThatCannotStartLeavesTheWindowUsable)
{
    opcionesPC().ping = dir_.filePath(QStringLiteral("no-such-ping"));
    Comando("ping");
    Direccion("127", "0", "0", "1");
    hijo<QPlainTextEdit>("tInfoEstado")->setPlainText(QStringLiteral("old"));
    boton("btnEjecutarPC")->click();
    ASSERT_EQ(dlg_.mensajes.size(), 1u);
    EXPECT_EQ(dlg_.mensajes[0].titulo, "Error");
    EXPECT_TRUE(contiene(dlg_.mensajes[0].texto, "no-such-ping: ")) << dlg_.mensajes[0].texto;
    EXPECT_TRUE(w_->isEnabled());
    EXPECT_FALSE(w_->Procesando()->isVisible());
    EXPECT_FALSE(w_->EnCurso());
    EXPECT_FALSE(w_->Timer1()->isActive());

    // The next run works.
    opcionesPC().ping.clear();
    Retardo("10");
    boton("btnEjecutarPC")->click();
    EXPECT_TRUE(contiene(w_->Resultado(), "64 bytes from 127.0.0.1")) << w_->Resultado();
}

// ---- Runs from the router ----------------------------------------------------------

TEST_F(VentanaIP, PingAndTraceFromThe5660)
{
    Abrir(kEfficient5660);
    auto& r = Router(kEfficient5660);
    Comando("ping");
    Direccion("10", "0", "0", "1");
    Retardo("20");
    VigilarEjecucion();
    boton("btnEjecutarRouter")->click();
    EXPECT_EQ(visto_, std::optional<bool>(true));
    EXPECT_TRUE(w_->isEnabled());
    EXPECT_FALSE(PuertoAbierto()) << "the port is closed after the run";
    EXPECT_TRUE(dlg_.mensajes.empty());
    EXPECT_EQ(r.lineasRecibidas().back(), "ping 10.0.0.1");
    std::string res = w_->Resultado();
    EXPECT_TRUE(contiene(res, "PING 10.0.0.1: 56 data bytes\r\n")) << res;
    EXPECT_TRUE(contiene(res, "64 bytes from 10.0.0.1: icmp_seq=3")) << res;
    EXPECT_TRUE(contiene(res, "4 packets transmitted")) << res;
    EXPECT_FALSE(contiene(res, "Command->")) << "the closing prompt adds nothing";

    Comando("tracert");
    boton("btnEjecutarRouter")->click();
    EXPECT_EQ(r.lineasRecibidas().back(), "traceroute 10.0.0.1");
    res = w_->Resultado();
    EXPECT_TRUE(contiene(res, "traceroute to 10.0.0.1")) << res;
    EXPECT_TRUE(contiene(res, " 5  10.0.0.1 ")) << res;
    EXPECT_FALSE(contiene(res, "PING")) << "each run replaces the result";
    EXPECT_FALSE(contiene(res, "Command->"));
}

TEST_F(VentanaIP, TheWaitTimeLimitsA5660Trace)
{
    Abrir(kEfficient5660);
    auto& r = Router(kEfficient5660);
    Comando("tracert");
    Direccion("10", "0", "0", "2");
    Retardo("1");
    QElapsedTimer t;
    QTimer vigia;
    QObject::connect(&vigia, &QTimer::timeout, [&] {
        const auto& l = r.lineasRecibidas();
        if (!t.isValid() && std::find(l.begin(), l.end(), "traceroute 10.0.0.2") != l.end())
            t.start();
    });
    vigia.start(10);
    boton("btnEjecutarRouter")->click();
    ASSERT_TRUE(t.isValid());
    EXPECT_LT(t.elapsed(), 3000) << "the trace takes 4 s; the run ends at its 1 s limit";
    const std::string res = w_->Resultado();
    EXPECT_TRUE(contiene(res, "traceroute to 10.0.0.2")) << res;
    EXPECT_FALSE(contiene(res, " 5  10.0.0.2 ")) << "cut short by the time limit: " << res;
    EXPECT_FALSE(PuertoAbierto());
}

TEST_F(VentanaIP, PingFromThe812WaitsTheWholeWaitTime)
{
    auto& r = Router(kOfficeRemote812);
    Comando("ping");
    Direccion("10", "0", "0", "3");
    Retardo("5");
    QElapsedTimer t;
    bool comandoVisto = false;
    qint64 desdeComando = 0;
    QTimer vigia;
    QObject::connect(&vigia, &QTimer::timeout, [&] {
        const auto& l = r.lineasRecibidas();
        if (!comandoVisto && !l.empty() && l.back() == "ping 10.0.0.3") {
            comandoVisto = true;
            t.start();
        }
    });
    vigia.start(20);
    boton("btnEjecutarRouter")->click();
    ASSERT_TRUE(comandoVisto);
    desdeComando = t.elapsed();
    EXPECT_GE(desdeComando, 5000) << "the whole wait time after the command";
    EXPECT_LT(desdeComando, 9000);
    const std::string res = w_->Resultado();
    EXPECT_TRUE(contiene(res, "Pinging 10.0.0.3")) << res;
    // The replies that come after the prompt are picked up by the final read.
    EXPECT_TRUE(contiene(res, "Reply from 10.0.0.3: bytes=64 time=40 ms")) << res;
    EXPECT_TRUE(contiene(res, "Ping statistics for 10.0.0.3")) << res;
    EXPECT_FALSE(PuertoAbierto());
    EXPECT_TRUE(w_->isEnabled());
}

TEST_F(VentanaIP, CancelEndsThe812WaitAtOnce)
{
    auto& r = Router(kOfficeRemote812);
    Comando("ping");
    Direccion("10", "0", "0", "4");
    Retardo("120");
    dlg_.respuestasSiNo = {true};
    QTimer vigia;
    QElapsedTimer t;
    bool cancelado = false;
    QObject::connect(&vigia, &QTimer::timeout, [&] {
        const auto& l = r.lineasRecibidas();
        if (!t.isValid() && !l.empty() && l.back() == "ping 10.0.0.4")
            t.start();
        // Well inside the wait after the command, press the dialog's cancel.
        if (!cancelado && t.isValid() && t.elapsed() > 1500) {
            cancelado = true;
            w_->Procesando()->Command1_Click();
        }
    });
    vigia.start(20);
    QElapsedTimer total;
    total.start();
    boton("btnEjecutarRouter")->click();
    ASSERT_TRUE(cancelado);
    EXPECT_LT(total.elapsed(), 20000) << "the 120 s wait ended with the cancel";
    EXPECT_LT(t.elapsed(), 4000);
    EXPECT_EQ(dlg_.preguntas.size(), 1u);
    EXPECT_TRUE(w_->isEnabled());
    EXPECT_FALSE(w_->Procesando()->isVisible());
    EXPECT_FALSE(PuertoAbierto());
    EXPECT_TRUE(contiene(w_->Resultado(), "Pinging 10.0.0.4")) << w_->Resultado();
}

TEST_F(VentanaIP, CancelWhileThe812CommandRunsSkipsTheWait)
{
    auto& r = Router(kOfficeRemote812);
    // A reply that holds its prompt back for a long while.
    r.fijarRespuesta("ping 10.0.0.5", "Pinging 10.0.0.5 with 64 bytes of data\n@pausa 8000\nlate\n");
    Comando("ping");
    Direccion("10", "0", "0", "5");
    Retardo("120");
    dlg_.respuestasSiNo = {true};
    QElapsedTimer t;
    QTimer vigia;
    QObject::connect(&vigia, &QTimer::timeout, [&] {
        const auto& l = r.lineasRecibidas();
        if (!t.isValid() && !l.empty() && l.back() == "ping 10.0.0.5")
            t.start();
        if (t.isValid() && t.elapsed() > 1000 && dlg_.preguntas.empty())
            w_->Procesando()->Command1_Click();
    });
    vigia.start(20);
    boton("btnEjecutarRouter")->click();
    ASSERT_TRUE(t.isValid());
    EXPECT_LT(t.elapsed(), 5000) << "neither the reply nor the 120 s wait was waited for";
    EXPECT_EQ(dlg_.preguntas.size(), 1u);
    EXPECT_TRUE(w_->isEnabled());
    EXPECT_FALSE(PuertoAbierto());
}

TEST_F(VentanaIP, CancelDuringTheRouterLogOnEndsTheRunAndTheNextOneWorks)
{
    // A router that never answers: the log-on would wait for its whole limit.
    sim::OpcionesSimulador o;
    o.modelo = kOfficeRemote812;
    o.password = "admin";
    o.silencioso = true;
    router_ = std::make_unique<sim::SimuladorRouter>(o);
    ASSERT_TRUE(router_->iniciar());
    qputenv("TESEDRA_COM1", router_->rutaDispositivo().toLocal8Bit());
    tiempos().limiteAccesoS = 60;
    Comando("ping");
    Direccion("10", "0", "0", "7");
    dlg_.respuestasSiNo = {true};
    bool pulsado = false;
    QTimer vigia;
    QObject::connect(&vigia, &QTimer::timeout, [&] {
        if (!pulsado && w_->Procesando()->isVisible() && PuertoAbierto()) {
            pulsado = true;
            w_->Procesando()->Command1_Click();
        }
    });
    vigia.start(50);
    QElapsedTimer t;
    t.start();
    boton("btnEjecutarRouter")->click();
    vigia.stop();
    ASSERT_TRUE(pulsado);
    EXPECT_LT(t.elapsed(), 10000) << "the 60 s log-on limit was not waited for";
    EXPECT_EQ(dlg_.preguntas.size(), 1u);
    for (const auto& m : dlg_.mensajes)
        EXPECT_FALSE(contiene(m.texto, mensajes().msgTiempoModem)) << m.texto;
    EXPECT_TRUE(w_->Resultado().empty());
    EXPECT_TRUE(w_->isEnabled());
    EXPECT_FALSE(w_->EnCurso());
    EXPECT_FALSE(w_->Procesando()->isVisible());
    EXPECT_FALSE(PuertoAbierto());

    // Usable again: with a router that answers, the next run goes through.
    Router(kOfficeRemote812);
    Retardo("0");
    boton("btnEjecutarRouter")->click();
    EXPECT_TRUE(contiene(w_->Resultado(), "10.0.0.7")) << w_->Resultado();
}

TEST_F(VentanaIP, CancelDuringA5660TraceEndsTheRunAtOnce)
{
    Abrir(kEfficient5660);
    auto& r = Router(kEfficient5660);
    // A trace whose prompt is held back far longer than the test may wait.
    r.fijarRespuesta("traceroute 10.0.0.8", "traceroute to 10.0.0.8, 5 hops max\n@pausa 60000\nlate\n");
    Comando("tracert");
    Direccion("10", "0", "0", "8");
    Retardo("120");
    dlg_.respuestasSiNo = {true};
    QElapsedTimer t;
    QTimer vigia;
    QObject::connect(&vigia, &QTimer::timeout, [&] {
        const auto& l = r.lineasRecibidas();
        if (!t.isValid() && !l.empty() && l.back() == "traceroute 10.0.0.8")
            t.start();
        if (t.isValid() && t.elapsed() > 500 && dlg_.preguntas.empty())
            w_->Procesando()->Command1_Click();
    });
    vigia.start(20);
    boton("btnEjecutarRouter")->click();
    vigia.stop();
    ASSERT_TRUE(t.isValid());
    EXPECT_LT(t.elapsed(), 5000) << "neither the held prompt nor the 120 s limit was waited for";
    EXPECT_EQ(dlg_.preguntas.size(), 1u);
    EXPECT_TRUE(dlg_.mensajes.empty()) << dlg_.mensajes[0].texto;
    EXPECT_TRUE(w_->isEnabled());
    EXPECT_FALSE(w_->Procesando()->isVisible());
    EXPECT_FALSE(PuertoAbierto());
}

TEST_F(VentanaIP, ARouterThatCannotBeReachedLeavesTheWindowUsable)
{
    Abrir(kEfficient5660);
    qputenv("TESEDRA_COM1", QFile::encodeName(dir_.filePath(QStringLiteral("no-such-port"))));
    Comando("ping");
    boton("btnEjecutarRouter")->click();
    ASSERT_EQ(dlg_.mensajes.size(), 1u);
    EXPECT_TRUE(contiene(dlg_.mensajes[0].texto, mensajes().msgErrConfModem)) << dlg_.mensajes[0].texto;
    EXPECT_TRUE(w_->isEnabled());
    EXPECT_FALSE(w_->Procesando()->isVisible());
    EXPECT_TRUE(w_->Resultado().empty());
}

// ---- Saving and closing ------------------------------------------------------------

TEST_F(VentanaIP, SavingWritesTheResultText)
{
    QTemporaryDir carpeta;
    ASSERT_TRUE(carpeta.isValid());
    const QString ruta = carpeta.filePath(QStringLiteral("ping.txt"));
    hijo<QPlainTextEdit>("tInfoEstado")->setPlainText(QStringLiteral("PING 1\nr\u00e1pido"));
    EXPECT_EQ(w_->Resultado(), "PING 1\r\nr\xE1pido");

    dlg_.respuestasGuardar = {std::nullopt};
    boton("bSalvar")->click();
    EXPECT_FALSE(QFile::exists(ruta)) << "cancelled: nothing written";
    EXPECT_TRUE(dlg_.mensajes.empty());

    dlg_.respuestasGuardar = {ruta};
    boton("bSalvar")->click();
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("PING 1\r\nr\xE1pido\r\n"));
    ASSERT_EQ(dlg_.carpetasIniciales.size(), 2u);
    EXPECT_EQ(QDir(dlg_.carpetasIniciales[1]).absolutePath(),
              QDir(QCoreApplication::applicationDirPath()).absolutePath());
}

TEST_F(VentanaIP, BackShowsTheMainWindowAndAClosingDuringARunIsRefused)
{
    principal_->hide();
    opcionesPC().ping = Guion(QStringLiteral("ping"), "exec sleep 30\n");
    Comando("ping");
    Retardo("1");
    bool cerrado = true;
    QTimer::singleShot(200, w_, [&] { cerrado = w_->close(); });
    boton("btnEjecutarPC")->click();
    EXPECT_FALSE(cerrado) << "closing is refused while the run is under way";
    ASSERT_TRUE(w_);
    EXPECT_TRUE(esperarHasta([&] { return !w_->Proceso()->Ejecutando(); }, 2000));

    boton("bVolver")->click();
    EXPECT_TRUE(principal_->isVisible());
    EXPECT_TRUE(esperarHasta([&] { return w_.isNull(); }, 2000));
}

} // namespace
