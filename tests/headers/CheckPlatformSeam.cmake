# cmake -DROOT=<repository> -P CheckPlatformSeam.cmake
# The seam between portable code and the platforms: the presentation's sources (velorin/, but
# not a toolkit folder of its dialogs nor the Linux-only offline renderer) and the engine's
# portable headers (every gralith/ header outside a platform folder and the headless EGL device)
# include no SDL, GTK, EGL, X11 or Win32 header. The presentation includes no engine platform
# class either: it reaches those through gralith/Platform.h and gralith/graphics/DeviceFactory.h.
# Lists every include that breaks the rule.
cmake_minimum_required(VERSION 3.25)

# Platform folders, wherever they sit: the engine's backends and the dialogs' toolkits.
set(platform_folder "/(sdl|gtk|win32|d3d9)/")
set(system "SDL|EGL/|KHR/|X11/|gtk/|gdk/|gdkx|glib|gio/|cairo|pango|[Ww]indows[Xx]?\\.h|winuser\\.h|wingdi\\.h|commctrl\\.h|mmsystem\\.h|dsound\\.h|dinput\\.h|d3d|d3dx|wgl|GL/wgl")
set(engine_platform "gralith/(.*/)?(sdl|win32|d3d9)/|gralith/graphics/gl/(EGL|WINGL)")

file(GLOB_RECURSE velorin_files RELATIVE ${ROOT} ${ROOT}/velorin/*.h ${ROOT}/velorin/*.cpp)
list(FILTER velorin_files EXCLUDE REGEX "${platform_folder}|^velorin/render/")
file(GLOB_RECURSE engine_headers RELATIVE ${ROOT} ${ROOT}/gralith/*.h)
list(FILTER engine_headers EXCLUDE REGEX "${platform_folder}|^gralith/graphics/gl/(EGL|WINGL)")

set(bad)
foreach(file ${velorin_files} ${engine_headers})
  file(STRINGS ${ROOT}/${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line ${lines})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"].*$" "\\1" path "${line}")
    if(path MATCHES "^(${system})")
      list(APPEND bad "${file}: platform header ${path}")
    elseif(file MATCHES "^velorin/" AND path MATCHES "^(${engine_platform})")
      list(APPEND bad "${file}: engine platform class ${path}")
    endif()
  endforeach()
endforeach()
list(LENGTH velorin_files velorin_count)
list(LENGTH engine_headers engine_count)
if(velorin_count EQUAL 0 OR engine_count EQUAL 0)
  message(FATAL_ERROR "no sources found under ${ROOT}")
endif()
if(bad)
  list(JOIN bad "\n  " text)
  message(FATAL_ERROR "portable code includes platform headers:\n  ${text}")
endif()
message(STATUS "${velorin_count} presentation sources and ${engine_count} engine headers are portable")
