# Cross compiling for 64-bit Windows with Debian's MinGW-w64 GCC (posix thread model:
# std::thread and std::mutex need it). Libraries come from GRALITH_MINGW_PREFIX, the static
# MinGW builds made by scripts/build-mingw-deps.sh, and from the MinGW system folder.
# Used by the "windows" configure preset and by scripts/build-mingw-deps.sh itself.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(GRALITH_MINGW_TRIPLET x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${GRALITH_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${GRALITH_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${GRALITH_MINGW_TRIPLET}-windres)

# The prefix comes from the environment (a new one replaces the cached one) or from -D.
if(NOT "$ENV{GRALITH_MINGW_PREFIX}" STREQUAL "")
  set(GRALITH_MINGW_PREFIX "$ENV{GRALITH_MINGW_PREFIX}" CACHE PATH "Static MinGW libraries (scripts/build-mingw-deps.sh)" FORCE)
endif()
if(NOT GRALITH_MINGW_PREFIX)
  message(FATAL_ERROR "GRALITH_MINGW_PREFIX is not set: run "
    "'export GRALITH_MINGW_PREFIX=$(scripts/build-mingw-deps.sh)' first")
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES GRALITH_MINGW_PREFIX)

set(CMAKE_FIND_ROOT_PATH ${GRALITH_MINGW_PREFIX} /usr/${GRALITH_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config sees only the MinGW modules; their static link lines are used (see GralithPkg.cmake).
set(ENV{PKG_CONFIG_LIBDIR} "${GRALITH_MINGW_PREFIX}/lib/pkgconfig:/usr/${GRALITH_MINGW_TRIPLET}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
set(GRALITH_STATIC_PKG ON)
# Debian's MinGW zlib has an import library beside libz.a; the static one keeps zlib1.dll away.
set(ZLIB_USE_STATIC_LIBS ON)

# The C and C++ runtimes linked in: the executables import only system DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs, try_run and the build's own helper programs run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../../scripts/wine-run.sh)
