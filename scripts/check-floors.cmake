# cmake -DCOMPILER=c++ -DVIEW=<a floor's include view> -DWORK=<scratch folder> -P check-floors.cmake
# In the camera floor's view an include of its own folder compiles and a planted include of the
# window floor above it is not found.
file(MAKE_DIRECTORY ${WORK})
file(WRITE ${WORK}/own.cpp "#include \"camera/CameraSession.h\"\n")
file(WRITE ${WORK}/upward.cpp "#include \"camera/CameraSession.h\"\n#include \"ui/main/CtrlToolDlg.h\"\n")
execute_process(COMMAND ${COMPILER} -std=c++20 -fsyntax-only -I${VIEW} ${WORK}/own.cpp
                RESULT_VARIABLE own ERROR_VARIABLE ownError)
if(NOT own EQUAL 0)
  message(FATAL_ERROR "the floor's own include did not compile in its view:\n${ownError}")
endif()
execute_process(COMMAND ${COMPILER} -std=c++20 -fsyntax-only -I${VIEW} ${WORK}/upward.cpp
                RESULT_VARIABLE upward ERROR_VARIABLE upwardError)
if(upward EQUAL 0)
  message(FATAL_ERROR "an include of the window floor compiled in the camera floor's view")
endif()
if(NOT upwardError MATCHES "ui/main/CtrlToolDlg.h: No such file")
  message(FATAL_ERROR "the planted include failed, but not for want of the file:\n${upwardError}")
endif()
message(STATUS "the planted upward include was not found")
