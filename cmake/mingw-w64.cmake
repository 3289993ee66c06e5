# Cross-compiling for 64-bit Windows with mingw-w64 (posix threads, as GoogleTest needs them).
# ctest runs the programs under wine through cmake/wine-run.
#
# The Qt programs use Qt for Windows from VELMARON_QT_MINGW_DIR (scripts/setup-qt-windows finds
# it) with Debian's own moc, rcc and uic of the same version. Which programs carry the C++
# runtime inside them and which use its DLLs beside Qt's is decided per target
# (velmaron_static_runtime in the top-level CMakeLists.txt).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

if(VELMARON_QT_MINGW_DIR)
  # A root of its own, or the ONLY modes above would hide it.
  list(APPEND CMAKE_FIND_ROOT_PATH "${VELMARON_QT_MINGW_DIR}")
  list(APPEND CMAKE_PREFIX_PATH "${VELMARON_QT_MINGW_DIR}/lib/cmake")
  if(NOT QT_HOST_PATH)
    set(QT_HOST_PATH /usr CACHE PATH "Where the host's Qt tools (moc, rcc, uic) live")
  endif()
endif()

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run)
