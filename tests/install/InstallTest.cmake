# cmake -DROOT=... -DBUILD_DIR=... -DWORK_DIR=... -DCONSUMER_DIR=... -DCXX_COMPILER=... -DC_COMPILER=...
#       [-DBUILD_TYPE=...] -P InstallTest.cmake
cmake_minimum_required(VERSION 3.25)

set(prefix ${WORK_DIR}/prefix)
set(consumer_build ${WORK_DIR}/consumer-build)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${what} failed (${result}):\n${out}\n${err}")
  endif()
  set(run_output "${out}" PARENT_SCOPE)
endfunction()

function(expect what output pattern)
  if(NOT output MATCHES "${pattern}")
    message(FATAL_ERROR "unexpected output of ${what}:\n${output}")
  endif()
  message(STATUS "${what}:\n${output}")
endfunction()

run("install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
foreach(f lib/libgralith.a lib/cmake/Gralith/GralithConfig.cmake lib/cmake/Gralith/GralithTargets.cmake)
  if(NOT EXISTS ${prefix}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
# The public headers and nothing else: no private header, no source.
include(${ROOT}/cmake/PublicHeaders.cmake)
file(GLOB_RECURSE installed RELATIVE ${prefix}/include ${prefix}/include/*)
list(SORT installed)
set(expected ${GRALITH_PUBLIC_HEADERS})
list(SORT expected)
if(NOT installed STREQUAL expected)
  set(extra ${installed})
  list(REMOVE_ITEM extra ${expected})
  set(missing ${expected})
  list(REMOVE_ITEM missing ${installed})
  message(FATAL_ERROR "installed headers differ from the public list;\n  not public: ${extra}\n  missing: ${missing}")
endif()

# The show's content, for the programs that load a scene and query the music.
foreach(f scenes/halcyra2.fsg music/music.ogg)
  if(NOT EXISTS ${BUILD_DIR}/data/${f})
    message(FATAL_ERROR "the build has no data/${f}")
  endif()
endforeach()

if(NOT BUILD_TYPE)
  set(BUILD_TYPE Release)
endif()
# One configure and one build for the consumer and every getting-started program.
run("configure consumer" ${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${consumer_build}
  -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_CXX_COMPILER=${CXX_COMPILER} -DCMAKE_C_COMPILER=${C_COMPILER}
  -DCMAKE_BUILD_TYPE=${BUILD_TYPE} -DGRALITH_EXAMPLES_DIR=${ROOT}/docs/getting-started)
run("build consumer" ${CMAKE_COMMAND} --build ${consumer_build})
set(examples ${consumer_build}/examples)
run("run draw-texture" ${examples}/draw-texture)
expect("draw-texture" "${run_output}"
  "^bottom left: 255 0 0 255\nbottom right: 0 255 0 255\ntop left: 0 0 255 255\ntop right: 255 255 255 255\n$")
run("run load-scene" ${examples}/load-scene ${BUILD_DIR}/data)
expect("load-scene" "${run_output}"
  "^nodes [1-9][0-9]*, geometries [1-9][0-9]*, materials [1-9][0-9]*, cameras [1-9][0-9]*, lights [0-9]+\ncamera ")
run("run query-music" ${examples}/query-music ${BUILD_DIR}/data/music/music.ogg)
expect("query-music" "${run_output}" "^length [1-9][0-9]*\\.[0-9][0-9] s\nat 1\\.00 s: loudest near [0-9]+ Hz")
