# Writes the third-party notices of what a package ships: the hand-written
# sections of this folder joined with the licence statements Debian installs
# for the same components, so the texts are those of the exact versions used.

function(quillmere_append_file output path)
  if(NOT EXISTS ${path})
    message(FATAL_ERROR "${path} is missing: the notices need it")
  endif()
  file(READ ${path} text)
  file(APPEND ${output} "${text}")
endfunction()

# quillmere_write_notices(OUTPUT file [QT_SOURCE_PACKAGE name QT_SOURCE_VERSION
# version QT_PATCH patch QT_COPYRIGHT file]): with a statically linked Qt, its
# Debian source package and version, our patch to it and its Debian copyright.
function(quillmere_write_notices)
  cmake_parse_arguments(ARG "" "OUTPUT;QT_SOURCE_PACKAGE;QT_SOURCE_VERSION;QT_PATCH;QT_COPYRIGHT"
                        "" ${ARGN})
  set(dir ${PROJECT_SOURCE_DIR}/packaging/notices)
  file(WRITE ${ARG_OUTPUT} "")
  quillmere_append_file(${ARG_OUTPUT} ${dir}/header.txt)
  # The translation of the platform's Qt (cmake/Platform.cmake).
  set(QT_TRANSLATION_PACKAGE ${QUILLMERE_QT_TRANSLATION_PACKAGE})
  if(QUILLMERE_QT_MAJOR EQUAL 5)
    set(QT_TRANSLATION_SOURCE qttranslations-opensource-src)
  else()
    set(QT_TRANSLATION_SOURCE qt6-translations)
  endif()
  configure_file(${dir}/qt-translation.txt.in ${ARG_OUTPUT}.translation @ONLY)
  quillmere_append_file(${ARG_OUTPUT} ${ARG_OUTPUT}.translation)
  quillmere_append_file(${ARG_OUTPUT} /usr/share/doc/${QT_TRANSLATION_PACKAGE}/copyright)
  if(NOT ARG_QT_SOURCE_VERSION)
    return()
  endif()
  # A statically linked Qt and C++ runtime: their licences, in full.
  string(REGEX REPLACE "[+~].*" "" QT_VERSION ${ARG_QT_SOURCE_VERSION})
  set(QT_SOURCE "${ARG_QT_SOURCE_PACKAGE} ${ARG_QT_SOURCE_VERSION}")
  set(QT_SOURCE_SPEC "${ARG_QT_SOURCE_PACKAGE}=${ARG_QT_SOURCE_VERSION}")
  file(READ ${ARG_QT_PATCH} QT_PATCH)
  configure_file(${dir}/qt-base.txt.in ${ARG_OUTPUT}.qt @ONLY)
  quillmere_append_file(${ARG_OUTPUT} ${ARG_OUTPUT}.qt)
  quillmere_append_file(${ARG_OUTPUT} ${ARG_QT_COPYRIGHT})
  quillmere_append_file(${ARG_OUTPUT} ${dir}/mingw-runtime.txt)
  quillmere_append_file(${ARG_OUTPUT} /usr/share/doc/gcc-mingw-w64-base/copyright)
  quillmere_append_file(${ARG_OUTPUT} /usr/share/doc/mingw-w64-common/copyright)
  foreach(licence "LGPL-3;GNU Lesser General Public License version 3"
                  "GPL-3;GNU General Public License version 3")
    list(GET licence 0 file)
    list(GET licence 1 title)
    file(APPEND ${ARG_OUTPUT} "\n-------------------------------------------------------------------------------\n"
                              "${title}\n"
                              "-------------------------------------------------------------------------------\n\n")
    quillmere_append_file(${ARG_OUTPUT} /usr/share/common-licenses/${file})
  endforeach()
endfunction()
