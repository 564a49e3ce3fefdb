# The live preview's browser engine, in a program of its own beside torepal:
# torepal starts torepal-preview the first time the seller opens the preview
# and feeds it pages over its standard input, so torepal never links Qt
# WebEngine nor loads an OpenGL driver. Without Qt WebEngine the program is
# left out and torepal says so when the preview is asked for.

find_package(Qt6 COMPONENTS WebEngineWidgets Quick QUIET)
if(TARGET Qt6::WebEngineWidgets)
  # The window, apart from the program's main(), so the engine test can
  # drive it in its own process.
  add_library(torepal_preview_window STATIC
    ${CMAKE_SOURCE_DIR}/src/preview/engine/PreviewWindow.cpp
    ${CMAKE_SOURCE_DIR}/src/preview/engine/PreviewWindow.h
    ${CMAKE_SOURCE_DIR}/src/preview/engine/PreviewHost.cpp
    ${CMAKE_SOURCE_DIR}/src/preview/engine/PreviewHost.h
    ${CMAKE_SOURCE_DIR}/src/preview/PreviewChannel.cpp
    ${CMAKE_SOURCE_DIR}/src/preview/EngineSandbox.cpp)
  set_target_properties(torepal_preview_window PROPERTIES AUTOMOC ON)
  target_include_directories(torepal_preview_window PUBLIC ${CMAKE_SOURCE_DIR}/src)
  # Only Qt and the channel: the process holds no copy of the core.
  target_link_libraries(torepal_preview_window PUBLIC Qt6::WebEngineWidgets Qt6::Quick Qt6::Widgets)

  add_executable(torepal-preview ${CMAKE_SOURCE_DIR}/src/preview/engine/main.cpp)
  target_link_libraries(torepal-preview PRIVATE torepal_preview_window)
  add_dependencies(torepal torepal-preview)

  # The engine's own code is not built with the sanitizers, and what it
  # allocates for the life of its process outlives any leak check: the
  # preview program and its window are built without them even in the
  # sanitizer build, while the program's side of the channel (in torepal
  # and its tests) keeps them.
  if(TOREPAL_SANITIZE)
    foreach(target torepal_preview_window torepal-preview)
      target_compile_options(${target} PRIVATE -fno-sanitize=all)
      target_link_options(${target} PRIVATE -fno-sanitize=all)
    endforeach()
  endif()
else()
  message(STATUS "Qt WebEngine not found: the live preview program is left out")
endif()
