# The headless tool on the basic balance case: WtD is solved to 1.
execute_process(COMMAND ${TOOL} --set CBAuto=0 --set WrD=1 --set CprD=4180 --set Tr1D=80
                        --set Tr2D=60 --set CptD=4180 --set Tt1D=20 --set Tt2D=40
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "exit ${rc}: ${err}")
endif()
foreach(line "WtD\t1\tkg/s\tsolved" "QrD\t-83600\tW\tcomputed" "QtD\t83600\tW\tcomputed"
             "QaD\t83600\tW\tcomputed" "AdtD\t40\tC\tcomputed" "HTrD\t热流体" "HTtD\t冷流体")
  string(FIND "${out}" "${line}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "missing line '${line}' in:\n${out}")
  endif()
endforeach()
execute_process(COMMAND ${TOOL} --set NoSuchD=1 RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
if(NOT rc EQUAL 2)
  message(FATAL_ERROR "unknown control should exit 2, got ${rc}")
endif()
execute_process(COMMAND ${TOOL} --set ShapeD=7 RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
if(NOT rc EQUAL 2)
  message(FATAL_ERROR "bad index should exit 2, got ${rc}")
endif()
# A letter in a field is reported by the field's caption (exit 1: a message was shown).
execute_process(COMMAND ${TOOL} --json --set WrD=abc RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 1 OR NOT out MATCHES "\"si\": null" OR NOT err STREQUAL "质量流量：“abc” 不是有效的数字\n")
  message(FATAL_ERROR "json of a non-number: ${rc} ${out} ${err}")
endif()
# Exact factors: 1 kg/s is 3600 kg/h.
execute_process(COMMAND ${TOOL} --set WrD=1 --set WrU=1 --json RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(REGEX MATCH "\"WrD\": {[^}]*}" wr "${out}")
if(NOT rc EQUAL 0 OR NOT wr MATCHES "\"text\": \"3600\"" OR NOT wr MATCHES "\"unit\": \"kg/h\"")
  message(FATAL_ERROR "1 kg/s in kg/h: ${rc} ${wr} ${err}")
endif()
