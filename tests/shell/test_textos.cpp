// The two text tables and the message boxes.
#include "DialogosPrueba.h"
#include "base/Idiomas.h"

#include <gtest/gtest.h>

using namespace tesedra;

TEST(Textos, SpanishSetIsSingleByteAndComplete)
{
    CargarTextosControles(kIdiomaEspanol);
    CargarMensajes(kIdiomaEspanol);
    EXPECT_EQ(Texto(7), "Tesedra v.1.0");
    EXPECT_EQ(Texto(10), Texto(7));
    EXPECT_EQ(Texto(3), "Provisi\xF3n/Gesti\xF3n");
    EXPECT_EQ(Texto(57), "Velocidad \"Downstream\" en la l\xEDnea ADSL:");
    EXPECT_EQ(Texto(90), "Documento de texto (*.txt)|*.txt");
    EXPECT_EQ(mensajes().msgClaveNoValida, "La clave introducida no es v\xE1lida");
    EXPECT_NE(mensajes().msgCancelarConsulta.find(". \xBF" "Desea"), std::string::npos);
    for (int n = 1; n <= 91; ++n) {
        if (n == 85)
            EXPECT_TRUE(Texto(n).empty());
        else
            EXPECT_FALSE(Texto(n).empty()) << "caption " << n;
    }
}

TEST(Textos, EnglishKeepsCaption38AndUnknownCodeChangesNothing)
{
    CargarTextosControles(kIdiomaEspanol);
    CargarTextosControles(kIdiomaIngles);
    EXPECT_EQ(Texto(38), "Selecci\xF3n de par\xE1metros ATM");
    EXPECT_EQ(Texto(21), "&Sincronization");
    EXPECT_EQ(Texto(10), "Tesedra v.1.0");
    CargarMensajes(kIdiomaIngles);
    EXPECT_EQ(mensajes().msgClaveNoValida, "Wrong profile password");
    CargarTextosControles(2);
    CargarMensajes(2);
    EXPECT_EQ(Texto(21), "&Sincronization");
    EXPECT_EQ(mensajes().msgClaveNoValida, "Wrong profile password");
    CargarTextosControles(kIdiomaEspanol);
    CargarMensajes(kIdiomaEspanol);
    EXPECT_EQ(Texto(21), "&Sincronizaci\xF3n");
}

TEST(Textos, MessageBoxTitles)
{
    DialogosPrueba d;
    MostrarError("uno", "");
    MostrarError("dos", "Aviso");
    MostrarInformacion("tres", "");
    ASSERT_EQ(d.mensajes.size(), 3u);
    EXPECT_EQ(d.mensajes[0].titulo, "Error");
    EXPECT_EQ(d.mensajes[0].icono, IconoMensaje::Aviso);
    EXPECT_EQ(d.mensajes[1].titulo, "Aviso");
    EXPECT_EQ(d.mensajes[2].titulo, TituloAplicacion());
    EXPECT_EQ(d.mensajes[2].icono, IconoMensaje::Informacion);
}
