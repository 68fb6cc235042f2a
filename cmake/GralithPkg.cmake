# How the engine's system libraries become imported targets, shared by the build and by the
# installed package config. Only GralithLib:: targets are made. pkg-config's results stay under
# the private prefix _gralith_<NAME> inside a function: FindPkgConfig stores them in the cache
# and clears the variables of that name in the calling scope, so a plain prefix such as PNG would
# replace a user's own PNG_LIBRARIES.

# _gralith_pkg(NAME module...): GralithLib::NAME from pkg-config modules.
function(_gralith_pkg name)
  if(TARGET GralithLib::${name})
    return()
  endif()
  set(p _gralith_${name})
  pkg_check_modules(${p} REQUIRED QUIET ${ARGN})
  add_library(GralithLib::${name} INTERFACE IMPORTED)
  if(GRALITH_STATIC_PKG)
    # Static libraries (the MinGW toolchain sets this): the modules' private dependencies too.
    set_target_properties(GralithLib::${name} PROPERTIES
      INTERFACE_INCLUDE_DIRECTORIES "${${p}_STATIC_INCLUDE_DIRS}"
      INTERFACE_LINK_DIRECTORIES "${${p}_STATIC_LIBRARY_DIRS}"
      INTERFACE_LINK_LIBRARIES "${${p}_STATIC_LIBRARIES}"
      INTERFACE_LINK_OPTIONS "${${p}_STATIC_LDFLAGS_OTHER}"
      INTERFACE_COMPILE_OPTIONS "${${p}_STATIC_CFLAGS_OTHER}")
    return()
  endif()
  set_target_properties(GralithLib::${name} PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${${p}_INCLUDE_DIRS}"
    INTERFACE_LINK_LIBRARIES "${${p}_LINK_LIBRARIES}"
    INTERFACE_LINK_OPTIONS "${${p}_LDFLAGS_OTHER}"
    INTERFACE_COMPILE_OPTIONS "${${p}_CFLAGS_OTHER}")
endfunction()

# _gralith_lib(NAME lib...): GralithLib::NAME from plain libraries without a pkg-config module.
function(_gralith_lib name)
  if(TARGET GralithLib::${name})
    return()
  endif()
  add_library(GralithLib::${name} INTERFACE IMPORTED)
  foreach(lib ${ARGN})
    find_library(GRALITH_LIB_${lib} NAMES ${lib} REQUIRED)
    set_property(TARGET GralithLib::${name} APPEND PROPERTY INTERFACE_LINK_LIBRARIES ${GRALITH_LIB_${lib}})
  endforeach()
endfunction()
