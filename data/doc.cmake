# The user manual "Manual.html" lies in Doc/ beside the program's folder; copied at build time.
add_custom_command(
  OUTPUT ${TUBALON_DOC}/Manual.html
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_CURRENT_LIST_DIR}/Manual.html
          ${TUBALON_DOC}/Manual.html
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/Manual.html
  COMMENT "Copying Manual.html")
add_custom_target(tubalon_doc_data ALL DEPENDS ${TUBALON_DOC}/Manual.html)
