# Configures the tree with BUILD_TESTING=OFF in a scratch folder and checks that
# the three programs are there and that no package of the tests (GoogleTest,
# Google Benchmark, OpenSSL) was looked for: the programs build with Qt alone.
# Run as: cmake -DSOURCE_DIR=<tree> -DBINARY_DIR=<scratch> -DGENERATOR=<generator> -P configurar_sin_pruebas.cmake
foreach(v SOURCE_DIR BINARY_DIR GENERATOR)
  if(NOT ${v})
    message(FATAL_ERROR "${v} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE "${BINARY_DIR}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -S "${SOURCE_DIR}" -B "${BINARY_DIR}" -G "${GENERATOR}" -DBUILD_TESTING=OFF
  RESULT_VARIABLE resultado OUTPUT_VARIABLE salida ERROR_VARIABLE salida)
if(NOT resultado EQUAL 0)
  message(FATAL_ERROR "Configuring with BUILD_TESTING=OFF failed:\n${salida}")
endif()

# CMake's regular expressions have no case-insensitive mode.
file(STRINGS "${BINARY_DIR}/CMakeCache.txt" encontradas
     REGEX "[Gg][Tt][Ee][Ss][Tt]|[Bb][Ee][Nn][Cc][Hh][Mm][Aa][Rr][Kk]|[Oo][Pp][Ee][Nn][Ss][Ss][Ll]")
if(encontradas)
  list(JOIN encontradas "\n" texto)
  message(FATAL_ERROR "A build without tests looked for a test package:\n${texto}")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} --build "${BINARY_DIR}" --target help
                RESULT_VARIABLE resultado OUTPUT_VARIABLE objetivos ERROR_VARIABLE objetivos)
foreach(programa tesedra tesedra-cli tesedra-routersim)
  if(NOT objetivos MATCHES "(^|\n)${programa}:")
    message(FATAL_ERROR "No target ${programa} in a build without tests:\n${objetivos}")
  endif()
endforeach()
file(REMOVE_RECURSE "${BINARY_DIR}")
message(STATUS "Without tests: the three programs, no test package")
