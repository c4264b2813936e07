# The property library "PropLib.cds" lies beside the program; copied at build time.
add_custom_command(
  OUTPUT ${TUBALON_BIN}/PropLib.cds
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_CURRENT_LIST_DIR}/PropLib.cds
          ${TUBALON_BIN}/PropLib.cds
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/PropLib.cds
  COMMENT "Copying PropLib.cds")
add_custom_target(tubalon_props_data ALL DEPENDS ${TUBALON_BIN}/PropLib.cds)
