# "tubalon --screenshot FILE.png [CASE.cdp]": the window saved as a PNG picture, with and
# without a case, and the refusals of a bad command line or a path it cannot write.
# -DPROGRAM=<tubalon> -DWORK=<scratch folder> -DCASE=<a shipped case>
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(shot name rc err_re)
  execute_process(COMMAND ${PROGRAM} --screenshot ${ARGN} WORKING_DIRECTORY ${WORK}
                  RESULT_VARIABLE got ERROR_VARIABLE err OUTPUT_QUIET)
  if(NOT got STREQUAL "${rc}")
    message(FATAL_ERROR "${name}: exit ${got}, expected ${rc}: ${err}")
  endif()
  if(NOT "${err_re}" STREQUAL "" AND NOT err MATCHES "${err_re}")
    message(FATAL_ERROR "${name}: standard error does not match '${err_re}': ${err}")
  endif()
endfunction()

shot("empty window" 0 "" empty.png)
shot("case" 0 "" case.png ${CASE})
foreach(png empty.png case.png)
  file(READ ${WORK}/${png} head LIMIT 8 HEX)
  if(NOT head STREQUAL "89504e470d0a1a0a")
    message(FATAL_ERROR "${png} is not a PNG picture")
  endif()
endforeach()
file(SIZE ${WORK}/case.png size)
if(size LESS 10000)
  message(FATAL_ERROR "case.png has only ${size} bytes")
endif()
shot("no file named" 2 "usage: tubalon --screenshot")
shot("missing folder" 2 "cannot write missing/x.png" missing/x.png)
shot("missing case" 2 "." x.png ${WORK}/nothing.cdp)
