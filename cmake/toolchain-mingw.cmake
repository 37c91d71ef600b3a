# What both Windows toolchain files share; they set CMAKE_SYSTEM_PROCESSOR and
# LARKWELL_MINGW_TRIPLET, then include this file.
# The -posix compilers are the ones with std::thread and std::mutex (winpthreads);
# everything is linked statically, so an exe or DLL needs no mingw DLL beside it.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER   ${LARKWELL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LARKWELL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER  ${LARKWELL_MINGW_TRIPLET}-windres)

# Headers and libraries come from the mingw sysroot only; build tools from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${LARKWELL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libgcc, libstdc++ and winpthreads go into every exe and DLL (tests/harness checks the
# imports of everything the build makes).
set(_larkwell_static_link "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_INIT    "${_larkwell_static_link}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${_larkwell_static_link}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${_larkwell_static_link}")
unset(_larkwell_static_link)

# RelWithDebInfo with line tables only (-g1): a stack under Wine or a debugger still reads as
# functions, files and lines, and the trees compile about a third faster than with -g's full
# debug information. A cache entry, so the compiler's own default (-O2 -g) does not replace it.
set(CMAKE_C_FLAGS_RELWITHDEBINFO "-O2 -g1 -DNDEBUG" CACHE STRING "Flags of RelWithDebInfo builds")
set(CMAKE_CXX_FLAGS_RELWITHDEBINFO "-O2 -g1 -DNDEBUG" CACHE STRING "Flags of RelWithDebInfo builds")
