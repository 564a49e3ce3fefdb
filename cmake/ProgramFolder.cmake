# Lays out the ready program folder beside the executables: back/ for saved
# pages and mails, file/ with the sample mail templates, the help page and
# the default plate settings, tariffs/ with the current services' price
# files. The program itself never creates these.
set(PROGRAM_DIR ${CMAKE_BINARY_DIR}/program)
file(GLOB PROGRAM_TEMPLATES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/program/file/*.txt)
file(GLOB PROGRAM_TARIFFS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/program/tariffs/*.toml)
set(PROGRAM_FOLDER_STAMP ${CMAKE_BINARY_DIR}/program-folder.stamp)
add_custom_command(
  OUTPUT ${PROGRAM_FOLDER_STAMP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROGRAM_DIR}/back ${PROGRAM_DIR}/file ${PROGRAM_DIR}/tariffs
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROGRAM_TEMPLATES} ${PROGRAM_DIR}/file/
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROGRAM_TARIFFS} ${PROGRAM_DIR}/tariffs/
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/program/menu_help.html ${PROGRAM_DIR}/
  COMMAND ${CMAKE_COMMAND} -E touch ${PROGRAM_FOLDER_STAMP}
  DEPENDS ${PROGRAM_TEMPLATES} ${PROGRAM_TARIFFS} ${CMAKE_SOURCE_DIR}/program/menu_help.html
  COMMENT "Laying out the program folder")
add_custom_target(program_folder ALL DEPENDS ${PROGRAM_FOLDER_STAMP})
add_dependencies(torepal program_folder)
