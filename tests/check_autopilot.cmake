# The autopilot plays the committed stages the same way every time, in every
# build: two runs write each committed replay byte for byte, the whole stage
# under the standard rules and the whole arcade run through every stage on
# normal, and each ends on the line its first recording ended on. A carrier
# too tough to shoot down is a stage it does not clear, and then it writes no
# replay.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
function(check_replay name)
  set(committed ${SOURCE_DIR}/tests/replays/${name}.krp)
  foreach(run 1 2)
    execute_process(COMMAND ${AUTOPILOT} --data ${SOURCE_DIR}/data ${ARGN} --out ${WORK_DIR}/${name}${run}.krp
                    RESULT_VARIABLE rc OUTPUT_VARIABLE report)
    if(NOT rc EQUAL 0 OR NOT report MATCHES "\ntotal [0-9 ]+\ncleared at [^\n]*\nreplay: ")
      message(FATAL_ERROR "run ${run} ${ARGN} did not clear the committed stages (exit ${rc}):\n${report}")
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK_DIR}/${name}${run}.krp ${committed}
                    RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "run ${run}'s replay differs from tests/replays/${name}.krp; if the stage changed, "
                          "make it anew as the README's \"Making stages\" says")
    endif()
  endforeach()
  file(STRINGS ${committed} end REGEX "^end ")
  file(STRINGS ${SOURCE_DIR}/tests/replays/${name}.last last)
  if(NOT end STREQUAL "end ${last}")
    message(FATAL_ERROR "tests/replays/${name}.krp ends as \"${end}\", not as tests/replays/${name}.last says")
  endif()
endfunction()
check_replay(full_stage)
check_replay(full_run --rules arcade --difficulty normal)

file(MAKE_DIRECTORY ${WORK_DIR}/tough)
file(COPY ${SOURCE_DIR}/data/data.csv ${SOURCE_DIR}/data/Stage1.csv ${SOURCE_DIR}/data/map.dat
     DESTINATION ${WORK_DIR}/tough)
file(READ ${SOURCE_DIR}/data/char.csv chars)
string(REPLACE "C_CARRIER_CORE,0,36," "C_CARRIER_CORE,0,30000," tough "${chars}")
if(tough STREQUAL chars)
  message(FATAL_ERROR "char.csv has no C_CARRIER_CORE with 36 hit points to toughen")
endif()
file(WRITE ${WORK_DIR}/tough/char.csv "${tough}")
execute_process(COMMAND ${AUTOPILOT} --data ${WORK_DIR}/tough --out ${WORK_DIR}/tough.krp
                RESULT_VARIABLE rc OUTPUT_VARIABLE report ERROR_VARIABLE error)
if(NOT rc EQUAL 1 OR NOT report MATCHES "\nnot cleared: 0 of 1 carriers shot down" OR EXISTS ${WORK_DIR}/tough.krp)
  message(FATAL_ERROR "an uncleared stage passed (exit ${rc}):\n${report}${error}")
endif()
