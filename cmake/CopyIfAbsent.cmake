# cmake -DSOURCE=<file> -DTARGET=<file> -P CopyIfAbsent.cmake
# Lays a default file down only where none exists yet: the program folder's
# settings files belong to the seller once the program has run.
if(NOT EXISTS "${TARGET}")
  get_filename_component(folder "${TARGET}" DIRECTORY)
  file(MAKE_DIRECTORY "${folder}")
  file(COPY_FILE "${SOURCE}" "${TARGET}")
endif()
