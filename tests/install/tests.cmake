# The program folder's shipped files, and the installed program.

add_executable(install_tests ${CMAKE_CURRENT_LIST_DIR}/ProgramFilesTest.cpp)
target_link_libraries(install_tests PRIVATE torepal_testsupport GTest::gtest_main)
target_compile_definitions(install_tests PRIVATE TOREPAL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
gtest_discover_tests(install_tests DISCOVERY_MODE PRE_TEST)

# Each check installs the build into a fresh prefix of its own under
# install-checks/ and looks at the result (tests/install/check_install.sh).
set(TOREPAL_INSTALL_CHECKS layout reinstall desktop metainfo starts nodisplay)
if(TARGET torepal-cli)
  list(APPEND TOREPAL_INSTALL_CHECKS cli)
endif()
find_program(TOREPAL_XVFB_RUN xvfb-run)
find_program(TOREPAL_XDOTOOL xdotool)
if(TOREPAL_XVFB_RUN AND TOREPAL_XDOTOOL)
  list(APPEND TOREPAL_INSTALL_CHECKS closes)
endif()
foreach(check IN LISTS TOREPAL_INSTALL_CHECKS)
  add_test(NAME install.${check}
           COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/check_install.sh ${check}
                   ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/install-checks)
  set_tests_properties(install.${check} PROPERTIES TIMEOUT 120)
endforeach()
