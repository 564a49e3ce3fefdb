# The live preview's browser engine, in a module of its own beside the
# program: torepal loads it with QPluginLoader the first time the seller
# opens the preview, so the program never links Qt WebEngine and starts as
# before. Without Qt WebEngine the module is left out and the program says
# so when the preview is asked for.

find_package(Qt6 COMPONENTS WebEngineWidgets Quick QUIET)
if(TARGET Qt6::WebEngineWidgets)
  add_library(torepal_preview MODULE
    ${CMAKE_SOURCE_DIR}/src/preview/PreviewModule.cpp
    ${CMAKE_SOURCE_DIR}/src/preview/WebPagePreview.cpp
    ${CMAKE_SOURCE_DIR}/src/preview/WebPagePreview.h
    ${CMAKE_SOURCE_DIR}/src/plate/ui/PagePreview.h)
  set_target_properties(torepal_preview PROPERTIES
    AUTOMOC ON
    PREFIX ""
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/program)
  target_include_directories(torepal_preview PRIVATE ${CMAKE_SOURCE_DIR}/src)
  # Only Qt: the module shares nothing of the program's code but the
  # interface header, so it holds no second copy of the core.
  target_link_libraries(torepal_preview PRIVATE Qt6::WebEngineWidgets Qt6::Quick Qt6::Widgets)
  add_dependencies(torepal torepal_preview)
else()
  message(STATUS "Qt WebEngine not found: the live preview module is left out")
endif()
