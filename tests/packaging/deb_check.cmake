# cpack -G DEB: a package of the install tree under /usr whose dependencies name the Qt
# libraries the programs link and what they load at run time (SQLite driver, Qt's Chinese
# texts, a Chinese font). Installing it on a clean Debian 12 is packaging/test-deb-chroot.sh.
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND cpack --config ${BUILD}/CPackConfig.cmake -G DEB -B ${WORK}
                WORKING_DIRECTORY ${BUILD} RESULT_VARIABLE rc OUTPUT_VARIABLE out
                ERROR_VARIABLE err)
file(GLOB deb ${WORK}/tubalon_*.deb)
if(NOT rc EQUAL 0 OR NOT deb)
  message(FATAL_ERROR "cpack failed: ${out}${err}")
endif()
execute_process(COMMAND dpkg-deb -f ${deb} Package Depends Section OUTPUT_VARIABLE fields)
foreach(want "Package: tubalon" "libqt6widgets6" "libqt6gui6" "libqt6sql6 " "libqt6printsupport6"
             "libqt6sql6-sqlite" "qt6-translations-l10n" "fonts-wqy-zenhei | fonts-noto-cjk")
  string(FIND "${fields}" "${want}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "package fields lack '${want}':\n${fields}")
  endif()
endforeach()
execute_process(COMMAND dpkg-deb -c ${deb} OUTPUT_VARIABLE files)
foreach(want "./usr/bin/tubalon -> ../lib/tubalon/bin/tubalon"
             "./usr/bin/tubalon-calc -> ../lib/tubalon/bin/tubalon-calc"
             "./usr/lib/tubalon/bin/tubalon-calc" "./usr/lib/tubalon/Data/Piples.db"
             "./usr/lib/tubalon/bin/PropLib.cds" "./usr/share/applications/tubalon.desktop"
             "./usr/share/mime/packages/tubalon.xml"
             "./usr/share/icons/hicolor/scalable/apps/tubalon.svg")
  string(FIND "${files}" "${want}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "package lacks ${want}:\n${files}")
  endif()
endforeach()
# Nothing the build tree wrote while it ran (settings, recent files) is packed.
if(files MATCHES "Params\\.ini|tubalon\\.ini|_tests")
  message(FATAL_ERROR "package holds files of a run:\n${files}")
endif()
