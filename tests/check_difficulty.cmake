# The autopilot plays the whole arcade run, stage after stage, at each
# difficulty. Per stage the energy it loses never falls from one difficulty to
# the next; expert's first stage costs it more than normal's; only expert
# loses a ship (that normal clears every stage is check_autopilot's committed
# run). On easy and normal each stage after the first costs more than the one
# before it, though the ship comes to it with the weapon and bombs it gathered.
file(GLOB packs ${SOURCE_DIR}/data/stage*/stage.csv)
list(LENGTH packs stages)
math(EXPR stages "${stages} + 1")
set(number "+([0-9]+)")
foreach(difficulty easy normal hard expert)
  execute_process(COMMAND ${AUTOPILOT} --data ${SOURCE_DIR}/data --rules arcade --difficulty ${difficulty}
                  OUTPUT_VARIABLE report RESULT_VARIABLE rc)
  string(REGEX MATCHALL "\ntotal ${number} ${number} ${number} ${number} ${number}\n" totals "${report}")
  list(LENGTH totals played)
  if(NOT played EQUAL stages)
    message(FATAL_ERROR "the ${difficulty} run reported ${played} of ${stages} stages (exit ${rc}):\n${report}")
  endif()
  set(stage 0)
  set(lives 0)
  foreach(total ${totals})
    math(EXPR stage "${stage} + 1")
    string(REGEX MATCH "total ${number} ${number} ${number} ${number} ${number}" total "${total}")
    set(lost ${CMAKE_MATCH_1})
    math(EXPR lives "${lives} + ${CMAKE_MATCH_5}")
    message(STATUS "${difficulty}, stage ${stage}: energy lost ${lost}, lives lost ${CMAKE_MATCH_5}")
    if(DEFINED previous_${stage} AND lost LESS previous_${stage})
      message(FATAL_ERROR "${difficulty} cost less energy on stage ${stage} (${lost}) than the difficulty before it "
                          "(${previous_${stage}})")
    endif()
    if(difficulty MATCHES "^(easy|normal)$" AND DEFINED stage_before AND NOT lost GREATER stage_before)
      message(FATAL_ERROR "on ${difficulty} stage ${stage} cost no more energy (${lost}) than the stage before it "
                          "(${stage_before})")
    endif()
    set(stage_before ${lost})
    set(previous_${stage} ${lost})
    set(${difficulty}_lost_${stage} ${lost})
  endforeach()
  unset(stage_before)
  if(NOT difficulty STREQUAL "expert" AND lives GREATER 0)
    message(FATAL_ERROR "${difficulty} lost ${lives} ships; only expert may")
  endif()
endforeach()
if(NOT expert_lost_1 GREATER normal_lost_1 OR lives LESS 1)
  message(FATAL_ERROR "expert is not hard enough: energy lost ${expert_lost_1} (normal ${normal_lost_1}), "
                      "lives lost ${lives}")
endif()
