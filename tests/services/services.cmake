# The services some tests share (services.sh): an X server, the private print
# scheduler, the accessibility bus and a Wine prefix. Each is a ctest fixture,
# started by a test of its own before the first test that needs it and stopped
# after the last, so that a label runs alone with just what it needs.
set(QUILLMERE_SERVICES_DIR ${CMAKE_BINARY_DIR}/services)
set(QUILLMERE_SERVICES_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/services.sh)
set(QUILLMERE_WITH_SERVICES ${CMAKE_CURRENT_LIST_DIR}/with.sh)

# quillmere_service(NAME [NEEDS SERVICE...]): the fixture NAME.
function(quillmere_service name)
  cmake_parse_arguments(ARG "" "" "NEEDS" ${ARGN})
  foreach(step start stop)
    add_test(NAME service_${name}_${step}
             COMMAND ${QUILLMERE_SERVICES_SCRIPT} ${step} ${name} ${QUILLMERE_SERVICES_DIR})
  endforeach()
  set_tests_properties(service_${name}_start PROPERTIES FIXTURES_SETUP ${name} TIMEOUT 180)
  set_tests_properties(service_${name}_stop PROPERTIES FIXTURES_CLEANUP ${name} TIMEOUT 60)
  if(ARG_NEEDS)
    set_tests_properties(service_${name}_start service_${name}_stop
                         PROPERTIES FIXTURES_REQUIRED "${ARG_NEEDS}")
  endif()
endfunction()

# quillmere_test_with(NAME SERVICES SERVICE... LABELS LABEL... COMMAND COMMAND...):
# a test that runs in the environment of the services it names.
function(quillmere_test_with name)
  cmake_parse_arguments(ARG "" "" "SERVICES;LABELS;COMMAND" ${ARGN})
  add_test(NAME ${name}
           COMMAND ${QUILLMERE_WITH_SERVICES} ${QUILLMERE_SERVICES_DIR} ${ARG_SERVICES} --
                   ${ARG_COMMAND})
  # A check that cannot run on this machine says why and exits 77 (skip in the
  # tests' shell library, run_windows_program for a Windows program).
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED "${ARG_SERVICES}"
                                          LABELS "${ARG_LABELS}" SKIP_RETURN_CODE 77)
  # The tests on the X server drive it with keys and the mouse: one at a time.
  if("display" IN_LIST ARG_SERVICES)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK display)
  endif()
endfunction()
