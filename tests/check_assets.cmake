# Regenerates every asset into WORK_DIR and compares it with the committed file.
file(REMOVE_RECURSE ${WORK_DIR}/icons ${WORK_DIR}/sfx)
file(MAKE_DIRECTORY ${WORK_DIR}/sfx ${WORK_DIR}/stage2)
# Stage 1's assets, then stage 2's pack: its sheet, its table of cells, its music and its map.
foreach(step "${SHEETGEN};${WORK_DIR}/sheet.bmp;${WORK_DIR}/icon.bmp;${WORK_DIR}/SHEET.md;${WORK_DIR}/icons/hicolor"
             "${SHEETGEN};--kana;${WORK_DIR}/kana.bmp" "${MUSICGEN};${WORK_DIR}/vesk.wav" "${SFXGEN};${WORK_DIR}/sfx"
             "${MAPGEN};${WORK_DIR}/map.dat" "${SHEETGEN};--stage;2;${WORK_DIR}/stage2/sheet.bmp;${WORK_DIR}/stage2/SHEET.md"
             "${MUSICGEN};--stage;2;${WORK_DIR}/stage2/music.wav" "${MAPGEN};--stage;2;${WORK_DIR}/stage2/map.dat")
  execute_process(COMMAND ${step} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${step} failed")
  endif()
endforeach()
# The effects and the icons as sets: none missing, none left over from a
# renamed effect or a dropped size.
set(sets)
foreach(pattern sfx/*.wav icons/*)
  file(GLOB_RECURSE made RELATIVE ${WORK_DIR} ${WORK_DIR}/${pattern})
  file(GLOB_RECURSE committed RELATIVE ${SOURCE_DIR}/assets ${SOURCE_DIR}/assets/${pattern})
  if(NOT made STREQUAL committed)
    message(FATAL_ERROR "assets holds ${committed}, the generators make ${made}; run: cmake --build --preset release --target assets")
  endif()
  list(APPEND sets ${made})
endforeach()
list(TRANSFORM sets PREPEND assets/)
foreach(path assets/sheet.bmp assets/kana.bmp assets/icon.bmp assets/SHEET.md assets/vesk.wav data/map.dat data/stage2/sheet.bmp
             data/stage2/SHEET.md data/stage2/music.wav data/stage2/map.dat ${sets})
  string(REGEX REPLACE "^(assets|data)/" "" name ${path})
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK_DIR}/${name} ${SOURCE_DIR}/${path}
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${path} differs from its generator's output; run: cmake --build --preset release --target assets")
  endif()
endforeach()
