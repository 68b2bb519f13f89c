# Runs a QtTest executable under wine and prints its log: under wine a Qt
# program's own output does not reach the pipe ctest reads, so the test
# writes it to a file (-o FILE,txt) and this prints it.
# wine hands no QT_* variable of the environment to the program, so the
# platform the test asks for in QT_QPA_PLATFORM is passed as -platform. A
# configuration file's path stays as it is: the test runs in a folder of the
# drive Z:, where "/work/..." is the same file (and a drive's colon would end
# the platform's argument).
# cmake -DEXE=... -DLOG=... [-DARGS=a;b] -P RunQtTest.cmake
file(REMOVE "${LOG}")
set(platform)
if(DEFINED ENV{QT_QPA_PLATFORM})
  set(platform -platform "$ENV{QT_QPA_PLATFORM}")
endif()
execute_process(COMMAND wine "${EXE}" ${platform} ${ARGS} -o "${LOG},txt" RESULT_VARIABLE rc)
if(EXISTS "${LOG}")
  file(READ "${LOG}" text)
  message("${text}")
endif()
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${EXE} exited with ${rc}")
endif()
