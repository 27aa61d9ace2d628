# valgrind memcheck over 2000 frames of kestrova-sim playing a script: no
# invalid access, no use of undefined values, no leak. Skipped (with a
# message) where valgrind is not installed.
find_program(VALGRIND valgrind)
if(NOT VALGRIND)
  message(STATUS "valgrind not found: memcheck skipped")
  return()
endif()
execute_process(
  COMMAND ${VALGRIND} --error-exitcode=1 --leak-check=full --show-leak-kinds=definite,indirect,possible
          --errors-for-leak-kinds=definite,indirect,possible --log-file=${WORK_DIR}/memcheck.log
          ${SIM} --frames 2000 --input ${SOURCE_DIR}/tests/scripts/memcheck.krp --data ${SOURCE_DIR}/data
  OUTPUT_FILE ${WORK_DIR}/memcheck-frames.txt RESULT_VARIABLE rc)
file(READ ${WORK_DIR}/memcheck.log log)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "memcheck failed (${rc}):\n${log}")
endif()
file(STRINGS ${WORK_DIR}/memcheck-frames.txt frames)
list(LENGTH frames count)
if(NOT count EQUAL 2000)
  message(FATAL_ERROR "kestrova-sim ran ${count} frames, not 2000")
endif()
string(REGEX MATCH "ERROR SUMMARY: [^\n]*" summary "${log}")
message(STATUS "memcheck clean over 2000 frames: ${summary}")
