# The warnings every target of ours is built with; a warning stops the build
# (CMAKE_COMPILE_WARNING_AS_ERROR in the top CMakeLists.txt). System, Qt,
# GoogleTest and toml++ headers come in as system includes and are not ours
# to mend; moc's, uic's and rcc's output is clean under this set.
#
# Beyond -Wall -Wextra (which already hold -Wmisleading-indentation and
# -Wimplicit-fallthrough): the whole set the code compiles cleanly under.
# Left out, because each would take real changes rather than a rename:
# -Wsign-conversion (every std::string index and Qt size), -Wswitch-enum
# (the key and grid switches handle the keys they mean), -Warith-conversion;
# -Wnull-dereference depends on the optimiser's reach, so a build type that
# inlines more (the release benchmarks) could fail where this one passes.
set(TOREPAL_WARNINGS
  -Wall -Wextra -Wpedantic
  -Wshadow -Wconversion -Wdouble-promotion -Wfloat-equal
  -Wold-style-cast -Wcast-align -Wcast-qual
  -Wnon-virtual-dtor -Woverloaded-virtual -Wsuggest-override -Wdeprecated-copy-dtor
  -Wformat=2 -Wundef -Wredundant-decls -Wmissing-declarations
  -Wextra-semi -Wzero-as-null-pointer-constant -Wmismatched-tags)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # gcc's own: casts to the type a value has already, the same condition or
  # branch twice in one if/else chain, && and || that are always one value.
  list(APPEND TOREPAL_WARNINGS -Wuseless-cast -Wduplicated-cond -Wduplicated-branches -Wlogical-op)
elseif(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  # clang's -Wconversion holds -Wsign-conversion, which gcc keeps apart.
  list(APPEND TOREPAL_WARNINGS -Wno-sign-conversion)
endif()
add_compile_options(${TOREPAL_WARNINGS})
