# The real program worked from outside through the desktop's accessibility
# bus (AT-SPI), the way a screen reader or a UI automation tool sees it: the
# check starts its own Xvfb, session bus and accessibility bus, and is
# skipped (exit code 77) where those tools are missing.

# Debian's GObject bindings belong to the system interpreter; a Python found
# first on PATH (a virtual environment, pyenv) usually lacks them.
find_program(TOREPAL_SYSTEM_PYTHON NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH)
if(TOREPAL_SYSTEM_PYTHON)
  set(TOREPAL_A11Y_PYTHON ${TOREPAL_SYSTEM_PYTHON})
else()
  find_package(Python3 COMPONENTS Interpreter)
  set(TOREPAL_A11Y_PYTHON ${Python3_EXECUTABLE})
endif()

if(TOREPAL_A11Y_PYTHON)
  add_test(NAME a11y.program_from_outside
           COMMAND ${TOREPAL_A11Y_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/check_accessibility.py
                   $<TARGET_FILE_DIR:torepal>)
  set_tests_properties(a11y.program_from_outside PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 150)
else()
  message(STATUS "python3 not found: the accessibility check of the program is left out")
endif()
