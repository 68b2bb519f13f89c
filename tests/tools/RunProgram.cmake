# Runs PROGRAM (through EMULATOR when given) with ARGS (separated by "|"),
# standard input from INPUT when given, and checks the exit code against
# CODE, standard output byte for byte against the file EXPECTED (when
# given) and standard error for the text ERROR (when given).
string(REPLACE "|" ";" args "${ARGS}")
set(input_option)
if(INPUT)
  set(input_option INPUT_FILE "${INPUT}")
endif()
# The output goes to a file: OUTPUT_VARIABLE would turn CR LF into LF and
# hide exactly what is checked here.
string(RANDOM LENGTH 12 token)
set(out_file "${CMAKE_CURRENT_BINARY_DIR}/RunProgram-${token}.out")
execute_process(COMMAND ${EMULATOR} "${PROGRAM}" ${args} ${input_option}
                OUTPUT_FILE "${out_file}" ERROR_VARIABLE err RESULT_VARIABLE rc)
file(READ "${out_file}" out HEX)
file(REMOVE "${out_file}")
if(NOT rc STREQUAL "${CODE}")
  message(FATAL_ERROR "exit code ${rc}, expected ${CODE}\nstderr: ${err}")
endif()
if(EXPECTED)
  file(READ "${EXPECTED}" expected HEX)
  if(NOT out STREQUAL expected)
    message(FATAL_ERROR "standard output differs from ${EXPECTED} (hex):\n${out}")
  endif()
endif()
if(ERROR)
  string(FIND "${err}" "${ERROR}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "standard error lacks \"${ERROR}\":\n${err}")
  endif()
endif()
