# Installation into the standard places, and the Debian package.
include(GNUInstallDirs)

install(FILES quillmere.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# What software centres list: names, summary, description and screenshot.
install(FILES quillmere.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME org.example.quillmere.Quillmere.metainfo.xml)
foreach(size 16 32 48 64 128 256)
  install(FILES icons/hicolor/${size}x${size}/apps/quillmere.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES icons/quillmere.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Debian wants the changelog and the manual page compressed reproducibly.
foreach(pair "debian/changelog;changelog.gz" "quillmere.1;quillmere.1.gz")
  list(GET pair 0 source)
  list(GET pair 1 target)
  add_custom_command(
    OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${target}
    COMMAND gzip -9nc ${CMAKE_CURRENT_SOURCE_DIR}/${source} > ${CMAKE_CURRENT_BINARY_DIR}/${target}
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${source})
  list(APPEND compressed ${CMAKE_CURRENT_BINARY_DIR}/${target})
endforeach()
add_custom_target(packaging_docs ALL DEPENDS ${compressed})
# Qt itself is linked dynamically, and Debian's Qt packages carry its notices;
# only the translation compiled into the program needs one of ours.
quillmere_write_notices(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/THIRD-PARTY-NOTICES.txt)
install(FILES debian/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
              ${CMAKE_CURRENT_BINARY_DIR}/THIRD-PARTY-NOTICES.txt
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quillmere)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/quillmere.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillmere)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Quillmere developers <dev@quillmere.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator for the glass of a glued aquarium")
# CPack writes the summary as the synopsis line; this is the body under it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Quillmere takes a tank's outer size, the glass thickness, three unit prices\n\
and extra plates for filters and braces, and gives the cutting sizes of the\n\
five panels, four cost lines and a printed estimate. Chinese interface.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://quillmere.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The captions are Chinese: a CJK font must be there to show them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk | fonts-wqy-microhei")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-qpa-plugins")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
