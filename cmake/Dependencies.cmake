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
