# One static library per area of src/ and the programs, made from the rules
# in cmake/Areas.cmake: each library links the areas its rule names, PUBLIC
# or PRIVATE as there. torepal_core (every core area) and torepal_ui (every
# Qt half) gather them for the tests and benchmarks.
#
# Each library also waits for torepal_area_check, which holds every
# #include "area/..." of src/ against the same rules (cmake/CheckAreas.cmake)
# and stops the build at the first include that runs up the layers or round
# a circle: as all areas share src/ as their include folder, the compiler
# alone would take any of them.

set(TOREPAL_AREA_STAMP ${CMAKE_BINARY_DIR}/areas-checked.stamp)
file(GLOB_RECURSE TOREPAL_AREA_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.h
                                                       ${CMAKE_SOURCE_DIR}/src/*.cpp)
add_custom_command(
  OUTPUT ${TOREPAL_AREA_STAMP}
  COMMAND ${CMAKE_COMMAND} -DTOREPAL_SRC=${CMAKE_SOURCE_DIR}/src
          -P ${CMAKE_SOURCE_DIR}/cmake/CheckAreas.cmake
  COMMAND ${CMAKE_COMMAND} -E touch ${TOREPAL_AREA_STAMP}
  DEPENDS ${TOREPAL_AREA_FILES} ${CMAKE_SOURCE_DIR}/cmake/Areas.cmake
          ${CMAKE_SOURCE_DIR}/cmake/CheckAreas.cmake
  COMMENT "Checking the includes of src/ against cmake/Areas.cmake"
  VERBATIM)
add_custom_target(torepal_area_check DEPENDS ${TOREPAL_AREA_STAMP})

set(TOREPAL_CORE_LIBRARIES)
set(TOREPAL_UI_LIBRARIES)

macro(torepal_area name)
  cmake_parse_arguments(area "QT;NO_LIBRARY" "PROGRAM" "PUBLIC;PRIVATE" ${ARGN})
  string(REPLACE "/" "_" area_target "torepal_${name}")
  set(area_made TRUE)
  if(area_NO_LIBRARY)
    set(area_made FALSE)
  elseif(area_PROGRAM)
    set(area_target ${area_PROGRAM})
    if(EXISTS ${CMAKE_SOURCE_DIR}/src/${name})
      add_executable(${area_target} ${CMAKE_SOURCE_DIR}/src/${name})
    else()
      set(area_made FALSE)
    endif()
  else()
    set(area_dir ${CMAKE_SOURCE_DIR}/src/${name})
    file(GLOB area_sources CONFIGURE_DEPENDS ${area_dir}/*.cpp ${area_dir}/*.h ${area_dir}/*.ui)
    list(FILTER area_sources EXCLUDE REGEX "/main\\.cpp$")
    add_library(${area_target} STATIC ${area_sources})
    target_include_directories(${area_target} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    if(area_QT)
      set_target_properties(${area_target} PROPERTIES AUTOMOC ON AUTOUIC ON)
      target_link_libraries(${area_target} PUBLIC Qt6::Widgets)
      list(APPEND TOREPAL_UI_LIBRARIES ${area_target})
    else()
      # The core knows nothing of Qt: nothing to generate for it.
      set_target_properties(${area_target} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
      list(APPEND TOREPAL_CORE_LIBRARIES ${area_target})
    endif()
  endif()
  if(area_made)
    add_dependencies(${area_target} torepal_area_check)
    foreach(area_scope PUBLIC PRIVATE)
      foreach(area_used IN LISTS area_${area_scope})
        string(REPLACE "/" "_" area_used "torepal_${area_used}")
        target_link_libraries(${area_target} ${area_scope} ${area_used})
      endforeach()
    endforeach()
  endif()
endmacro()

include(${CMAKE_CURRENT_LIST_DIR}/Areas.cmake)

add_library(torepal_core INTERFACE)
target_link_libraries(torepal_core INTERFACE ${TOREPAL_CORE_LIBRARIES})
add_library(torepal_ui INTERFACE)
target_link_libraries(torepal_ui INTERFACE torepal_core ${TOREPAL_UI_LIBRARIES})

# The program's icons and pages' images; ProgramIcon.cpp initialises them.
target_sources(torepal_app_ui PRIVATE ${CMAKE_SOURCE_DIR}/resources/torepal.qrc)
set_target_properties(torepal_app_ui PROPERTIES AUTORCC ON)
