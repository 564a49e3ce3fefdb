# The five listing pages of one full form, opened in a real browser: the
# texts must be readable there (decoded as Shift-JIS, nothing missing), and
# a screenshot of each is kept in browser-artifacts/ for a look. The pages
# made with スマートフォンでも読みやすく are measured at phone widths.

add_executable(render_browser_pages ${CMAKE_CURRENT_LIST_DIR}/RenderBrowserPages.cpp)
target_link_libraries(render_browser_pages PRIVATE torepal_testsupport)

find_program(TOREPAL_CHROMIUM NAMES chromium chromium-browser)
find_package(Python3 COMPONENTS Interpreter)
if(TOREPAL_CHROMIUM AND Python3_Interpreter_FOUND)
  set(TOREPAL_BROWSER_PAGES ${CMAKE_BINARY_DIR}/browser-pages)
  set(TOREPAL_BROWSER_ARTIFACTS ${CMAKE_BINARY_DIR}/browser-artifacts)
  add_test(NAME browser.render_pages COMMAND render_browser_pages ${TOREPAL_BROWSER_PAGES})
  add_test(NAME browser.pages_readable
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/check_pages.py ${TOREPAL_CHROMIUM}
                   ${TOREPAL_BROWSER_PAGES} ${TOREPAL_BROWSER_ARTIFACTS})
  add_test(NAME browser.phone_fit
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/check_phone_fit.py ${TOREPAL_CHROMIUM}
                   ${TOREPAL_BROWSER_PAGES} ${TOREPAL_BROWSER_ARTIFACTS})
  set_tests_properties(browser.phone_fit PROPERTIES FIXTURES_REQUIRED browser_pages TIMEOUT 300)
  set_tests_properties(browser.render_pages PROPERTIES FIXTURES_SETUP browser_pages)
  set_tests_properties(browser.pages_readable PROPERTIES FIXTURES_REQUIRED browser_pages TIMEOUT 300)
else()
  message(STATUS "chromium or python3 not found: the browser check of the listing pages is left out")
endif()
