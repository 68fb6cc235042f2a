# The Windows distribution, what a viewer unpacks and runs: dist/halcyra/ with the stripped
# halcyra.exe beside the complete data/ (the generated content included), and
# dist/halcyra-windows.zip holding that folder. Made afresh on every build, so nothing left from
# an earlier one (a renamed texture, an unstripped executable) slips in.
set(HALCYRA_DIST_DIR ${CMAKE_BINARY_DIR}/dist)
set(HALCYRA_DIST_ZIP ${HALCYRA_DIST_DIR}/halcyra-windows.zip)
add_custom_target(halcyra-dist ALL
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${HALCYRA_DIST_DIR}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${HALCYRA_DIST_DIR}/halcyra
  COMMAND ${CMAKE_STRIP} --strip-all -o ${HALCYRA_DIST_DIR}/halcyra/halcyra.exe $<TARGET_FILE:halcyra>
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_BINARY_DIR}/data ${HALCYRA_DIST_DIR}/halcyra/data
  COMMAND ${CMAKE_COMMAND} -E chdir ${HALCYRA_DIST_DIR}
    ${CMAKE_COMMAND} -E tar cf ${HALCYRA_DIST_ZIP} --format=zip halcyra
  COMMENT "Packing dist/halcyra/ and ${HALCYRA_DIST_ZIP}"
  VERBATIM)
add_dependencies(halcyra-dist halcyra halcyra-data)
# Where the tests find the folder and the archive.
set_target_properties(halcyra-dist PROPERTIES HALCYRA_DIST_DIR ${HALCYRA_DIST_DIR}/halcyra
  HALCYRA_DIST_ZIP ${HALCYRA_DIST_ZIP})
