# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the posix thread
# model, which std::thread and the C++ runtime expect). ROVIDADA_MINGW_PREFIX
# names the folder with the Windows builds of wxWidgets and libpng
# (scripts/windows-prefix); it and the compiler's own sysroot (zlib) are the
# only places libraries and headers are looked for.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triplet}-windres)

set(ROVIDADA_MINGW_PREFIX "$ENV{ROVIDADA_MINGW_PREFIX}" CACHE PATH "Windows wxWidgets and libpng")
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triplet} ${ROVIDADA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Static libraries only: a libz.dll.a next to libz.a must not win.
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)

# wx-config of the Windows build answers for FindwxWidgets (a shell script, it
# runs here); static libraries, unicode, no debug build.
set(wxWidgets_CONFIG_EXECUTABLE ${ROVIDADA_MINGW_PREFIX}/bin/wx-config)
set(wxWidgets_CONFIG_OPTIONS --static=yes --unicode=yes CACHE STRING "")

# GCC 12 warns, wrongly, that the copies of `"text" + std::string` may overlap
# once they are inlined at -O3 (this build's Release); the Linux build at -O2
# does not see them.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")

# The executables carry their C and C++ runtimes and the thread library, so
# they import nothing but Windows' own DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Tests run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
