# cmake -DROOT=<repository> -P CheckPlatformIncludes.cmake
# Public headers forward-declare what they need from platform and third-party libraries; this
# lists any header under gralith/ that includes one of them.
cmake_minimum_required(VERSION 3.25)
set(forbidden "GL/|GLES|EGL/|KHR/|SDL|gtk/|gdk/|glib|X11/|glslang/|spirv|vorbis/|ogg/|png\\.h|jpeglib|ft2build|freetype|tinyxml|kiss_fft|windows\\.h|d3d|dsound|dinput|Cg/")
file(GLOB_RECURSE headers RELATIVE ${ROOT} ${ROOT}/gralith/*.h)
set(bad)
foreach(h ${headers})
  file(STRINGS ${ROOT}/${h} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](${forbidden})")
  foreach(line ${lines})
    list(APPEND bad "${h}: ${line}")
  endforeach()
endforeach()
if(bad)
  list(JOIN bad "\n  " text)
  message(FATAL_ERROR "public headers include platform headers:\n  ${text}")
endif()
