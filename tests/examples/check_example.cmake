# Runs one example script with the tool and compares the results its "# expect:" line names,
# each within 0.01 % of the figure given (or 1e-9 when the figure is 0).
file(STRINGS ${SCRIPT} expect_lines REGEX "^# expect:")
if(NOT expect_lines)
  message(FATAL_ERROR "${SCRIPT} has no '# expect:' line")
endif()
execute_process(COMMAND bash ${SCRIPT} ${TOOL} OUTPUT_VARIABLE out ERROR_VARIABLE err
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${SCRIPT} ended with ${rc}: ${err}")
endif()
string(REPLACE "# expect:" "" expect "${expect_lines}")
string(REGEX MATCHALL "[A-Za-z0-9]+=[-0-9.eE]+" pairs "${expect}")
foreach(pair ${pairs})
  string(REGEX REPLACE "=.*" "" name "${pair}")
  string(REGEX REPLACE ".*=" "" want "${pair}")
  string(REGEX MATCH "\n${name}\t[^\t\n]*" line "\n${out}")
  string(REGEX REPLACE "^\n${name}\t" "" got "${line}")
  if(got STREQUAL "")
    message(FATAL_ERROR "${name}: no result (expected ${want})")
  endif()
  # CMake has no floating point: compare with awk.
  execute_process(
    COMMAND awk -v a=${got} -v b=${want}
            "BEGIN { d = a - b; if (d < 0) d = -d; t = b < 0 ? -b : b; exit !(d <= 1e-4 * t + 1e-9) }"
    RESULT_VARIABLE bad)
  if(NOT bad EQUAL 0)
    message(FATAL_ERROR "${name} = ${got}, expected ${want}")
  endif()
endforeach()
