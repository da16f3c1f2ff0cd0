# The icon and version resource of each Windows program (paquete/windows/programa.rc.in,
# compiled by the RC compiler: windres with MinGW, rc with MSVC). The icon was made once
# from ui/imagenes/tesedra.png, as README "Windows" says. The top level enables RC.
set(TESEDRA_ICONO ${CMAKE_SOURCE_DIR}/paquete/windows/tesedra.ico)
foreach(par "tesedra|Tesedra, ADSL line checks and installation validation"
            "tesedra-cli|Tesedra from the command line")
  string(REPLACE "|" ";" par "${par}")
  list(GET par 0 TESEDRA_PROGRAMA)
  list(GET par 1 TESEDRA_DESCRIPCION)
  set(rc ${CMAKE_BINARY_DIR}/recursos/${TESEDRA_PROGRAMA}.rc)
  configure_file(${CMAKE_SOURCE_DIR}/paquete/windows/programa.rc.in ${rc} @ONLY)
  target_sources(${TESEDRA_PROGRAMA} PRIVATE ${rc})
  # The icon is read by the RC compiler, which CMake does not scan for it.
  set_source_files_properties(${rc} TARGET_DIRECTORY ${TESEDRA_PROGRAMA}
                              PROPERTIES OBJECT_DEPENDS ${TESEDRA_ICONO})
endforeach()
