# The Windows test build: GoogleTest from Debian's sources, the DLLs every program
# of bin/ needs beside it, and Wine to run the tests (the toolchain file sets
# CMAKE_CROSSCOMPILING_EMULATOR to the Wine found; here it becomes a wrapper that
# runs it in a prefix of the build's own).

# GoogleTest and GoogleMock, as static libraries of this build (GTest::gtest, GTest::gmock).
set(TESEDRA_GOOGLETEST_SRC /usr/src/googletest CACHE PATH "GoogleTest sources (Debian's googletest package)")
if(NOT EXISTS ${TESEDRA_GOOGLETEST_SRC}/CMakeLists.txt)
  message(FATAL_ERROR "No GoogleTest sources in ${TESEDRA_GOOGLETEST_SRC}: install Debian's googletest package")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${TESEDRA_GOOGLETEST_SRC} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(t gtest gtest_main gmock gmock_main)
  # Their own sources are not this project's: no warnings of ours over them.
  target_compile_options(${t} PRIVATE -w)
endforeach()

# What the programs load: Qt's DLLs, the platform and style plugins, and the
# MinGW runtime (C++ library, unwinder, POSIX threads).
set(dlls_qt)
foreach(m Core Gui Widgets Test)
  list(APPEND dlls_qt $<TARGET_FILE:Qt6::${m}>)
endforeach()
set(dlls_mingw)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE ruta OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${ruta}" OR NOT EXISTS "${ruta}")
    # A MinGW of its own (Qt's kit on Windows) keeps them beside the compiler.
    get_filename_component(carpeta_compilador ${CMAKE_CXX_COMPILER} DIRECTORY)
    set(ruta ${carpeta_compilador}/${dll})
  endif()
  if(NOT EXISTS "${ruta}")
    message(FATAL_ERROR "${dll} not found beside ${CMAKE_CXX_COMPILER}")
  endif()
  get_filename_component(ruta "${ruta}" REALPATH)
  list(APPEND dlls_mingw ${ruta})
endforeach()
get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
if(NOT qt_core_dll)
  get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION)
endif()
get_filename_component(qt_bin ${qt_core_dll} DIRECTORY)
set(TESEDRA_QT_PLUGINS ${qt_bin}/../plugins CACHE PATH "Qt's plugins folder")
set(bin ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
add_custom_target(dlls_windows ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${bin}/platforms ${bin}/styles
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${dlls_qt} ${dlls_mingw} ${bin}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${TESEDRA_QT_PLUGINS}/platforms ${bin}/platforms
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${TESEDRA_QT_PLUGINS}/styles ${bin}/styles
  COMMENT "Qt and MinGW runtime DLLs beside the programs"
  VERBATIM)

# Wine, quietly, in the build's own prefix: build-windows/wineprefix.
if(CMAKE_CROSSCOMPILING AND CMAKE_CROSSCOMPILING_EMULATOR)
  set(TESEDRA_WINE ${CMAKE_CROSSCOMPILING_EMULATOR})
  set(TESEDRA_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/wine-prueba.sh.in ${CMAKE_BINARY_DIR}/wine-prueba.sh
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                                  WORLD_EXECUTE @ONLY)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-prueba.sh)
endif()
