# cmake -DROOT=... -DBUILD_DIR=... -DWORK_DIR=... -DCONSUMER_DIR=... -DCXX_COMPILER=... -DC_COMPILER=...
#       [-DBUILD_TYPE=...] -P InstallTest.cmake
cmake_minimum_required(VERSION 3.25)

set(prefix ${WORK_DIR}/prefix)
set(consumer_build ${WORK_DIR}/consumer-build)
set(data ${WORK_DIR}/data)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR} ${data})

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

if(NOT BUILD_TYPE)
  set(BUILD_TYPE Release)
endif()
run("configure consumer" ${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${consumer_build}
  -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_CXX_COMPILER=${CXX_COMPILER} -DCMAKE_C_COMPILER=${C_COMPILER}
  -DCMAKE_BUILD_TYPE=${BUILD_TYPE})
run("build consumer" ${CMAKE_COMMAND} --build ${consumer_build})
run("run consumer" ${consumer_build}/gralith-consumer ${data})
expect("consumer" "${run_output}" "^text: hello from data\nxml: show with 2 attributes, first child scene\n$")

