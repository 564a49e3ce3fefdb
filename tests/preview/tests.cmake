# The live preview on the real browser engine, under Xvfb: the module loads,
# shows the page as given, fetches and runs nothing, keeps its place, and a
# screenshot at each width matches headless Chromium's rendering of the same
# file. Also: the program itself does not link the engine.

find_program(TOREPAL_CHROMIUM NAMES chromium chromium-browser)
if(TARGET torepal_preview)
  add_executable(preview_tests ${CMAKE_CURRENT_LIST_DIR}/PreviewEngineTest.cpp)
  target_include_directories(preview_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(preview_tests PRIVATE torepal_ui Qt6::Test Qt6::WebEngineWidgets GTest::gtest)
  target_compile_definitions(preview_tests PRIVATE
    TOREPAL_PROGRAM_DIR="${CMAKE_BINARY_DIR}/program"
    TOREPAL_PREVIEW_ARTIFACTS="${CMAKE_BINARY_DIR}/preview-artifacts"
    TOREPAL_CHROMIUM="${TOREPAL_CHROMIUM}")
  add_dependencies(preview_tests torepal_preview)

  find_program(TOREPAL_XVFB_RUN xvfb-run)
  if(TOREPAL_XVFB_RUN)
    add_test(NAME preview.engine
             COMMAND ${TOREPAL_XVFB_RUN} -a -s "-screen 0 1600x1200x24" $<TARGET_FILE:preview_tests>)
    # Only the tests switch the engine's sandbox off (they may run as root);
    # the program never does it for the seller.
    set_tests_properties(preview.engine PROPERTIES TIMEOUT 240
      ENVIRONMENT "QTWEBENGINE_DISABLE_SANDBOX=1;QT_QPA_PLATFORM=xcb")
    # The engine's own processes are not built with the sanitizers and its
    # start-up allocations outlive any test: the sanitizer pass skips it.
    if(TOREPAL_SANITIZE)
      set_tests_properties(preview.engine PROPERTIES DISABLED TRUE)
    endif()
  else()
    message(STATUS "xvfb-run not found: the live preview's engine test is left out")
  endif()
endif()

add_test(NAME preview.program_does_not_link_the_engine
         COMMAND sh -c "! ldd \"$1\" | grep -i webengine" sh $<TARGET_FILE:torepal>)
