# On a Debian-family machine, stops the configure step when a Debian package
# this build needs is missing, and names them all with the command that
# installs them: the groups of scripts/lib/packages.txt, the list the scripts
# install from. Not for cross builds, whose packages scripts/windows installs.

function(quillmere_require_debian_packages)
  find_program(QUILLMERE_DPKG_QUERY dpkg-query)
  if(CMAKE_CROSSCOMPILING OR NOT QUILLMERE_DPKG_QUERY)
    return()
  endif()
  file(STRINGS ${PROJECT_SOURCE_DIR}/scripts/lib/packages.txt lines REGEX "^[a-z0-9]+:")
  set(wanted "")
  foreach(line IN LISTS lines)
    string(REGEX MATCH "^([a-z0-9]+): *(.*)$" _ "${line}")
    if(CMAKE_MATCH_1 IN_LIST ARGN)
      separate_arguments(names UNIX_COMMAND "${CMAKE_MATCH_2}")
      list(APPEND wanted ${names})
    endif()
  endforeach()
  list(REMOVE_DUPLICATES wanted)
  execute_process(COMMAND ${QUILLMERE_DPKG_QUERY} -W "-f=\${Package}:\${db:Status-Status}\\n"
                          ${wanted}
                  OUTPUT_VARIABLE status ERROR_QUIET)
  string(REPLACE "\n" ";" status "${status}")
  set(missing "")
  foreach(package IN LISTS wanted)
    string(REGEX REPLACE ":.*" "" name ${package})
    if(NOT "${name}:installed" IN_LIST status)
      list(APPEND missing ${package})
    endif()
  endforeach()
  if(missing)
    list(JOIN missing " " missing)
    message(FATAL_ERROR "This build needs Debian packages that are not installed: ${missing}\n"
                        "Install them with: sudo apt-get install ${missing}\n"
                        "(scripts/test installs everything every build needs.)")
  endif()
endfunction()
