# Runs a QtTest executable under wine and prints its log: under wine a Qt
# program's own output does not reach the pipe ctest reads, so the test
# writes it to a file (-o FILE,txt) and this prints it.
# cmake -DEXE=... -DLOG=... [-DARGS=a;b] -P RunQtTest.cmake
file(REMOVE "${LOG}")
execute_process(COMMAND wine "${EXE}" ${ARGS} -o "${LOG},txt" RESULT_VARIABLE rc)
if(EXISTS "${LOG}")
  file(READ "${LOG}" text)
  message("${text}")
endif()
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${EXE} exited with ${rc}")
endif()
