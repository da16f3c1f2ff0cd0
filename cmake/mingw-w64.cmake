# Cross-building for 64-bit Windows from Debian with MinGW-w64 (the posix-threads
# compilers of g++-mingw-w64-x86-64-posix, which std::thread and Qt need).
# Qt for the target comes from CMAKE_PREFIX_PATH; its host tools (moc, rcc, uic)
# from the Linux Qt of the same version, QT_HOST_PATH (/usr on Debian).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TESEDRA_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TESEDRA_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TESEDRA_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${TESEDRA_MINGW}-windres)

# Headers and libraries of the target only; programs of the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${TESEDRA_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

if(NOT DEFINED QT_HOST_PATH)
  set(QT_HOST_PATH /usr CACHE PATH "Host Qt (moc, rcc, uic) of the same version as the target's")
endif()
if(NOT DEFINED QT_HOST_PATH_CMAKE_DIR)
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "CMake files of the host Qt")
endif()

# Test programs run under Wine (CTest prefixes every test command with this).
find_program(TESEDRA_WINE NAMES wine wine64)
if(TESEDRA_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TESEDRA_WINE})
endif()
