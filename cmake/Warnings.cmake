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
