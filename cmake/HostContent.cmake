# A cross build cannot run its content tools, so the generated part of data/ (music, textures,
# scene) comes from a native build of the same tree: GRALITH_HOST_DATA_DIR names the data/
# folder of one; left empty, the build makes its own in host/ (the content tools built for this
# machine and, for the tests that compare frames with the Windows build, halcyra-render). The
# hand-written part comes from data/ as in every build.
set(GRALITH_HOST_DATA_DIR "" CACHE PATH
  "data/ of a native build of this tree to copy the generated content from (empty: build it in host/)")

if(GRALITH_HOST_DATA_DIR)
  set(host_data ${GRALITH_HOST_DATA_DIR})
  add_custom_target(halcyra-host-tools)
else()
  include(ExternalProject)
  set(host_data ${CMAKE_BINARY_DIR}/host/data)
  set(host_targets halcyra-data)
  if(GRALITH_BUILD_TESTS)
    list(APPEND host_targets halcyra-render)
  endif()
  set(host_args -DCMAKE_BUILD_TYPE=Release -DGRALITH_WERROR=${GRALITH_WERROR}
    -DGRALITH_BUILD_TESTS=OFF -DGRALITH_BUILD_BENCHMARKS=OFF)
  foreach(lang C CXX)
    if(CMAKE_${lang}_COMPILER_LAUNCHER)
      list(APPEND host_args -DCMAKE_${lang}_COMPILER_LAUNCHER=${CMAKE_${lang}_COMPILER_LAUNCHER})
    endif()
  endforeach()
  ExternalProject_Add(halcyra-host-tools
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    PREFIX ${CMAKE_BINARY_DIR}/host-project
    BINARY_DIR ${CMAKE_BINARY_DIR}/host
    CMAKE_ARGS ${host_args}
    BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target ${host_targets}
    INSTALL_COMMAND ""
    # The tools' own dependencies decide whether anything is rebuilt.
    BUILD_ALWAYS ON)
endif()

set(host_copies)
foreach(part music textures scenes)
  list(APPEND host_copies COMMAND ${CMAKE_COMMAND} -E copy_directory ${host_data}/${part}
    ${CMAKE_BINARY_DIR}/data/${part})
endforeach()
add_custom_target(halcyra-host-data ${host_copies}
  DEPENDS halcyra-host-tools
  COMMENT "Copying the generated content from ${host_data}"
  VERBATIM)
