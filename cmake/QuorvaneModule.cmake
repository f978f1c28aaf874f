# quorvane_add_module(<name> SOURCES ... [DEFINITIONS ...] [EXPORTS_MAP file] [OUTPUT_DIR dir])
#
# A vessel module: a shared library named <name>.so (no "lib" prefix) in the
# tree's Modules/ folder, built from its sources and the module frame, that
# exports its four entry points and nothing else.
function(quorvane_add_module name)
  cmake_parse_arguments(ARG "" "EXPORTS_MAP;OUTPUT_DIR" "SOURCES;DEFINITIONS" ${ARGN})
  if(NOT ARG_EXPORTS_MAP)
    set(ARG_EXPORTS_MAP ${PROJECT_SOURCE_DIR}/cmake/module_exports.map)
  endif()
  if(NOT ARG_OUTPUT_DIR)
    set(ARG_OUTPUT_DIR ${QUORVANE_ROOT}/Modules)
  endif()
  add_library(${name} MODULE ${ARG_SOURCES} $<TARGET_OBJECTS:quorvane_frame>)
  target_compile_definitions(${name} PRIVATE ${ARG_DEFINITIONS})
  target_link_libraries(${name} PRIVATE quorvane_module_interface)
  set_target_properties(${name} PROPERTIES
    PREFIX ""
    OUTPUT_NAME ${name}
    LIBRARY_OUTPUT_DIRECTORY ${ARG_OUTPUT_DIR}
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    LINK_DEPENDS ${ARG_EXPORTS_MAP})
  # The host library sits at the root of the tree, one folder up.
  file(RELATIVE_PATH up ${ARG_OUTPUT_DIR} ${QUORVANE_ROOT})
  set_target_properties(${name} PROPERTIES BUILD_RPATH "$ORIGIN/${up}" INSTALL_RPATH "$ORIGIN/..")
  target_link_options(${name} PRIVATE "LINKER:--version-script=${ARG_EXPORTS_MAP}")
endfunction()
