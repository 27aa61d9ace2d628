# Runs kestrova-sim on a fixed script twice in this build, and once in the
# release build where that exists: every output must be byte-identical.
foreach(run a b)
  execute_process(COMMAND ${SIM} --frames 400 --trace --input ${SOURCE_DIR}/tests/scripts/smoke.txt
                          --data ${SOURCE_DIR}/data
                  OUTPUT_FILE ${WORK_DIR}/sim-${run}.txt RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "kestrova-sim failed (${rc})")
  endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK_DIR}/sim-a.txt ${WORK_DIR}/sim-b.txt RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "two runs of the same build differ")
endif()
set(reference ${SOURCE_DIR}/build/release/kestrova-sim)
if(EXISTS ${reference} AND NOT reference STREQUAL SIM)
  execute_process(COMMAND ${reference} --frames 400 --trace --input ${SOURCE_DIR}/tests/scripts/smoke.txt
                          --data ${SOURCE_DIR}/data
                  OUTPUT_FILE ${WORK_DIR}/sim-release.txt RESULT_VARIABLE rc)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK_DIR}/sim-a.txt ${WORK_DIR}/sim-release.txt
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "this build's simulation differs from the release build's")
  endif()
  message(STATUS "identical to the release build")
endif()
