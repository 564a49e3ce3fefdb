# The areas of src/ and their includes (cmake/Areas.cmake): the graph the
# includes draw has no cycle, whatever the rules say; every include keeps the
# rules (the build checks this as well, before it compiles); and the check
# does catch a bad include, on small made-up trees.
set(TOREPAL_CHECK_AREAS ${CMAKE_SOURCE_DIR}/cmake/CheckAreas.cmake)
add_test(NAME areas.includes_have_no_cycle
         COMMAND ${CMAKE_COMMAND} -DTOREPAL_SRC=${CMAKE_SOURCE_DIR}/src -DTOREPAL_MODE=cycles
                 -P ${TOREPAL_CHECK_AREAS})
add_test(NAME areas.includes_keep_the_rules
         COMMAND ${CMAKE_COMMAND} -DTOREPAL_SRC=${CMAKE_SOURCE_DIR}/src -P ${TOREPAL_CHECK_AREAS})
add_test(NAME areas.check_catches_bad_includes
         COMMAND ${CMAKE_COMMAND} -DTOREPAL_CHECK_AREAS=${TOREPAL_CHECK_AREAS}
                 -DWORK=${CMAKE_CURRENT_BINARY_DIR}/area-trees -P ${CMAKE_CURRENT_LIST_DIR}/BadIncludes.cmake)
