# cmake --install into a fresh prefix: the program tree under lib/tubalon, the commands as
# links in bin/, the desktop entry, icons and file types; the installed tubalon-calc finds
# its pipe table, property library and examples and reports a case without a message.
file(REMOVE_RECURSE ${WORK})
set(prefix ${WORK}/prefix)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix}
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install failed: ${err}")
endif()
foreach(f lib/tubalon/bin/tubalon lib/tubalon/bin/tubalon-calc lib/tubalon/bin/PropLib.cds
          lib/tubalon/Data/Piples.db lib/tubalon/Doc/Manual.html lib/tubalon/blank.dpt
          lib/tubalon/Examples/water-water.cdp share/applications/tubalon.desktop
          share/mime/packages/tubalon.xml share/icons/hicolor/scalable/apps/tubalon.svg
          share/icons/hicolor/48x48/apps/tubalon.png)
  if(NOT EXISTS ${prefix}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
# The program folder holds the programs and their library only: no test program.
file(GLOB program_folder RELATIVE ${prefix}/lib/tubalon/bin ${prefix}/lib/tubalon/bin/*)
list(SORT program_folder)
if(NOT program_folder STREQUAL "PropLib.cds;tubalon;tubalon-calc")
  message(FATAL_ERROR "lib/tubalon/bin holds ${program_folder}")
endif()
foreach(program tubalon tubalon-calc)
  if(NOT IS_SYMLINK ${prefix}/bin/${program})
    message(FATAL_ERROR "bin/${program} is not a link")
  endif()
  file(READ_SYMLINK ${prefix}/bin/${program} target)
  if(NOT target STREQUAL "../lib/tubalon/bin/${program}")
    message(FATAL_ERROR "bin/${program} points to ${target}")
  endif()
endforeach()

# The desktop entry opens a file given to it and claims the case type, which the MIME
# description gives to *.cdp.
file(READ ${prefix}/share/applications/tubalon.desktop desktop)
foreach(line "Exec=tubalon %f" "Icon=tubalon" "MimeType=application/x-tubalon-case;")
  string(FIND "${desktop}" "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "desktop entry lacks '${line}'")
  endif()
endforeach()
file(READ ${prefix}/share/mime/packages/tubalon.xml mime)
if(NOT mime MATCHES "type=\"application/x-tubalon-case\"" OR NOT mime MATCHES "pattern=\"\\*\\.cdp\"")
  message(FATAL_ERROR "MIME description lacks the case type for *.cdp")
endif()
find_program(validate desktop-file-validate)
if(validate)
  execute_process(COMMAND ${validate} ${prefix}/share/applications/tubalon.desktop
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR NOT "${out}${err}" STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate: ${out}${err}")
  endif()
endif()
find_program(xmllint xmllint)
if(xmllint AND EXISTS /usr/share/mime/packages/freedesktop.org.xml)
  execute_process(COMMAND ${xmllint} --noout ${prefix}/share/mime/packages/tubalon.xml
                  RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "MIME description is not well-formed: ${err}")
  endif()
endif()

# The installed tool, reached through its link: the helical example chooses its pipes from
# the installed table; water-water prints its small viscosities and both roughnesses.
set(ENV{QT_QPA_PLATFORM} offscreen)
execute_process(COMMAND ${prefix}/bin/tubalon-calc ${prefix}/lib/tubalon/Examples/helical.cdp
                        --report
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT err STREQUAL "" OR NOT out MATCHES "总管长 +[0-9]")
  message(FATAL_ERROR "installed tubalon-calc on helical.cdp: exit ${rc}\n${err}\n${out}")
endif()
execute_process(COMMAND ${prefix}/bin/tubalon-calc ${prefix}/lib/tubalon/Examples/water-water.cdp
                        --report
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
foreach(want "动力粘度 +0.000404 " "动力粘度 +0.000801 " "绝对粗糙度 +0.0001 .*绝对粗糙度 +0.0001 ")
  if(NOT out MATCHES "${want}")
    message(FATAL_ERROR "installed report lacks '${want}':\n${out}")
  endif()
endforeach()
