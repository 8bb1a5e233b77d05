# The Windows installer (NSIS) and the portable zip of everything the Windows build installs.
set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME velto-configurator)
set(CPACK_PACKAGE_VENDOR "Velto-Configurator maintainers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor for the configuration of a home-automation installation")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Velto-Configurator)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Velto-Configurator)
set(CPACK_PACKAGE_EXECUTABLES velto-configurator Velto-Configurator)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
# Each generator names its file: velto-configurator-1.0-setup.exe, velto-configurator-1.0-win64.zip.
configure_file(${CMAKE_CURRENT_LIST_DIR}/PackageWindowsNames.cmake.in ${CMAKE_BINARY_DIR}/PackageWindowsNames.cmake
               @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/PackageWindowsNames.cmake)

set(CPACK_NSIS_PACKAGE_NAME Velto-Configurator)
# A 64-bit installer for 64-bit programs: Program Files, and the registry's 64-bit view.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_DISPLAY_NAME Velto-Configurator)
set(CPACK_NSIS_MUI_ICON ${CMAKE_BINARY_DIR}/data/windows/velto-configurator.ico)
set(CPACK_NSIS_MUI_UNIICON ${CPACK_NSIS_MUI_ICON})
set(CPACK_NSIS_INSTALLED_ICON_NAME velto-configurator.exe) # the icon of Apps & features
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
# "Open with" for .xml files, without taking over what opens them by default. The uninstaller also removes
# the settings of the user who runs it (recovery files of unsaved work stay).
set(open_with "Software\\\\Classes\\\\Applications\\\\velto-configurator.exe")
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "
  WriteRegStr SHCTX '${open_with}' 'FriendlyAppName' 'Velto-Configurator'
  WriteRegStr SHCTX '${open_with}\\\\DefaultIcon' '' '$INSTDIR\\\\velto-configurator.exe,0'
  WriteRegStr SHCTX '${open_with}\\\\shell\\\\open\\\\command' '' '\\\"$INSTDIR\\\\velto-configurator.exe\\\" \\\"%1\\\"'
  WriteRegStr SHCTX '${open_with}\\\\SupportedTypes' '.xml' ''
  WriteRegStr SHCTX 'Software\\\\Classes\\\\.xml\\\\OpenWithList\\\\velto-configurator.exe' '' ''")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "
  DeleteRegKey SHCTX '${open_with}'
  DeleteRegKey SHCTX 'Software\\\\Classes\\\\.xml\\\\OpenWithList\\\\velto-configurator.exe'
  DeleteRegKey /ifempty SHCTX 'Software\\\\Classes\\\\.xml\\\\OpenWithList'
  DeleteRegKey SHCTX 'Software\\\\${CPACK_PACKAGE_VENDOR}\\\\${CPACK_PACKAGE_INSTALL_REGISTRY_KEY}'
  DeleteRegKey /ifempty SHCTX 'Software\\\\${CPACK_PACKAGE_VENDOR}'
  DeleteRegKey HKCU 'Software\\\\velto-configurator'")
include(CPack)
