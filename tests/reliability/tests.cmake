# Core reliability tests: saves under injected faults and real kills,
# temporaries, size limits of the readers.
file(GLOB RELIABILITY_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
add_executable(reliability_tests ${RELIABILITY_TEST_SOURCES})
target_link_libraries(reliability_tests PRIVATE torepal_testsupport GTest::gtest_main)
target_compile_definitions(reliability_tests PRIVATE TOREPAL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
gtest_discover_tests(reliability_tests DISCOVERY_MODE PRE_TEST)

# The command-line tool writing to a full disk.
if(TARGET torepal-cli)
  target_compile_definitions(reliability_tests PRIVATE TOREPAL_CLI="$<TARGET_FILE:torepal-cli>")
  add_dependencies(reliability_tests torepal-cli)
endif()
