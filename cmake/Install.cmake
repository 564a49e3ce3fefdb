# Installing: `cmake --install <build> --prefix <P>` lays out a complete,
# self-contained program folder and hooks it into the desktop:
#
#   P/lib/torepal/              the program folder: torepal, torepal-cli,
#                               torepal-preview (the live preview's engine),
#                               back/, file/ (sample templates), tariffs/
#                               (current services' prices), menu_help.html,
#                               torepal.png, plate.ini (defaults)
#   P/bin/torepal, torepal-cli  launchers that run the programs in the folder
#   P/share/applications/torepal.desktop
#   P/share/icons/hicolor/<n>x<n>/apps/torepal.png, scalable/apps/torepal.svg
#   P/share/metainfo/<app id>.metainfo.xml
#
# The program keeps its settings and saved files beside itself, so the folder
# has to be writable by the seller: a per-user prefix (~/.local) is the normal
# install. Files the seller may have changed (the templates in file/ and
# plate.ini) are laid down only where they do not exist yet, so installing a
# new version never replaces them; the price files in tariffs/ are renewed
# only where the seller never changed them, and otherwise the new version is
# put beside as <name>.toml.new (cmake/InstallShippedTariffs.cmake); the
# programs, the help page and the icons are always replaced.

include(GNUInstallDirs)

set(TOREPAL_PROGRAM_DIR "lib/torepal" CACHE STRING
    "Program folder, relative to the install prefix")
set(TOREPAL_APP_ID "jp.example.torepal")

set(TOREPAL_INSTALL_GEN ${CMAKE_BINARY_DIR}/install-gen)
set(TOREPAL_DEFAULT_PLATE ${CMAKE_SOURCE_DIR}/program/plate.ini)

# The build tree's program folder gets the default plate settings too, once.
add_custom_target(program_default_plate ALL
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${TOREPAL_DEFAULT_PLATE} -DTARGET=${PROGRAM_DIR}/plate.ini
          -P ${CMAKE_SOURCE_DIR}/cmake/CopyIfAbsent.cmake
  COMMENT "Laying the default plate.ini into the program folder (if it has none)"
  VERBATIM)
add_dependencies(torepal program_default_plate)

# The programs and the files that belong to the program itself. They link
# the project's own code statically and need no run path of their own; a Qt
# outside the system folders keeps the path it was linked with.
foreach(program torepal torepal-cli torepal-preview)
  if(TARGET ${program})
    set_target_properties(${program} PROPERTIES INSTALL_RPATH "" INSTALL_RPATH_USE_LINK_PATH TRUE)
    install(TARGETS ${program} RUNTIME DESTINATION ${TOREPAL_PROGRAM_DIR})
  endif()
endforeach()
install(DIRECTORY DESTINATION ${TOREPAL_PROGRAM_DIR}/back)
install(FILES ${CMAKE_SOURCE_DIR}/program/menu_help.html DESTINATION ${TOREPAL_PROGRAM_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/hicolor/256x256/apps/torepal.png
        DESTINATION ${TOREPAL_PROGRAM_DIR})

# Launchers in bin/: each finds the program folder from its own place, so the
# installed tree can be moved as a whole.
file(RELATIVE_PATH TOREPAL_BIN_TO_PROGRAM /bin /${TOREPAL_PROGRAM_DIR})
foreach(program torepal torepal-cli)
  if(TARGET ${program})
    set(TOREPAL_LAUNCHED ${program})
    configure_file(${CMAKE_SOURCE_DIR}/resources/desktop/launcher.sh.in
                   ${TOREPAL_INSTALL_GEN}/bin/${program} @ONLY)
    install(PROGRAMS ${TOREPAL_INSTALL_GEN}/bin/${program} DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

# Desktop integration: icons and AppStream data do not depend on the prefix.
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/hicolor/${size}x${size}/apps/torepal.png
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/torepal.svg
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
configure_file(${CMAKE_SOURCE_DIR}/resources/desktop/torepal.metainfo.xml.in
               ${TOREPAL_INSTALL_GEN}/${TOREPAL_APP_ID}.metainfo.xml @ONLY)
install(FILES ${TOREPAL_INSTALL_GEN}/${TOREPAL_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)

# What is decided only when installing: the desktop entry names the program by
# its absolute path under the prefix given then, and the seller's files are
# laid down only where there are none.
file(GLOB TOREPAL_SAMPLE_TEMPLATES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/program/file/*.txt)
file(GLOB TOREPAL_TARIFF_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/program/tariffs/*.toml)
install(CODE "
  set(TOREPAL_SOURCE_DIR [[${CMAKE_SOURCE_DIR}]])
  set(TOREPAL_INSTALL_GEN [[${TOREPAL_INSTALL_GEN}]])
  set(TOREPAL_PROGRAM_DIR [[${TOREPAL_PROGRAM_DIR}]])
  set(TOREPAL_DATAROOTDIR [[${CMAKE_INSTALL_DATAROOTDIR}]])
  set(TOREPAL_SAMPLE_TEMPLATES [[${TOREPAL_SAMPLE_TEMPLATES}]])
  set(TOREPAL_TARIFF_FILES [[${TOREPAL_TARIFF_FILES}]])
  set(TOREPAL_TARIFF_HISTORY [[${CMAKE_SOURCE_DIR}/program/shipped-tariffs.sha256]])
  set(TOREPAL_DEFAULT_PLATE [[${TOREPAL_DEFAULT_PLATE}]])
")
install(SCRIPT ${CMAKE_SOURCE_DIR}/cmake/InstallProgramFolder.cmake)
