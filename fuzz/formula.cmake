# The formula evaluator: Evaluate and EvaluateWithValues on any bytes.
add_executable(formula_fuzz ${CMAKE_CURRENT_LIST_DIR}/formula/FormulaFuzz.cpp
  ${CMAKE_SOURCE_DIR}/formula/FormulaParser.cpp
  ${CMAKE_SOURCE_DIR}/formula/BuildinFuncs.cpp
  ${CMAKE_SOURCE_DIR}/formula/MyValues.cpp)
target_compile_options(formula_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_options(formula_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_libraries(formula_fuzz PRIVATE Qt6::Widgets)
