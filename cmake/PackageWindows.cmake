# The Windows installer (NSIS) and the portable zip of everything the Windows build installs.
set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME velto-configurator)
set(CPACK_PACKAGE_VENDOR "Velto-Configurator maintainers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor for the configuration of a home-automation installation")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Velto-Configurator)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Velto-Configurator)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
# Each generator names its file: velto-configurator-1.0-setup.exe, velto-configurator-1.0-win64.zip.
configure_file(${CMAKE_CURRENT_LIST_DIR}/PackageWindowsNames.cmake.in ${CMAKE_BINARY_DIR}/PackageWindowsNames.cmake
               @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/PackageWindowsNames.cmake)

# The installer comes from our own script (cmake/nsis), for one user or for all users.
set(CPACK_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR}/nsis)
set(CPACK_NSIS_PACKAGE_NAME Velto-Configurator)
# A 64-bit installer for 64-bit programs: Program Files, and the registry's 64-bit view.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_MUI_ICON ${CMAKE_BINARY_DIR}/data/windows/velto-configurator.ico)
set(CPACK_NSIS_MUI_UNIICON ${CPACK_NSIS_MUI_ICON})
set(VELTO_COPYRIGHT "Copyright (c) 2026 ${CPACK_PACKAGE_VENDOR} (MIT licence)")
set(CPACK_VELTO_COPYRIGHT ${VELTO_COPYRIGHT})
include(${CMAKE_CURRENT_LIST_DIR}/SignWindows.cmake)
set(CPACK_VERBATIM_VARIABLES ON) # the values reach the installer's script as written, quotes and all
include(CPack)
