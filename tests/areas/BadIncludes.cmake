# Runs the area check (cmake/CheckAreas.cmake) on small made-up trees under
# WORK, each with the real rules unless it says otherwise, and fails unless
# the check passes the good ones and stops each bad one naming the file, the
# include and the rule it breaks.
cmake_minimum_required(VERSION 3.25)

set(failures 0)

# Writes the tree <name>/src from "path:text" pairs; a text of "-" is an
# empty file.
function(make_tree name)
  file(REMOVE_RECURSE ${WORK}/${name})
  foreach(entry IN LISTS ARGN)
    string(FIND "${entry}" ":" colon)
    string(SUBSTRING "${entry}" 0 ${colon} path)
    math(EXPR start "${colon} + 1")
    string(SUBSTRING "${entry}" ${start} -1 text)
    if(text STREQUAL "-")
      set(text "")
    endif()
    file(WRITE ${WORK}/${name}/src/${path} "${text}\n")
  endforeach()
endfunction()

# expect(<name> <PASS|FAIL> [MODE <mode>] [RULES <file>] [SAYS <text>...])
function(expect name outcome)
  cmake_parse_arguments(x "" "MODE;RULES" "SAYS" ${ARGN})
  set(args -DTOREPAL_SRC=${WORK}/${name}/src)
  if(x_MODE)
    list(APPEND args -DTOREPAL_MODE=${x_MODE})
  endif()
  if(x_RULES)
    list(APPEND args -DTOREPAL_AREAS=${x_RULES})
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} ${args} -P ${TOREPAL_CHECK_AREAS}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  set(wrong "")
  if(outcome STREQUAL "PASS" AND NOT rc EQUAL 0)
    set(wrong "the check failed a good tree")
  elseif(outcome STREQUAL "FAIL" AND rc EQUAL 0)
    set(wrong "the check passed a bad tree")
  endif()
  foreach(text IN LISTS x_SAYS)
    string(FIND "${out}" "${text}" at)
    if(at EQUAL -1)
      set(wrong "${wrong} [no \"${text}\" in what the check said]")
    endif()
  endforeach()
  if(wrong)
    message(NOTICE "${name}: ${wrong}\n${out}")
    math(EXPR n "${failures} + 1")
    set(failures ${n} PARENT_SCOPE)
  else()
    message(STATUS "${name}: as expected")
  endif()
endfunction()

# Downward includes, a generated form header and a library's header pass.
make_tree(good
  "io/File.h:-"
  "text/Lines.h:#include \"io/File.h\""
  "text/Lines.cpp:#include \"text/Lines.h\"\n#include \"io/File.h\""
  "store/SettingsFiles.cpp:#include \"io/File.h\"\n#include \"text/Lines.h\""
  "plate/ui/CLink.cpp:#include \"ui_CLink.h\"\n#include \"plate/PlateState.h\""
  "plate/PlateState.h:#include \"shipping/Tariff.h\"\n#include <string>"
  "shipping/Tariff.h:#include \"text/Lines.h\""
  "shipping/TariffReader.cpp:#include \"toml++/toml.h\"")
expect(good PASS)
expect(good PASS MODE cycles)

# io is the bottom: it may use nothing.
make_tree(upward
  "io/File.h:#include \"text/Lines.h\""
  "text/Lines.h:-")
expect(upward FAIL SAYS "io/File.h includes \"text/Lines.h\": a header of io may include only io")

# store uses io in its .cpp files only (PRIVATE): its headers may not.
make_tree(private_in_header
  "io/File.h:-"
  "store/SettingsFiles.h:#include \"io/File.h\""
  "store/SettingsFiles.cpp:#include \"io/File.h\"")
expect(private_in_header FAIL
       SAYS "store/SettingsFiles.h includes \"io/File.h\": a header of store may include only store"
            "1 breaches")

# Sideways, written as a path from the file's own folder: mail may not use
# files.
make_tree(sideways
  "files/SavedFileList.h:-"
  "mail/MailFiles.cpp:#include \"../files/SavedFileList.h\"")
expect(sideways FAIL SAYS "mail/MailFiles.cpp includes \"../files/SavedFileList.h\": mail may use only mail io store text")

# The core may not reach up into a Qt half.
make_tree(core_to_ui
  "plate/ui/CDTemplate.h:-"
  "plate/RenderPage.cpp:#include \"plate/ui/CDTemplate.h\"")
expect(core_to_ui FAIL SAYS "plate/RenderPage.cpp includes \"plate/ui/CDTemplate.h\": plate may use only")

# A new folder needs a rule before it builds.
make_tree(unknown_area
  "io/File.h:-"
  "coupons/Coupon.h:#include \"io/File.h\"")
expect(unknown_area FAIL SAYS "coupons/Coupon.h: its folder coupons is no area of")

# Round a circle, whatever the rules: the cycle is named.
make_tree(circle
  "plate/PlateState.h:#include \"shipping/Tariff.h\""
  "shipping/Tariff.h:#include \"plate/PlateState.h\"")
expect(circle FAIL MODE cycles SAYS "has a cycle: plate -> shipping -> plate")

# Rules that go round a circle are refused too.
file(WRITE ${WORK}/circular_rules.cmake "torepal_area(a PUBLIC b)\ntorepal_area(b PRIVATE a)\n")
make_tree(circle_in_rules "a/A.h:-")
expect(circle_in_rules FAIL RULES ${WORK}/circular_rules.cmake SAYS "has a cycle: a -> b -> a")

if(failures)
  message(FATAL_ERROR "${failures} trees were not checked as they should be")
endif()
