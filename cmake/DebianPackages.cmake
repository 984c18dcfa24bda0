# On a Debian-family machine, stops the configure step when a Debian package
# this build needs is missing, and names them all with the command that
# installs them: the groups of shell/packages.txt, the list the scripts
# install from, asked by the same rule the scripts use (an installed package
# that provides a name counts; a name may carry its architecture). Not for
# cross builds, whose packages scripts/windows installs.

function(quillmere_require_debian_packages)
  find_program(QUILLMERE_DPKG_QUERY dpkg-query)
  find_program(QUILLMERE_BASH bash)
  if(CMAKE_CROSSCOMPILING OR NOT QUILLMERE_DPKG_QUERY OR NOT QUILLMERE_BASH)
    return()
  endif()
  execute_process(
    COMMAND ${QUILLMERE_BASH} -c "source \"$0\" && missing_packages $(packages_of \"$@\")"
            ${PROJECT_SOURCE_DIR}/shell/lib.sh ${ARGN}
    OUTPUT_VARIABLE missing
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "Could not tell which Debian packages are installed (status ${status})")
  endif()
  string(STRIP "${missing}" missing)
  string(REPLACE "\n" " " missing "${missing}")
  if(missing)
    message(FATAL_ERROR "This build needs Debian packages that are not installed: ${missing}\n"
                        "Install them with: sudo apt-get install ${missing}\n"
                        "(scripts/test installs everything every build needs.)")
  endif()
endfunction()
