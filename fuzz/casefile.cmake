# The case-file reader over a small window of every control class the format knows.
add_executable(casefile_fuzz ${CMAKE_CURRENT_LIST_DIR}/casefile/FormRecordsFuzz.cpp
  ${CMAKE_SOURCE_DIR}/casefile/SaveFormData.cpp)
target_compile_options(casefile_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_options(casefile_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_libraries(casefile_fuzz PRIVATE tubalon_units Qt6::Widgets)
