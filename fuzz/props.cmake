# The property library: the cell expansion and the "PropLib.cds" reader on any bytes.
set(props_fuzz_sources
  ${CMAKE_SOURCE_DIR}/props/PengRobinson.cpp
  ${CMAKE_SOURCE_DIR}/props/PropLib.cpp
  ${CMAKE_SOURCE_DIR}/props/PropCell.cpp
  ${CMAKE_SOURCE_DIR}/units/NumberFormat.cpp
  ${CMAKE_SOURCE_DIR}/formula/FormulaParser.cpp
  ${CMAKE_SOURCE_DIR}/formula/BuildinFuncs.cpp
  ${CMAKE_SOURCE_DIR}/formula/MyValues.cpp)
foreach(target props_cell_fuzz props_lib_fuzz)
  if(target STREQUAL props_cell_fuzz)
    set(main ${CMAKE_CURRENT_LIST_DIR}/props/CellFuzz.cpp)
  else()
    set(main ${CMAKE_CURRENT_LIST_DIR}/props/LibFuzz.cpp)
  endif()
  add_executable(${target} ${main} ${props_fuzz_sources})
  target_compile_options(${target} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${target} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${target} PRIVATE Qt6::Widgets)
endforeach()
