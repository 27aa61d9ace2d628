# The manual, the copyright and the changelog, compressed as Debian ships them
# (gzip -n: no name or time, so every build makes the same bytes), and the
# package CPack makes of the install: cpack --preset deb.
find_program(GZIP gzip REQUIRED)
set(packed ${CMAKE_BINARY_DIR}/packed)
foreach(pair "kestrova.6:kestrova.6.gz" "kestrova-sim.6:kestrova-sim.6.gz" "changelog:changelog.gz")
  string(REPLACE ":" ";" pair "${pair}")
  list(GET pair 0 source)
  list(GET pair 1 packedName)
  add_custom_command(OUTPUT ${packed}/${packedName}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${packed}
    COMMAND ${GZIP} -9n -c ${CMAKE_SOURCE_DIR}/dist/${source} > ${packed}/${packedName}
    DEPENDS ${CMAKE_SOURCE_DIR}/dist/${source} VERBATIM)
  list(APPEND packedFiles ${packed}/${packedName})
endforeach()
add_custom_target(packed_docs ALL DEPENDS ${packedFiles})
install(FILES ${packed}/kestrova.6.gz ${packed}/kestrova-sim.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_SOURCE_DIR}/dist/copyright ${packed}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME kestrova)
set(CPACK_PACKAGE_VENDOR "Kestrova developers")
set(CPACK_PACKAGE_CONTACT "Kestrova developers <kestrova@kestrova.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "vertical scrolling shoot-'em-up over a hostile coast")
set(CPACK_PACKAGE_DESCRIPTION "Steer your fighter up a scrolling coast, shoot down waves of enemies,
collect items, drop bombs when the sky fills with bullets, and bring down
the carrier at the end of the stage. Plays with the keyboard or a gamepad,
in a window or full screen; the five best scores are kept.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
