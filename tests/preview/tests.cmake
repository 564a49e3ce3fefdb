# The live preview on the real browser engine, under Xvfb: its window shows
# the page as given, fetches and runs nothing, keeps its place, and a
# screenshot at each width matches headless Chromium's rendering of the same
# file; its process shows what the program hands it, ends when it is closed
# or its input ends, and one that dies or hangs is told and replaced. Also:
# the program itself does not link the engine.

find_program(TOREPAL_CHROMIUM NAMES chromium chromium-browser)
find_program(TOREPAL_XVFB_RUN xvfb-run)
find_program(TOREPAL_XDOTOOL xdotool)
if(TARGET torepal-preview AND TOREPAL_XVFB_RUN)
  # The window alone, in this process, as the preview process drives it:
  # like the preview program, built without the sanitizers, and sharing no
  # code with the program (its pages come from torepal-cli, below).
  add_executable(preview_window_tests ${CMAKE_CURRENT_LIST_DIR}/engine/PreviewWindowTest.cpp)
  target_link_libraries(preview_window_tests PRIVATE torepal_preview_window Qt6::Test GTest::gtest)
  target_compile_definitions(preview_window_tests PRIVATE
    TOREPAL_PREVIEW_ARTIFACTS="${CMAKE_BINARY_DIR}/preview-artifacts"
    TOREPAL_CHROMIUM="${TOREPAL_CHROMIUM}")
  if(TOREPAL_SANITIZE)
    target_compile_options(preview_window_tests PRIVATE -fno-sanitize=all)
    target_link_options(preview_window_tests PRIVATE -fno-sanitize=all)
  endif()
  add_test(NAME preview.sample_pages
           COMMAND sh -c [=[set -e
             out=$1 cli=$2 sample=$3
             mkdir -p "$out"
             sed 's/$/\r/' "$sample" | iconv -f UTF-8 -t CP932 > "$out/sample.tpf"
             "$cli" render "$out/sample.tpf" > "$out/sample.html"
             sed 's/^,11,0,12,0,1,0,1,0/,11,0,12,0,1,0,0,1/' "$out/sample.tpf" > "$out/banner.tpf"
             "$cli" render "$out/banner.tpf" > "$out/banner.html"
             grep -qi 'banner.gif' "$out/banner.html"]=] sh
                   ${CMAKE_BINARY_DIR}/preview-artifacts $<TARGET_FILE:torepal-cli>
                   ${CMAKE_SOURCE_DIR}/tests/install/sample/project.tpf.txt)
  set_tests_properties(preview.sample_pages PROPERTIES FIXTURES_SETUP preview_pages)

  add_executable(preview_process_tests ${CMAKE_CURRENT_LIST_DIR}/engine/PreviewProcessTest.cpp)
  target_link_libraries(preview_process_tests PRIVATE torepal_testsupport_ui GTest::gtest)
  target_compile_definitions(preview_process_tests PRIVATE
    TOREPAL_PROGRAM_DIR="${CMAKE_BINARY_DIR}/program"
    TOREPAL_XDOTOOL="${TOREPAL_XDOTOOL}")
  add_dependencies(preview_process_tests torepal-preview)

  foreach(group window process)
    add_test(NAME preview.${group}
             COMMAND ${TOREPAL_XVFB_RUN} -a -s "-screen 0 1600x1200x24" $<TARGET_FILE:preview_${group}_tests>)
    # Only the tests switch the engine's sandbox off (they may run as root);
    # the program never does it for the seller.
    set_tests_properties(preview.${group} PROPERTIES TIMEOUT 240
      ENVIRONMENT "QTWEBENGINE_DISABLE_SANDBOX=1;QT_QPA_PLATFORM=xcb")
  endforeach()
  set_tests_properties(preview.window PROPERTIES FIXTURES_REQUIRED preview_pages)
else()
  message(STATUS "Qt WebEngine or xvfb-run not found: the live preview's engine tests are left out")
endif()

add_test(NAME preview.program_does_not_link_the_engine
         COMMAND sh -c "! ldd \"$1\" | grep -i webengine" sh $<TARGET_FILE:torepal>)
