# The Windows installer, made by CPack's NSIS generator: Program Files, a
# Start-menu shortcut in Chinese, an uninstaller and an entry in Apps & features.
# Installs silently with /S; Uninstall.exe /S removes everything again.

set(QUILLMERE_QT_SOURCE_VERSION "" CACHE STRING
    "Debian source version of the static Qt linked in, for the notices (e.g. 6.4.2+dfsg-10)")
if(NOT QUILLMERE_QT_SOURCE_VERSION)
  message(FATAL_ERROR "Set QUILLMERE_QT_SOURCE_VERSION: the notices must name the Qt source")
endif()
quillmere_write_notices(
  OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/THIRD-PARTY-NOTICES.txt
  QT_SOURCE_VERSION ${QUILLMERE_QT_SOURCE_VERSION}
  QT_PATCH ${CMAKE_CURRENT_SOURCE_DIR}/windows/qt-windows.patch)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${CMAKE_CURRENT_BINARY_DIR}/THIRD-PARTY-NOTICES.txt
        DESTINATION .)

set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_NAME Quillmere)
set(CPACK_PACKAGE_VENDOR "The Quillmere developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME quillmere-${PROJECT_VERSION}-win64)
# Where the installer's check finds it: the package presets write it here.
set_property(GLOBAL PROPERTY QUILLMERE_INSTALLER ${CMAKE_BINARY_DIR}/${CPACK_PACKAGE_FILE_NAME}.exe)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Quillmere)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Quillmere)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "鱼缸玻璃计算器")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
# A 64-bit installer: a 32-bit one would need 32-bit Windows support to run at
# all, and would see the 32-bit views of Program Files and the registry.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME "Quillmere 鱼缸玻璃计算器")
set(CPACK_NSIS_DISPLAY_NAME "Quillmere 鱼缸玻璃计算器")
set(CPACK_PACKAGE_EXECUTABLES quillmere "鱼缸玻璃计算器")
# The shortcut's target: the exe lies in the installation folder itself.
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_INSTALLED_ICON_NAME quillmere.exe)
set(CPACK_NSIS_MUI_ICON ${QUILLMERE_ICON_RESOURCE})
set(CPACK_NSIS_MUI_UNIICON ${QUILLMERE_ICON_RESOURCE})
set(CPACK_NSIS_URL_INFO_ABOUT "https://quillmere.example.org/")
set(CPACK_NSIS_CONTACT "dev@quillmere.example.org")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
include(CPack)
