# The installed tree is laid out like an installation of the simulator, as the
# build tree is: the programs and the host library at its root, the vessel
# modules in Modules/, and the add-on tree (Config/, Meshes/, Scenarios/, ...).
# The stand-in sound add-on stays in the build tree: installed, it could take
# the place of the real one.
set_target_properties(quorvane-sim quorvane-selfcheck PROPERTIES INSTALL_RPATH "$ORIGIN")
install(TARGETS quorvane-sim quorvane-selfcheck quorvane_host
  RUNTIME DESTINATION .
  LIBRARY DESTINATION .)
install(TARGETS quorvane_odd quorvane_even quorvane_stack
  LIBRARY DESTINATION Modules)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/addon/
  DESTINATION .
  PATTERN CMakeLists.txt EXCLUDE)
