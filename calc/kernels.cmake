# Engineering kernels of the pass: plain functions of numbers.
set(TUBALON_KERNEL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/AutoPipe.cpp ${CMAKE_CURRENT_LIST_DIR}/AutoPipe.h
  ${CMAKE_CURRENT_LIST_DIR}/Coil.cpp ${CMAKE_CURRENT_LIST_DIR}/Coil.h
  ${CMAKE_CURRENT_LIST_DIR}/Film.cpp ${CMAKE_CURRENT_LIST_DIR}/Film.h
  ${CMAKE_CURRENT_LIST_DIR}/FlowInfo.h
  ${CMAKE_CURRENT_LIST_DIR}/KernelCheck.cpp ${CMAKE_CURRENT_LIST_DIR}/KernelCheck.h
  ${CMAKE_CURRENT_LIST_DIR}/PressureDrop.cpp ${CMAKE_CURRENT_LIST_DIR}/PressureDrop.h
  ${CMAKE_CURRENT_LIST_DIR}/Sizing.cpp ${CMAKE_CURRENT_LIST_DIR}/Sizing.h
  ${CMAKE_CURRENT_LIST_DIR}/Wall.cpp ${CMAKE_CURRENT_LIST_DIR}/Wall.h)
