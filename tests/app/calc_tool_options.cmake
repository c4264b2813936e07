# Every tubalon-calc option on the staged program: what it prints, writes and exits with, and
# how it refuses a bad command line, a bad file or a path it cannot write.
# -DTOOL=<tubalon-calc> -DWORK=<scratch folder> -DSTAGE=<runnable tree with the shipped cases>
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

set(basic --set CBAuto=0 --set WrD=1 --set CprD=4180 --set Tr1D=80 --set Tr2D=60
          --set CptD=4180 --set Tt1D=20 --set Tt2D=40)

# run(NAME RC OUT_REGEXES ERR_REGEXES ARGS...): every regex of the list must match; an empty
# list means the stream must be empty.
function(run name rc out_re err_re)
  execute_process(COMMAND ${TOOL} ${ARGN} WORKING_DIRECTORY ${WORK}
                  RESULT_VARIABLE got OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(problem "")
  if(NOT got STREQUAL "${rc}")
    string(APPEND problem "exit ${got}, expected ${rc}; ")
  endif()
  foreach(stream out err)
    if("${${stream}_re}" STREQUAL "")
      if(NOT "${${stream}}" STREQUAL "")
        string(APPEND problem "std${stream} should be empty; ")
      endif()
    endif()
    foreach(re IN LISTS ${stream}_re)
      if(NOT "${${stream}}" MATCHES "${re}")
        string(APPEND problem "std${stream} does not match '${re}'; ")
      endif()
    endforeach()
  endforeach()
  if(problem)
    message(SEND_ERROR "${name}: ${problem}\nstdout:\n${out}\nstderr:\n${err}")
  endif()
  set(last_out "${out}" PARENT_SCOPE)
endfunction()

# --- cases: build, save, reopen, change, save again -------------------------------------
run("save a typed case" 0 "WtD\t1\tkg/s\tsolved\n" "" ${basic} --save basic.cdp)
# The banner line, ended by CR LF (read as hex: text reading drops the CR).
file(READ ${WORK}/basic.cdp head LIMIT 29 HEX)
string(HEX "Compatible Form Record File\r\n" banner)
if(NOT head STREQUAL banner)
  message(SEND_ERROR "basic.cdp starts with ${head}")
endif()
# Opening without --set calculates once: the same results as when the case was typed.
run("open recalculates" 0 "QtD\t83600\tW\tcomputed\n;WtD\t1\tkg/s\tsolved\n" "" basic.cdp)
run("open then set" 0 "QrD\t-167200\tW\tcomputed\n;WtD\t2\tkg/s\tsolved\n" ""
    basic.cdp --set Tr1D=100 --save hot.cdp)
run("reopen the changed case" 0 "Tr1D\t100\tC\tinput\n;WtD\t2\tkg/s\tsolved\n" "" hot.cdp)
run("json of an opened case" 0 "\"WtD\": {[^}]*\"si\": 1," "" basic.cdp --json)

# --- report and diagram -------------------------------------------------------------------
run("report instead of the table" 0 "Tubalon 计算报告;入口温度 +80\\.0000 +C" "" basic.cdp --report)
if(last_out MATCHES "WtD\t")
  message(SEND_ERROR "--report also printed the table")
endif()
run("diagram" 0 "WtD\t" "" ${basic} --set CalTypeD=1 --set mD=2 --set dooD=0.057
    --diagram d.bmp)
file(READ ${WORK}/d.bmp bmp LIMIT 26 HEX)
# "BM", then width and height 409 (0x199) little-endian at bytes 18 and 22.
if(NOT bmp MATCHES "^424d" OR NOT bmp MATCHES "9901000099010000$")
  message(SEND_ERROR "d.bmp is not a 409 x 409 bitmap: ${bmp}")
endif()

run("screenshot" 0 "WtD\t" "" basic.cdp --screenshot shot.png)
file(READ ${WORK}/shot.png png LIMIT 24 HEX)
# PNG signature, then the IHDR width and height: 1024 x 768.
if(NOT png MATCHES "^89504e47.*0000040000000300$")
  message(SEND_ERROR "shot.png is not a 1024 x 768 PNG: ${png}")
endif()

# Every shipped case and template opens, is calculated and reported without a message.
file(GLOB shipped ${STAGE}/Examples/*.cdp ${STAGE}/*.dpt)
foreach(f ${shipped})
  get_filename_component(n ${f} NAME)
  run("shipped ${n}" 0 "Tubalon 计算报告;外管数据" "" ${f} --report)
endforeach()

# --- formula and property library ---------------------------------------------------------
run("eval" 0 "^40\n0\n" "" --eval "2*t")
run("eval with a value" 0 "^7\n0\n" "" --eval "t+x" --value t=3 --value x=4)
run("eval of a bad formula" 1 "^.*\n[1-9][0-9]*\n" "" --eval "2*(t")
run("eval of 1.E3" 0 "^1000\n0\n" "" --eval "1.E3")
run("eval of a quoted text" 0 "^2\n0\n" "" --eval "LENGTH('a b')")
run("list" 0 "001\t水\tWater\n" "" --list)
run("props of water" 0 "^Cp=4[01][0-9][0-9][.0-9]*\nMD=99[0-9][.0-9]*\nVI=" "" --props 001
    --value t=20 --value p=100)

# --- refusals: "name|stderr regex|arguments separated by commas" ---------------------
file(WRITE ${WORK}/garbage.cdp "not a case\n")
file(MAKE_DIRECTORY ${WORK}/folder.cdp)
execute_process(COMMAND mkfifo ${WORK}/fifo.cdp)
file(WRITE ${WORK}/flow.cdp "Compatible Form Record File\r\nVersion 1.1,2007.07.17\r\n\r\n"
     "FlowType\r\nOrd\r\nItemIndex\r\n-1\r\n\r\n")
foreach(refusal
    "missing case|不存在|nosuch.cdp"
    "not a case file|不是项目文件|garbage.cdp"
    "a folder as the case|不是普通文件|folder.cdp"
    "a FIFO as the case|不是普通文件|fifo.cdp"
    "a damaged case|项目文件已损坏：.*flow.cdp 第7行：流型（基本参数） ItemIndex 的值 -1 超出范围 0～1|flow.cdp"
    "save into a missing folder|Cannot create file \"missing/x.cdp\"|basic.cdp,--save,missing/x.cdp"
    "save onto a folder|Cannot create file \"folder.cdp\"|basic.cdp,--save,folder.cdp"
    "diagram into a missing folder|Cannot create file \"missing/x.bmp\"|basic.cdp,--diagram,missing/x.bmp"
    "save without a name|--save needs an argument|basic.cdp,--save"
    "diagram without a name|--diagram needs an argument|--diagram"
    "screenshot into a missing folder|cannot write missing/x.png|basic.cdp,--screenshot,missing/x.png"
    "set without a value|--set needs NAME=VALUE|--set,WrD"
    "set at the end|--set needs an argument|--set"
    "unknown control|unknown control: NoSuchD|--set,NoSuchD=1"
    "disabled control|disabled: DrvD|--set,DrvD=1"
    "report and json|exclude each other|--report,--json"
    "case file not first|must come first|--json,basic.cdp"
    "unknown option|unknown option '--bogus'|--bogus"
    "eval without a text|缺少公式|--eval"
    "eval with a stray word|无效的参数: 2|--eval,1,2"
    "props of an unknown record|999|--props,999"
    "list with an argument|无效的参数: x|--list,x")
  string(REPLACE "|" ";" parts "${refusal}")
  list(GET parts 0 name)
  list(GET parts 1 err_re)
  list(GET parts 2 args)
  string(REPLACE "," ";" args "${args}")
  run("${name}" 2 "" "${err_re}" ${args})
endforeach()
# An empty argument (cannot go through run(): an empty list element is dropped).
execute_process(COMMAND ${TOOL} "" --report WORKING_DIRECTORY ${WORK}
                RESULT_VARIABLE got OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT got EQUAL 2 OR NOT out STREQUAL "" OR NOT err MATCHES "the case file name is empty")
  message(SEND_ERROR "empty case name: exit ${got}\n${out}\n${err}")
endif()
if(NOT IS_DIRECTORY ${WORK}/folder.cdp)
  message(SEND_ERROR "a failed save replaced the folder")
endif()
# A message the program showed is on standard error and gives exit 1; the run goes on.
run("diameter message" 1 "dooD\t0\\.05\tm\tinput\n" "外管：外径必须大于内径！"
    ${basic} --set dooD=0.05 --set doiD=0.057 --set dioD=0.032 --set diiD=0.026)
# Values no exchanger can have are refused (no calculation), the unusual ones warned about.
run("impossible ambient" 1 "TaD\t-300\tC\tinput\n" "环境温度：-300 C 等于或低于绝对零度" ${basic}
    --set TaD=-300)
run("pass length of 1e-300 m" 1 "SlD\t1e-300\tm\tinput\n" "单程管长：1e-300 m 小于 1 µm" ${basic}
    --set SlD=1e-300)
run("fouling of 1e10" 1 "RsD\t1e10\t" "污垢热阻：1e10 m2.K/W 大于 0.1" ${basic} --set RsD=1e10)
run("help" 0 "usage: tubalon-calc \\[CASE\\.cdp\\]" "" --help)
