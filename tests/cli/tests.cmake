# The command-line tool, run as a seller's script would run it.
if(TARGET torepal-cli)
  file(GLOB CLI_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
  add_executable(cli_tests ${CLI_TEST_SOURCES})
  target_include_directories(cli_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(cli_tests PRIVATE torepal_core torepal_testsupport GTest::gtest_main)
  target_compile_definitions(cli_tests PRIVATE TOREPAL_CLI="$<TARGET_FILE:torepal-cli>"
                                              TOREPAL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  add_dependencies(cli_tests torepal-cli)
  gtest_discover_tests(cli_tests DISCOVERY_MODE PRE_TEST)

  # The page test that compares the tool with "完成" runs it too.
  target_compile_definitions(ui_tests PRIVATE TOREPAL_CLI="$<TARGET_FILE:torepal-cli>")
  add_dependencies(ui_tests torepal-cli)
endif()
