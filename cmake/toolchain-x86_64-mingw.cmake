# Cross build for 64-bit Windows: the same sources, run under wine64 for the behaviour tests.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZORV_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZORV_TRIPLET}-gcc-win32)
set(CMAKE_CXX_COMPILER ${ZORV_TRIPLET}-g++-win32)
set(CMAKE_RC_COMPILER ${ZORV_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ZORV_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# The oldest x64 Windows (Server 2003, XP x64) is 5.2.
set(_zorv_static "-static -static-libgcc -static-libstdc++ -Wl,--major-os-version,5,--minor-os-version,2,--major-subsystem-version,5,--minor-subsystem-version,2")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${_zorv_static}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${_zorv_static}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${_zorv_static}")
# Debian installs the 64-bit loader here; winedbg is disabled so that a crash fails the test.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/env;WINEDEBUG=-all;WINEDLLOVERRIDES=winedbg.exe=d;/usr/lib/wine/wine64)
