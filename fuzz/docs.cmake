# The case-file reader over a small window of every control class the format knows.
add_executable(docs_fuzz ${CMAKE_CURRENT_LIST_DIR}/docs/FormRecordsFuzz.cpp
  ${CMAKE_SOURCE_DIR}/docs/SaveFormData.cpp)
target_compile_options(docs_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_options(docs_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_libraries(docs_fuzz PRIVATE tubalon_units Qt6::Widgets)
