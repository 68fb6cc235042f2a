# System libraries, all from Debian packages (see scripts/install-deps.sh). Each becomes the
# imported target GralithLib::<NAME> (cmake/GralithPkg.cmake); the calls are recorded so that
# the installed package config makes the same targets for outside projects.
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)
include(${CMAKE_CURRENT_LIST_DIR}/GralithPkg.cmake)

# gralith_pkg(NAME module...) finds pkg-config modules as GralithLib::NAME. The build's own
# tests and tools may also call it PkgConfig::NAME; the engine links the GralithLib:: name, the
# only one its package knows.
function(gralith_pkg name)
  _gralith_pkg(${name} ${ARGN})
  set_property(TARGET GralithLib::${name} PROPERTY IMPORTED_GLOBAL TRUE)
  add_library(PkgConfig::${name} ALIAS GralithLib::${name})
  list(JOIN ARGN " " modules)
  set_property(GLOBAL APPEND_STRING PROPERTY GRALITH_PKG_CALLS "_gralith_pkg(${name} ${modules})\n")
endfunction()

# gralith_lib(NAME lib...) makes GralithLib::NAME from plain libraries that have no pkg-config
# module.
function(gralith_lib name)
  _gralith_lib(${name} ${ARGN})
  set_property(TARGET GralithLib::${name} PROPERTY IMPORTED_GLOBAL TRUE)
  list(JOIN ARGN " " libs)
  set_property(GLOBAL APPEND_STRING PROPERTY GRALITH_PKG_CALLS "_gralith_lib(${name} ${libs})\n")
endfunction()

gralith_pkg(TINYXML tinyxml)
gralith_pkg(PNG libpng)
gralith_pkg(ZLIB zlib)
gralith_pkg(JPEG libjpeg)
gralith_pkg(FREETYPE freetype2)
# SDL is the Linux platform layer; the Windows build has its Win32 and DirectX classes instead.
if(NOT WIN32)
  gralith_pkg(SDL2 sdl2)
endif()
gralith_pkg(VORBIS vorbis vorbisenc vorbisfile ogg)
gralith_pkg(KISSFFT kissfft-float)

# Cg shader translation: glslang (HLSL front end) to SPIR-V, SPIRV-Cross back to GLSL. The
# SPIRV-Cross C++ libraries and glslang's default limits come without pkg-config modules.
gralith_pkg(GLSLANG spirv glslang)
gralith_lib(SPIRVCROSS glslang-default-resource-limits spirv-cross-glsl spirv-cross-core)
