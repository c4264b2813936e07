# The INI reader and writer ("Params.ini", the recent-files list) on any file contents.
add_executable(ini_fuzz ${CMAKE_CURRENT_LIST_DIR}/ini/IniFuzz.cpp
  ${CMAKE_SOURCE_DIR}/refdata/IniFile.cpp)
target_compile_options(ini_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_options(ini_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_libraries(ini_fuzz PRIVATE Qt6::Core)
