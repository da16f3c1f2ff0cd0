#!/usr/bin/env python3
"""Renames functions and methods across the C++ sources of the tree.

    scripts/renombrar.py candidatos [--raiz DIR]
        Lists the functions and methods declared with a lower-case first letter
        (at namespace or class scope) as "old New" lines, with where each is
        declared and what to look at before keeping it: the start of a list for
        scripts/renombres.txt, to be reviewed by hand.

    scripts/renombrar.py aplicar [--raiz DIR] [--lista FILE] [--prueba]
        Applies the renames of the list (default scripts/renombres.txt) to every
        .cpp and .h file of the tree (tests/ and bench/ included; build folders and
        .git left out). Only code is touched: comments, string and character
        literals and #include lines stay as they are, but for a comment that
        names a function as code does ("abierto()", "Clase::abierto"). An identifier of the list is
        renamed where it names a function: a declaration or definition, a call
        "nombre(", a member call "x.nombre(" / "p->nombre(", a qualified name
        "Clase::nombre" (as in "&Clase::nombre"), or a bare use of a name that is
        nowhere a variable (a function passed by name). It is left alone where a
        variable or parameter of the same spelling is in scope, where it is a data
        member, and in member calls of a name that is also some class's data
        member (a pointer to function). Names that no longer occur are skipped, so
        the list can be applied to a later tree. --prueba only reports.

List format: one "old new" pair a line; "#" starts a comment.
"""

from __future__ import annotations

import argparse
import collections
import os
import re
import sys
from dataclasses import dataclass

EXTENSIONES = (".cpp", ".h")
CARPETAS_FUERA = {".git", "build"}

# ---------------------------------------------------------------------------
# A small C++ lexer: enough to tell code from comments and literals.
# ---------------------------------------------------------------------------


@dataclass
class Token:
    tipo: str      # "id", "num", "punt", "texto" (string/char literal), "comentario", "include", "espacio"
    texto: str
    linea: int


_PUNTUACION = ["::", "->", "<<", ">>", "<=", ">=", "==", "!=", "&&", "||", "++", "--", "+=", "-=", "*=",
               "/=", "%=", "&=", "|=", "^=", "##"]
_PREFIJOS_CRUDOS = {"R", "LR", "uR", "UR", "u8R"}
_PREFIJOS_TEXTO = {"L", "u", "U", "u8"}


def Lexico(fuente: str) -> list[Token]:
    tokens: list[Token] = []
    i = 0
    n = len(fuente)
    linea = 1
    inicioLinea = True  # only blanks since the last line end: a "#" starts a directive

    def Emitir(tipo: str, desde: int, hasta: int) -> None:
        nonlocal linea
        texto = fuente[desde:hasta]
        tokens.append(Token(tipo, texto, linea))
        linea += texto.count("\n")

    while i < n:
        c = fuente[i]
        if c in " \t\r\n\f\v" or (c == "\\" and i + 1 < n and fuente[i + 1] == "\n"):
            j = i
            while j < n and (fuente[j] in " \t\r\n\f\v" or (fuente[j] == "\\" and j + 1 < n and fuente[j + 1] == "\n")):
                if fuente[j] == "\n":
                    inicioLinea = True
                j += 1
            Emitir("espacio", i, j)
            i = j
            continue
        if fuente.startswith("//", i):
            j = fuente.find("\n", i)
            j = n if j < 0 else j
            Emitir("comentario", i, j)
            i = j
            continue
        if fuente.startswith("/*", i):
            j = fuente.find("*/", i + 2)
            j = n if j < 0 else j + 2
            Emitir("comentario", i, j)
            i = j
            continue
        if c == "#" and inicioLinea:
            m = re.match(r"#[ \t]*include\b[^\n]*", fuente[i:])
            if m:
                Emitir("include", i, i + m.end())
                i += m.end()
                continue
            Emitir("punt", i, i + 1)
            i += 1
            inicioLinea = False
            continue
        inicioLinea = False
        if c.isalpha() or c == "_":
            j = i
            while j < n and (fuente[j].isalnum() or fuente[j] == "_"):
                j += 1
            palabra = fuente[i:j]
            if j < n and fuente[j] == '"' and palabra in _PREFIJOS_CRUDOS:
                m = re.match(r'"([^()\\ \t\n]{0,16})\(', fuente[j:])
                if m:
                    fin = fuente.find(")" + m.group(1) + '"', j + m.end())
                    fin = n if fin < 0 else fin + len(m.group(1)) + 2
                    Emitir("texto", i, fin)
                    i = fin
                    continue
            if j < n and fuente[j] in "\"'" and palabra in _PREFIJOS_TEXTO:
                fin = _FinLiteral(fuente, j)
                Emitir("texto", i, fin)
                i = fin
                continue
            Emitir("id", i, j)
            i = j
            continue
        if c.isdigit() or (c == "." and i + 1 < n and fuente[i + 1].isdigit()):
            j = i + 1
            while j < n:
                d = fuente[j]
                if d.isalnum() or d in "._":
                    j += 1
                elif d == "'" and j + 1 < n and fuente[j + 1].isalnum():
                    j += 1  # digit separator
                elif d in "+-" and fuente[j - 1] in "eEpP":
                    j += 1
                else:
                    break
            Emitir("num", i, j)
            i = j
            continue
        if c in "\"'":
            fin = _FinLiteral(fuente, i)
            Emitir("texto", i, fin)
            i = fin
            continue
        for p in _PUNTUACION:
            if fuente.startswith(p, i):
                Emitir("punt", i, i + len(p))
                i += len(p)
                break
        else:
            Emitir("punt", i, i + 1)
            i += 1
    return tokens


def _FinLiteral(fuente: str, i: int) -> int:
    comilla = fuente[i]
    j = i + 1
    while j < len(fuente):
        if fuente[j] == "\\":
            j += 2
            continue
        if fuente[j] == comilla or fuente[j] == "\n":
            return j + 1
        j += 1
    return len(fuente)


def Codigo(tokens: list[Token]) -> list[int]:
    """Indices of the tokens that are code (no blanks, comments, literals, includes)."""
    return [k for k, t in enumerate(tokens) if t.tipo in ("id", "num", "punt")]


# ---------------------------------------------------------------------------
# The files of the tree.
# ---------------------------------------------------------------------------


def Ficheros(raiz: str) -> list[str]:
    salida = []
    for carpeta, subcarpetas, nombres in os.walk(raiz):
        subcarpetas[:] = sorted(s for s in subcarpetas
                                if s not in CARPETAS_FUERA and not s.startswith("build-") and not s.startswith("."))
        for nombre in sorted(nombres):
            if nombre.endswith(EXTENSIONES):
                salida.append(os.path.join(carpeta, nombre))
    return salida


def Leer(ruta: str) -> str:
    # Sources may hold single-byte Latin-1 text in comments; latin-1 keeps every byte.
    with open(ruta, "rb") as f:
        return f.read().decode("latin-1")


def Escribir(ruta: str, texto: str) -> None:
    with open(ruta, "wb") as f:
        f.write(texto.encode("latin-1"))


# ---------------------------------------------------------------------------
# What each identifier is: a scope-aware pass over the code tokens of a file.
# ---------------------------------------------------------------------------

# Tokens that cannot be the last token of a type before a declared name.
_NO_ES_TIPO = {"return", "else", "new", "delete", "case", "throw", "goto", "co_return", "co_await", "co_yield",
               "emit", "sizeof", "alignof", "decltype", "typeid", "not", "and", "or", "do", "class", "struct",
               "union", "enum", "namespace", "using", "typedef", "public", "private", "protected", "template",
               "typename", "operator", "define", "if", "ifdef", "ifndef", "elif", "undef", "pragma"}
_FIN_DE_TIPO = {">", "*", "&", "&&"}
# What follows a declared variable, parameter or field.
_TRAS_VARIABLE = {"=", ";", ",", ")", "{", "[", ":"}
_CALIFICADORES_FINALES = {"const", "override", "final", "noexcept", "mutable", "volatile", "&", "&&"}


def _EsFinDeTipo(t: Token | None) -> bool:
    if t is None:
        return False
    if t.tipo == "id":
        return t.texto not in _NO_ES_TIPO
    return t.texto in _FIN_DE_TIPO


@dataclass
class Uso:
    indice: int          # index in the file's token list
    nombre: str
    linea: int
    clase: str           # "funcion" (declared), "variable" (declared), "llamada", "miembro",
                         # "campo" (member access without call), "calificado", "tapado" (a variable
                         # in scope has the spelling), "suelto" (bare, not called)
    ambito: str = ""     # for declarations: "espacio", "clase" or "bloque"
    sobrescribe: bool = False
    virtual: bool = False



def _AmbitoVariable(x, parametro, ambito, en_bloque, ambitos, fichero, pendientes):
    """Where a variable named x is declared, noting it in the set of that scope."""
    if parametro:
        pendientes.add(x)
        return "parametro"
    if ambito == "clase":
        return "clase"
    if en_bloque:
        ambitos[-1][1].add(x)
        return "bloque"
    fichero.add(x)
    return "espacio"

def Analizar(tokens: list[Token]) -> list[Uso]:
    """Classifies every identifier of the code."""
    indices = Codigo(tokens)
    cod = [tokens[k] for k in indices]
    usos: list[Uso] = []
    ambitos: list[tuple[str, set[str]]] = [("espacio", set())]
    fichero: set[str] = set()        # variables at namespace scope: seen from the whole file
    pendientes: set[str] = set()     # names declared inside parentheses, for the block that follows
    parentesis = 0
    inicio = 0                       # first token of the current statement
    i = 0
    while i < len(cod):
        t = cod[i]
        x = t.texto
        if t.tipo == "punt":
            if x == "#" and (i == 0 or cod[i - 1].linea != t.linea):
                # A directive: its words are not declarations (a macro body still is code).
                j = i + 1
                if j < len(cod) and cod[j].texto == "define":
                    i = j + 2  # the macro name; its parameters and body are read as code
                    continue
                while j < len(cod) and cod[j].linea == t.linea:
                    j += 1
                # A line continued with a backslash ends where the lexer's line count says.
                i = j
                continue
            if x == "(":
                parentesis += 1
            elif x == ")":
                parentesis = max(0, parentesis - 1)
            elif x == "{":
                previos = [c.texto for c in cod[inicio:i]]
                if parentesis:
                    tipo = "bloque"
                elif "namespace" in previos or previos[:1] == ["extern"]:
                    tipo = "espacio"
                elif "enum" in previos:
                    tipo = "enumeracion"
                elif any(p in ("class", "struct", "union") for p in previos) and "(" not in previos \
                        and "=" not in previos:
                    tipo = "clase"
                else:
                    tipo = "bloque"
                ambitos.append((tipo, pendientes if tipo == "bloque" else set()))
                pendientes = set()
                inicio = i + 1
            elif x == "}":
                if len(ambitos) > 1:
                    ambitos.pop()
                if not parentesis:
                    inicio = i + 1
            elif x == ";" and not parentesis:
                pendientes = set()
                inicio = i + 1
            elif x == ":" and i > 0 and cod[i - 1].texto in ("public", "private", "protected", "signals", "slots",
                                                              "Q_SIGNALS", "Q_SLOTS") and not parentesis:
                inicio = i + 1
            i += 1
            continue
        if t.tipo != "id" or x in PALABRAS_CLAVE:
            i += 1
            continue

        anterior = cod[i - 1] if i > 0 else None
        siguiente = cod[i + 1].texto if i + 1 < len(cod) else ""
        ambito = ambitos[-1][0]
        en_bloque = any(a[0] == "bloque" for a in ambitos)
        uso = Uso(indices[i], x, t.linea, "")

        if anterior is not None and anterior.texto in (".", "->"):
            uso.clase = "miembro" if siguiente == "(" else "campo"
        elif anterior is not None and anterior.texto == "::":
            # Clase::nombre( after a type at declaration scope is a definition.
            j = i - 2
            while j - 1 >= 0 and cod[j - 1].texto == "::":
                j -= 2
            antes = cod[j - 1] if j - 1 >= inicio else None
            if not en_bloque and not parentesis and siguiente == "(" and (_EsFinDeTipo(antes) or antes is None
                                                                          or (antes and antes.texto == "~")):
                uso.clase = "funcion"
                uso.ambito = ambito
            else:
                uso.clase = "calificado"
        elif _EsFinDeTipo(anterior) and i > inicio and siguiente == "(" and not en_bloque and not parentesis:
            uso.clase = "funcion"
            uso.ambito = ambito
        elif (anterior is not None and anterior.texto == "*" and i >= 2 and cod[i - 2].texto == "("
              and siguiente == ")" and i + 2 < len(cod) and cod[i + 2].texto in ("(", "[")):
            # A pointer to a function (or to an array): "int (*nombre)(...)".
            uso.clase = "variable"
            uso.ambito = _AmbitoVariable(x, False, ambito, en_bloque, ambitos, fichero, pendientes)
        elif (_EsFinDeTipo(anterior) and i > inicio
              and (siguiente in _TRAS_VARIABLE or (siguiente == "(" and anterior.tipo == "id"
                                                   and en_bloque and not parentesis))):
            uso.clase = "variable"
            uso.ambito = _AmbitoVariable(x, parentesis, ambito, en_bloque, ambitos, fichero, pendientes)
        elif x in fichero or any(x in a[1] for a in ambitos) or x in pendientes:
            uso.clase = "tapado"
        elif siguiente == "(":
            uso.clase = "llamada"
        else:
            uso.clase = "suelto"

        if uso.clase == "funcion":
            # What follows the parameter list: override / final; before the name: virtual.
            nivel = 0
            j = i + 1
            while j < len(cod):
                if cod[j].texto == "(":
                    nivel += 1
                elif cod[j].texto == ")":
                    nivel -= 1
                    if nivel == 0:
                        break
                j += 1
            resto = []
            j += 1
            while j < len(cod) and cod[j].texto not in (";", "{", "=", ":"):
                resto.append(cod[j].texto)
                j += 1
            uso.sobrescribe = "override" in resto or "final" in resto
            uso.virtual = "virtual" in [c.texto for c in cod[inicio:i]]
        usos.append(uso)
        i += 1
    return usos


# ---------------------------------------------------------------------------
# aplicar
# ---------------------------------------------------------------------------


def LeerLista(ruta: str) -> dict[str, str]:
    renombres: dict[str, str] = {}
    identificador = re.compile(r"^[A-Za-z_]\w*$")
    with open(ruta, encoding="utf-8") as f:
        for numero, linea in enumerate(f, 1):
            linea = linea.split("#", 1)[0].strip()
            if not linea:
                continue
            partes = linea.split()
            if len(partes) != 2 or not all(identificador.match(p) for p in partes):
                sys.exit(f"{ruta}:{numero}: expected \"old new\", got: {linea}")
            viejo, nuevo = partes
            if viejo in renombres and renombres[viejo] != nuevo:
                sys.exit(f"{ruta}:{numero}: {viejo} is renamed twice")
            renombres[viejo] = nuevo
    origenes: dict[str, set[str]] = collections.defaultdict(set)
    for viejo, nuevo in renombres.items():
        origenes[nuevo].add(viejo)
    repetidos = sorted(n for n, vs in origenes.items() if len(vs) > 1)
    if repetidos:
        sys.exit(f"{ruta}: two names become one: {', '.join(repetidos)}")
    return renombres


def Aplicar(raiz: str, renombres: dict[str, str], prueba: bool) -> int:
    fuentes = {ruta: Leer(ruta) for ruta in Ficheros(raiz)}
    analisis = {}
    # Names that are data somewhere: a data member reached with "." or "->", or a
    # variable a bare name may mean. Those uses are left alone.
    campos: set[str] = set()
    variables: set[str] = set()
    for ruta, fuente in fuentes.items():
        tokens = Lexico(fuente)
        usos = Analizar(tokens)
        analisis[ruta] = (tokens, usos)
        for u in usos:
            if u.clase == "variable":
                variables.add(u.nombre)
                if u.ambito == "clase":
                    campos.add(u.nombre)

    cuenta: collections.Counter[str] = collections.Counter()
    dejados: dict[str, list[str]] = collections.defaultdict(list)
    cambiados = 0
    for ruta, (tokens, usos) in analisis.items():
        cambio = False
        for u in usos:
            if u.nombre not in renombres:
                continue
            if u.clase in ("funcion", "llamada", "calificado"):
                renombrar = True
            elif u.clase == "miembro":
                renombrar = u.nombre not in campos
            elif u.clase == "suelto":
                renombrar = u.nombre not in variables
            else:
                renombrar = False
            sitio = f"{os.path.relpath(ruta, raiz)}:{u.linea}"
            if renombrar:
                tokens[u.indice].texto = renombres[u.nombre]
                cuenta[u.nombre] += 1
                cambio = True
            else:
                dejados[u.nombre].append(f"{sitio}({u.clase})")
        # Comments that name a function as code does ("abierto()", "Clase::abierto").
        if renombres:
            patron = re.compile(r"(?<![\w.>])(::)?\b(" + "|".join(map(re.escape, renombres)) + r")\b(?=(\())?")
            for t in tokens:
                if t.tipo != "comentario":
                    continue
                nuevo = patron.sub(lambda m: (m.group(1) or "") + renombres[m.group(2)]
                                   if m.group(1) or m.group(3) else m.group(0), t.texto)
                if nuevo != t.texto:
                    t.texto = nuevo
                    cambio = True
        if cambio:
            cambiados += 1
            if not prueba:
                Escribir(ruta, "".join(t.texto for t in tokens))
    for viejo, nuevo in renombres.items():
        if cuenta[viejo]:
            print(f"{viejo} -> {nuevo}: {cuenta[viejo]}")
    ausentes = [v for v in renombres if not cuenta[v]]
    if ausentes:
        print(f"not found (skipped): {' '.join(ausentes)}")
    for viejo, sitios in sorted(dejados.items()):
        # Same spelling, but a variable, a data member or a parameter there.
        print(f"left alone, {viejo}: {' '.join(sitios[:5])}{' ...' if len(sitios) > 5 else ''}")
    print(f"{'would change' if prueba else 'changed'} {cambiados} files")
    return 0


# ---------------------------------------------------------------------------
# candidatos
# ---------------------------------------------------------------------------

PALABRAS_CLAVE = set("""alignas alignof and asm auto bool break case catch char char8_t char16_t char32_t class
co_await co_return co_yield concept const consteval constexpr constinit const_cast continue decltype default
delete do double dynamic_cast else enum explicit export extern false float for friend goto if inline int long
mutable namespace new noexcept not nullptr operator or private protected public register reinterpret_cast
requires return short signed sizeof static static_assert static_cast struct switch template this thread_local
throw true try typedef typeid typename union unsigned using virtual void volatile wchar_t while override final
signals slots emit Q_SIGNALS Q_SLOTS""".split())

# Kept on purpose (see CONTRIBUTING.md): accessors of a module's one state
# object (a function-local static returned by reference) read as variables.
CONSERVAR_ACCESORES_MODULO = {"sesion", "mensajes", "textosControles", "tiempos", "dialogos", "estadoLinea",
                              "opcionesPC", "contadoresCanal", "canal", "avisoProgreso", "salida", "porDefecto",
                              "carpetas"}
CONSERVAR = {"main", "begin", "end", "qHash", "swap"}
# Property accessors that mirror the command runner's own property names.
CONSERVAR_PROPIEDADES = {"hProcess", "hThread", "dwProcessId", "dwThreadId"}


def Candidatos(raiz: str) -> int:
    declaraciones: list[tuple[str, Uso]] = []
    identificadores: collections.Counter[str] = collections.Counter()
    variables: set[str] = set()
    clases: set[str] = set()
    for ruta in Ficheros(raiz):
        fuente = Leer(ruta)
        clases.update(re.findall(r"\b(?:class|struct)\s+(\w+)\s*[:{]", fuente))
        tokens = Lexico(fuente)
        for u in Analizar(tokens):
            if u.clase == "funcion" and u.nombre[0].islower():
                declaraciones.append((os.path.relpath(ruta, raiz), u))
            elif u.clase == "variable":
                variables.add(u.nombre)
        for t in tokens:
            if t.tipo == "id":
                identificadores[t.texto] += 1
    propias_virtuales = {u.nombre for _, u in declaraciones if u.virtual}
    por_nombre: dict[str, list[tuple[str, Uso]]] = collections.defaultdict(list)
    for ruta, u in declaraciones:
        por_nombre[u.nombre].append((ruta, u))
    for nombre in sorted(por_nombre, key=str.lower):
        ds = por_nombre[nombre]
        motivo = ""
        if nombre in CONSERVAR_ACCESORES_MODULO:
            motivo = "module-state accessor"
        elif nombre in CONSERVAR or nombre in CONSERVAR_PROPIEDADES:
            motivo = "kept name"
        elif nombre.startswith("on_"):
            motivo = "slot connected by name"
        elif re.match(r"^[a-z][A-Za-z0-9]*_[A-Z][A-Za-z]*$", nombre):
            motivo = "event handler named after its control"
        elif nombre in clases:
            motivo = "constructor"
        elif re.match(r"^k[A-Z]", nombre):
            motivo = "constant"
        elif re.match(r"^set[A-Z]", nombre):
            motivo = "Qt-style setter"
        elif any(u.sobrescribe for _, u in ds) and nombre not in propias_virtuales:
            motivo = "overrides a Qt or library function"
        nuevo = nombre[0].upper() + nombre[1:]
        notas = []
        if identificadores[nuevo]:
            notas.append(f"{nuevo} already used {identificadores[nuevo]}x")
        if nombre in variables:
            notas.append("also a variable's name")
        sitios = ", ".join(f"{r}:{u.linea}" for r, u in ds[:3]) + (" ..." if len(ds) > 3 else "")
        if motivo:
            print(f"# {nombre}: kept ({motivo}) {sitios}")
        else:
            print(f"{nombre} {nuevo}    # {sitios}{'; ' + '; '.join(notas) if notas else ''}")
    return 0


def main() -> int:
    carpeta = os.path.dirname(os.path.abspath(__file__))
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = p.add_subparsers(dest="orden", required=True)
    c = sub.add_parser("candidatos", help="list the lower-case function names of the tree")
    c.add_argument("--raiz", default=os.path.join(carpeta, ".."))
    a = sub.add_parser("aplicar", help="apply a rename list to the tree")
    a.add_argument("--raiz", default=os.path.join(carpeta, ".."))
    a.add_argument("--lista", default=os.path.join(carpeta, "renombres.txt"))
    a.add_argument("--prueba", action="store_true", help="report only, change nothing")
    args = p.parse_args()
    raiz = os.path.abspath(args.raiz)
    if args.orden == "candidatos":
        return Candidatos(raiz)
    return Aplicar(raiz, LeerLista(args.lista), args.prueba)


if __name__ == "__main__":
    sys.exit(main())
