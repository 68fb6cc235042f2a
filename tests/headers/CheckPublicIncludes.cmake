# cmake -DROOT=<repository> -P CheckPublicIncludes.cmake
# A public header (cmake/PublicHeaders.cmake) may include only public engine headers and no
# platform or third-party library header: those stay in .cpp files and private headers. Lists
# every include that breaks either rule.
cmake_minimum_required(VERSION 3.25)
include(${ROOT}/cmake/PublicHeaders.cmake)
set(forbidden "GL/|GLES|EGL/|KHR/|SDL|gtk/|gdk/|glib|X11/|glslang/|spirv|vorbis/|ogg/|png\\.h|jpeglib|ft2build|freetype|tinyxml|kiss_fft|windows\\.h|d3d|dsound|dinput|Cg/")
set(bad)
foreach(h ${GRALITH_PUBLIC_HEADERS})
  file(STRINGS ${ROOT}/${h} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line ${lines})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"].*$" "\\1" path "${line}")
    if(path MATCHES "^(${forbidden})")
      list(APPEND bad "${h}: platform header ${path}")
    elseif(path MATCHES "^gralith/" AND NOT path IN_LIST GRALITH_PUBLIC_HEADERS)
      list(APPEND bad "${h}: private header ${path}")
    endif()
  endforeach()
endforeach()
if(bad)
  list(JOIN bad "\n  " text)
  message(FATAL_ERROR "public headers include what they must not:\n  ${text}")
endif()
