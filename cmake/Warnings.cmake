# Every target of the project gets the same warning set through this interface target.
add_library(gralith_warnings INTERFACE)
target_compile_options(gralith_warnings INTERFACE -Wall -Wextra)
if(GRALITH_WERROR)
  target_compile_options(gralith_warnings INTERFACE -Werror)
endif()

if(GRALITH_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Coverage-guided fuzzing of the file decoders (tests/fuzz): everything is instrumented for
# libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer. Needs clang.
option(GRALITH_FUZZ "Instrument for libFuzzer and build the fuzz targets (clang only)" OFF)
if(GRALITH_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "GRALITH_FUZZ needs clang: -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
    -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
