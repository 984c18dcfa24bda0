# The folders form layers: app -> ui -> (printing, window_kit) -> report ->
# estimate. A folder includes only its own headers and those of the layers below
# it, and the Qt-free layers include no Qt header at all. Checked at build time,
# so a wrong include fails the build where it is written.

# Makes `target` depend on a check of the sources in its folder: each quoted
# include must start with one of the ALLOWED folders, and with QT_FREE no
# angle-bracket include may name a Qt header.
function(quillmere_check_includes target)
  cmake_parse_arguments(ARG "QT_FREE" "" "ALLOWED" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}_includes.stamp)
  # Lists travel to the script joined with '|': a ';' would split the command.
  string(REPLACE ";" "|" allowed "${ARG_ALLOWED}")
  string(REPLACE ";" "|" files "${sources}")
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} "-DALLOWED=${allowed}" -DQT_FREE=${ARG_QT_FREE}
            "-DSOURCES=${files}" -DSTAMP=${stamp}
            -P ${PROJECT_SOURCE_DIR}/cmake/CheckIncludes.cmake
    DEPENDS ${sources} ${PROJECT_SOURCE_DIR}/cmake/CheckIncludes.cmake
    COMMENT "Checking the includes of ${target}"
    VERBATIM)
  add_custom_target(${target}_includes DEPENDS ${stamp})
  add_dependencies(${target} ${target}_includes)
endfunction()
