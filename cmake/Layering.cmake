# The folders form layers: app -> ui -> (printing, window_kit) -> model ->
# report -> estimate, and web -> model. A folder includes only its own headers
# and those of the layers below it, and the Qt-free layers include no Qt header
# and link no Qt library at all. Checked at configure and build time, so a wrong
# include or link fails the build where it is written.

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

# Fails the configure step when a target links any Qt library, directly or
# through another target of the tree.
function(quillmere_assert_no_qt target)
  set(pending ${target})
  set(seen "")
  while(pending)
    list(POP_FRONT pending current)
    if(current IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${current})
    if(current MATCHES "Qt[0-9]*::|^Qt[0-9]*[A-Z]|[Qq]t6")
      message(FATAL_ERROR "${target} must not link Qt, but it reaches ${current}")
    endif()
    if(TARGET ${current})
      get_target_property(libs ${current} LINK_LIBRARIES)
      get_target_property(ilibs ${current} INTERFACE_LINK_LIBRARIES)
      foreach(lib IN LISTS libs ilibs)
        if(lib AND NOT lib MATCHES "-NOTFOUND$")
          list(APPEND pending ${lib})
        endif()
      endforeach()
    endif()
  endwhile()
endfunction()

# quillmere_qt_free(TARGET ALLOWED folder...): TARGET is a Qt-free library of
# the folders ALLOWED: the configure step fails if it links Qt (checked once
# every target exists, so links added later count), the build if one of its
# sources includes a Qt header or a folder not ALLOWED.
function(quillmere_qt_free target)
  cmake_parse_arguments(ARG "" "" "ALLOWED" ${ARGN})
  # A deferred call's arguments are read when it runs: the target's name goes in now.
  cmake_language(EVAL CODE "cmake_language(DEFER DIRECTORY [[${PROJECT_SOURCE_DIR}]]
                                           CALL quillmere_assert_no_qt [[${target}]])")
  quillmere_check_includes(${target} QT_FREE ALLOWED ${ARG_ALLOWED})
endfunction()
