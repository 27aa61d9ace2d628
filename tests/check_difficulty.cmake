# The autopilot plays the stage under the arcade rules at each difficulty:
# the energy it loses never falls from one difficulty to the next, expert
# costs it more than normal, and on expert it loses a ship.
set(previous -1)
foreach(difficulty easy normal hard expert)
  execute_process(COMMAND ${AUTOPILOT} --data ${SOURCE_DIR}/data --rules arcade --difficulty ${difficulty}
                  OUTPUT_VARIABLE report RESULT_VARIABLE rc)
  if(NOT report MATCHES "\ntotal +([0-9]+) +[0-9]+ +[0-9]+ +[0-9]+ +([0-9]+)\n")
    message(FATAL_ERROR "no totals from the ${difficulty} run (exit ${rc}):\n${report}")
  endif()
  set(lost ${CMAKE_MATCH_1})
  set(lives ${CMAKE_MATCH_2})
  message(STATUS "${difficulty}: energy lost ${lost}, lives lost ${lives}")
  if(lost LESS previous)
    message(FATAL_ERROR "${difficulty} cost less energy (${lost}) than the difficulty before it (${previous})")
  endif()
  set(previous ${lost})
  set(${difficulty}_lost ${lost})
  set(${difficulty}_lives ${lives})
endforeach()
if(NOT expert_lost GREATER normal_lost OR expert_lives LESS 1)
  message(FATAL_ERROR "expert is not hard enough: energy lost ${expert_lost} (normal ${normal_lost}), lives lost ${expert_lives}")
endif()
