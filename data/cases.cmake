# Case templates (data/*.dpt) go to the folder the file dialogs open first (the parent of
# the program's folder); the example cases (examples/*.cdp) to Examples/ inside it.
file(GLOB tubalon_templates ${CMAKE_CURRENT_LIST_DIR}/*.dpt)
file(GLOB tubalon_examples ${CMAKE_SOURCE_DIR}/examples/*.cdp)
set(tubalon_case_outputs)
foreach(f ${tubalon_templates})
  get_filename_component(n ${f} NAME)
  list(APPEND tubalon_case_outputs ${TUBALON_STAGE}/${n})
  add_custom_command(OUTPUT ${TUBALON_STAGE}/${n}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${f} ${TUBALON_STAGE}/${n}
    DEPENDS ${f} VERBATIM)
endforeach()
foreach(f ${tubalon_examples})
  get_filename_component(n ${f} NAME)
  list(APPEND tubalon_case_outputs ${TUBALON_STAGE}/Examples/${n})
  add_custom_command(OUTPUT ${TUBALON_STAGE}/Examples/${n}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${f} ${TUBALON_STAGE}/Examples/${n}
    DEPENDS ${f} VERBATIM)
endforeach()
add_custom_target(tubalon_case_files ALL DEPENDS ${tubalon_case_outputs})
