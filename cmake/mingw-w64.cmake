# SPDX-License-Identifier: MIT
# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the POSIX
# thread model, which std::thread and Qt need). Used for Qt itself and for
# Tillomar; every program comes out self-contained, with the compiler's
# runtime linked in, so that nothing but Windows' own DLLs must sit beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(_triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${_triplet}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# Qt's moc, rcc and uic come from the host's own Qt, the same version.
if(NOT DEFINED QT_HOST_PATH)
    set(QT_HOST_PATH /usr)
    execute_process(COMMAND gcc -print-multiarch OUTPUT_VARIABLE _multiarch OUTPUT_STRIP_TRAILING_WHITESPACE
        RESULT_VARIABLE _failed)
    if(_failed OR NOT _multiarch)
        message(FATAL_ERROR "The host's gcc names no multiarch folder (gcc -print-multiarch), where the host's Qt lies: install Debian's g++")
    endif()
    set(QT_HOST_PATH_CMAKE_DIR /usr/lib/${_multiarch}/cmake)
endif()
# Qt for Windows, once built (tools/windows/qt.sh prints where), is found
# under the same root as the compiler's own libraries.
if(DEFINED ENV{TILLOMAR_QT_WINDOWS})
    list(APPEND CMAKE_FIND_ROOT_PATH $ENV{TILLOMAR_QT_WINDOWS})
endif()
# Debian's Qt from 6.8 on leaves its plugin packages out unless asked, as its
# own shared plugins are found at run time; a static Qt must link them, the
# windows platform plugin first of all.
set(QT_SKIP_AUTO_PLUGIN_INCLUSION OFF)
