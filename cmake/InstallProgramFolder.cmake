# Run by `cmake --install` (see Install.cmake, which sets the TOREPAL_*
# variables just before). CMAKE_INSTALL_PREFIX is the prefix given now.

cmake_path(ABSOLUTE_PATH CMAKE_INSTALL_PREFIX NORMALIZE OUTPUT_VARIABLE prefix)
string(REGEX REPLACE "/$" "" prefix "${prefix}")
set(program_folder "${prefix}/${TOREPAL_PROGRAM_DIR}")

# Files the seller owns once they exist: the sample templates (the template
# editor rewrites them) and the plate settings.
set(seller_files)
foreach(template IN LISTS TOREPAL_SAMPLE_TEMPLATES)
  get_filename_component(name "${template}" NAME)
  list(APPEND seller_files "${template}|file/${name}")
endforeach()
list(APPEND seller_files "${TOREPAL_DEFAULT_PLATE}|plate.ini")
foreach(entry IN LISTS seller_files)
  string(REPLACE "|" ";" entry "${entry}")
  list(GET entry 0 source)
  list(GET entry 1 relative)
  if(EXISTS "$ENV{DESTDIR}${program_folder}/${relative}")
    message(STATUS "Keeping: $ENV{DESTDIR}${program_folder}/${relative}")
  else()
    get_filename_component(folder "${program_folder}/${relative}" DIRECTORY)
    file(INSTALL DESTINATION "${folder}" TYPE FILE FILES "${source}")
  endif()
endforeach()

# The price files of the current services: a seller may correct a price or
# add a service, so a changed file is kept; one never changed is renewed.
set(SHIPPED "${TOREPAL_TARIFF_FILES}")
set(HISTORY "${TOREPAL_TARIFF_HISTORY}")
set(FOLDER "$ENV{DESTDIR}${program_folder}/tariffs")
include("${TOREPAL_SOURCE_DIR}/cmake/InstallShippedTariffs.cmake")

# The desktop entry starts the program in its folder by absolute path. A
# path with characters the entry format reserves is quoted and escaped.
set(exec "${program_folder}/torepal")
string(REPLACE "%" "%%" exec "${exec}")
if(exec MATCHES "[] \t\"'\\\\><~|&;$*?#()`[]")
  string(REPLACE "\\" "\\\\" exec "${exec}")
  string(REPLACE "\"" "\\\"" exec "${exec}")
  string(REPLACE "`" "\\`" exec "${exec}")
  string(REPLACE "$" "\\$" exec "${exec}")
  set(exec "\"${exec}\"")
  # The value is itself a string in which a backslash is escaped once more.
  string(REPLACE "\\" "\\\\" exec "${exec}")
endif()
set(TOREPAL_DESKTOP_EXEC "${exec}")
configure_file("${TOREPAL_SOURCE_DIR}/resources/desktop/torepal.desktop.in"
               "${TOREPAL_INSTALL_GEN}/applications/torepal.desktop" @ONLY)
file(INSTALL DESTINATION "${prefix}/${TOREPAL_DATAROOTDIR}/applications" TYPE FILE
     FILES "${TOREPAL_INSTALL_GEN}/applications/torepal.desktop")
