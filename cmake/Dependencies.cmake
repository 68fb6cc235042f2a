# System libraries, all from Debian packages (see scripts/install-deps.sh).
# gralith_pkg() finds a pkg-config module as PkgConfig::<NAME> and records the call, so the
# installed package config can recreate the same imported targets for outside projects.
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)

function(gralith_pkg name)
  pkg_check_modules(${name} REQUIRED IMPORTED_TARGET GLOBAL ${ARGN})
  set_property(GLOBAL APPEND_STRING PROPERTY GRALITH_PKG_CALLS
    "pkg_check_modules(${name} REQUIRED IMPORTED_TARGET ${ARGN})\n")
endfunction()

gralith_pkg(TINYXML tinyxml)
gralith_pkg(PNG libpng)
gralith_pkg(ZLIB zlib)
gralith_pkg(JPEG libjpeg)
gralith_pkg(FREETYPE freetype2)
gralith_pkg(SDL2 sdl2)
gralith_pkg(VORBIS vorbis vorbisenc vorbisfile ogg)
gralith_pkg(KISSFFT kissfft-float)

# gralith_lib(NAME lib...) makes the imported target GralithLib::NAME from plain libraries that
# have no pkg-config module, and records the same commands for the installed package config.
function(gralith_lib name)
  set(code "if(NOT TARGET GralithLib::${name})\n  add_library(GralithLib::${name} INTERFACE IMPORTED)\n")
  foreach(lib ${ARGN})
    string(APPEND code "  find_library(GRALITH_LIB_${lib} NAMES ${lib} REQUIRED)\n"
      "  set_property(TARGET GralithLib::${name} APPEND PROPERTY INTERFACE_LINK_LIBRARIES \${GRALITH_LIB_${lib}})\n")
  endforeach()
  string(APPEND code "endif()\n")
  cmake_language(EVAL CODE "${code}")
  set_property(TARGET GralithLib::${name} PROPERTY IMPORTED_GLOBAL TRUE)
  set_property(GLOBAL APPEND_STRING PROPERTY GRALITH_PKG_CALLS "${code}")
endfunction()

# Cg shader translation: glslang (HLSL front end) to SPIR-V, SPIRV-Cross back to GLSL. The
# SPIRV-Cross C++ libraries and glslang's default limits come without pkg-config modules.
gralith_pkg(GLSLANG spirv glslang)
gralith_lib(SPIRVCROSS glslang-default-resource-limits spirv-cross-glsl spirv-cross-core)
