# The Windows programs' licence and notices beside the exe, and in the 32-bit
# build the one installer for every Windows PC (installer.nsi.in), made with
# NSIS from both programs: this build's and the 64-bit build's in
# QUILLMERE_WIN64_BUILD. Installs silently with /S; Uninstall.exe /S removes
# everything again.

# The static Qt linked in describes itself: the Debian source it was built from
# and that source's copyright statement (shell/windows_qt.sh).
set(QUILLMERE_WINDOWS_QT "" CACHE PATH "The static Qt for Windows the program links")
if(NOT EXISTS ${QUILLMERE_WINDOWS_QT}/debian-source)
  message(FATAL_ERROR "Set QUILLMERE_WINDOWS_QT to a static Qt built by scripts/windows: "
                      "the notices must name its source")
endif()
file(STRINGS ${QUILLMERE_WINDOWS_QT}/debian-source qt_source LIMIT_COUNT 1)
separate_arguments(qt_source)
list(GET qt_source 0 qt_package)
list(GET qt_source 1 qt_version)
set(notices ${CMAKE_CURRENT_BINARY_DIR}/THIRD-PARTY-NOTICES.txt)
quillmere_write_notices(
  OUTPUT ${notices}
  QT_SOURCE_PACKAGE ${qt_package}
  QT_SOURCE_VERSION ${qt_version}
  QT_PATCH ${CMAKE_CURRENT_SOURCE_DIR}/windows/qt${QUILLMERE_QT_MAJOR}-windows.patch
  QT_COPYRIGHT ${QUILLMERE_WINDOWS_QT}/debian-copyright)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${notices} DESTINATION .)

set(QUILLMERE_WIN64_BUILD "" CACHE PATH
    "The 64-bit Windows build whose program the installer carries beside this one")
if(NOT QUILLMERE_WINDOWS_BITS EQUAL 32 OR NOT QUILLMERE_WIN64_BUILD)
  return()
endif()
find_program(QUILLMERE_MAKENSIS makensis REQUIRED)
set(QUILLMERE_INSTALLER ${CMAKE_BINARY_DIR}/quillmere-${PROJECT_VERSION}-windows.exe)
# Where the installer's check finds it.
set_property(GLOBAL PROPERTY QUILLMERE_INSTALLER ${QUILLMERE_INSTALLER})
set(QUILLMERE_WIN32_PROGRAM $<TARGET_FILE:quillmere>)
set(QUILLMERE_WIN32_NOTICES ${notices})
set(QUILLMERE_WIN64_PROGRAM ${QUILLMERE_WIN64_BUILD}/app/quillmere.exe)
set(QUILLMERE_WIN64_NOTICES ${QUILLMERE_WIN64_BUILD}/packaging/THIRD-PARTY-NOTICES.txt)
configure_file(windows/installer.nsi.in ${CMAKE_CURRENT_BINARY_DIR}/installer.nsi.in @ONLY)
file(GENERATE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/installer.nsi
     INPUT ${CMAKE_CURRENT_BINARY_DIR}/installer.nsi.in)
add_custom_command(
  OUTPUT ${QUILLMERE_INSTALLER}
  COMMAND ${QUILLMERE_MAKENSIS} -V2 -INPUTCHARSET UTF8 ${CMAKE_CURRENT_BINARY_DIR}/installer.nsi
  DEPENDS quillmere ${CMAKE_CURRENT_BINARY_DIR}/installer.nsi ${notices} ${QUILLMERE_WIN64_PROGRAM}
          ${QUILLMERE_WIN64_NOTICES} ${PROJECT_SOURCE_DIR}/LICENSE ${QUILLMERE_ICON_RESOURCE}
  COMMENT "Making the installer for every Windows PC")
# The same installer built to believe the processor lacks SSE2, for the check
# that a 32-bit PC without it is refused; never shipped.
set(QUILLMERE_NO_SSE2_INSTALLER ${CMAKE_BINARY_DIR}/quillmere-no-sse2-check.exe)
set_property(GLOBAL PROPERTY QUILLMERE_NO_SSE2_INSTALLER ${QUILLMERE_NO_SSE2_INSTALLER})
add_custom_command(
  OUTPUT ${QUILLMERE_NO_SSE2_INSTALLER}
  COMMAND ${QUILLMERE_MAKENSIS} -V2 -INPUTCHARSET UTF8 -DQUILLMERE_ASSUME_NO_SSE2
          ${CMAKE_CURRENT_BINARY_DIR}/installer.nsi "-XOutFile ${QUILLMERE_NO_SSE2_INSTALLER}"
  DEPENDS ${QUILLMERE_INSTALLER}
  COMMENT "Making the installer that plays a processor without SSE2")
add_custom_target(installer ALL DEPENDS ${QUILLMERE_INSTALLER} ${QUILLMERE_NO_SSE2_INSTALLER})
