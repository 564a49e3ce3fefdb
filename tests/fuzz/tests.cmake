# Fuzz targets: each tests/fuzz/<name>.cpp defines LLVMFuzzerTestOneInput and
# has its seed corpus in tests/fuzz/corpus/<name>/.
#
# Normal build: every target is linked with a small runner and run by CTest
# over its corpus plus a fixed set of mutated inputs (fuzz.<name>).
# TOREPAL_FUZZ=ON (clang; scripts/fuzz.sh): the targets are linked with
# libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer as fuzz_<name>,
# and the core's libraries get the coverage instrumentation.

set(TOREPAL_FUZZ_DIR ${CMAKE_CURRENT_LIST_DIR})
file(GLOB TOREPAL_FUZZ_TARGETS CONFIGURE_DEPENDS ${TOREPAL_FUZZ_DIR}/*.cpp)
list(FILTER TOREPAL_FUZZ_TARGETS EXCLUDE REGEX "/RegressionMain\\.cpp$")
set(TOREPAL_FUZZ_MUTATIONS 10000 CACHE STRING "Mutated inputs each fuzz regression test runs")

if(TOREPAL_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "TOREPAL_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  set(TOREPAL_FUZZ_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  foreach(library IN LISTS TOREPAL_CORE_LIBRARIES)
    target_compile_options(${library} PRIVATE -fsanitize=fuzzer-no-link ${TOREPAL_FUZZ_FLAGS})
  endforeach()
  target_link_options(torepal_core INTERFACE -fsanitize=address,undefined)
endif()

foreach(source IN LISTS TOREPAL_FUZZ_TARGETS)
  get_filename_component(name ${source} NAME_WE)
  set(corpus ${TOREPAL_FUZZ_DIR}/corpus/${name})
  if(TOREPAL_FUZZ)
    add_executable(fuzz_${name} ${source})
    target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer ${TOREPAL_FUZZ_FLAGS})
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(fuzz_${name} PRIVATE torepal_core)
    target_include_directories(fuzz_${name} PRIVATE ${TOREPAL_FUZZ_DIR})
    add_test(NAME fuzz.${name} COMMAND fuzz_${name} -runs=0 ${corpus})
  else()
    add_executable(fuzz_regress_${name} ${source} ${TOREPAL_FUZZ_DIR}/RegressionMain.cpp)
    target_link_libraries(fuzz_regress_${name} PRIVATE torepal_core)
    target_include_directories(fuzz_regress_${name} PRIVATE ${TOREPAL_FUZZ_DIR})
    add_test(NAME fuzz.${name}
             COMMAND fuzz_regress_${name} ${corpus} --mutations=${TOREPAL_FUZZ_MUTATIONS})
  endif()
endforeach()
