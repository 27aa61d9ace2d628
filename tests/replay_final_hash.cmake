# Plays the committed whole-stage replay and checks its last line (frame,
# screen, page hash, state hash) against the one recorded with it.
file(READ ${SOURCE_DIR}/tests/replays/full_stage.last expected)
string(STRIP "${expected}" expected)
string(REGEX MATCH "^[0-9]+" frames "${expected}")
execute_process(COMMAND ${SIM} --frames ${frames} --input ${SOURCE_DIR}/tests/replays/full_stage.krp
                        --data ${SOURCE_DIR}/data
                OUTPUT_VARIABLE output RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "kestrova-sim failed (${rc})")
endif()
string(STRIP "${output}" output)
string(REGEX MATCH "[^\n]+$" last "${output}")
if(NOT last STREQUAL expected)
  message(FATAL_ERROR "the replay ended as\n  ${last}\nnot as recorded\n  ${expected}\n"
                      "If the game or its data changed on purpose, record tests/replays/full_stage.last anew.")
endif()
