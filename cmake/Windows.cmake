# The Windows build: programs as Windows users expect them.
if(NOT WIN32)
    return()
endif()

# velto-conf.exe carries the MinGW runtime and runs alone.
target_link_options(velto-conf PRIVATE -static)

# The icon, from the PNGs rendered from our SVG for the Linux icon theme.
find_program(MAGICK_CONVERT convert REQUIRED)
set(VELTO_ICO ${CMAKE_BINARY_DIR}/data/windows/velto-configurator.ico)
set(ico_sizes 16 32 48 256)
list(TRANSFORM ico_sizes REPLACE "(.+)" "${VELTO_ICON_DIR}/\\1x\\1/apps/velto-configurator.png" OUTPUT_VARIABLE ico_pngs)
add_custom_command(OUTPUT ${VELTO_ICO} COMMAND ${MAGICK_CONVERT} ${ico_pngs} ${VELTO_ICO} DEPENDS ${ico_pngs} VERBATIM)
add_custom_target(velto_ico DEPENDS ${VELTO_ICO})
add_dependencies(velto_ico velto_data)

# velto_windows_resources(TARGET DESCRIPTION): icon, manifest (per-monitor DPI awareness, UTF-8 as the
# code page) and version information.
function(velto_windows_resources target description)
    get_target_property(VELTO_PROGRAM ${target} OUTPUT_NAME)
    if(NOT VELTO_PROGRAM)
        set(VELTO_PROGRAM ${target})
    endif()
    set(VELTO_DESCRIPTION ${description})
    set(folder ${CMAKE_BINARY_DIR}/data/windows/${target})
    set(VELTO_MANIFEST ${folder}/program.manifest)
    configure_file(${PROJECT_SOURCE_DIR}/data/windows/program.manifest.in ${VELTO_MANIFEST} @ONLY)
    configure_file(${PROJECT_SOURCE_DIR}/data/windows/program.rc.in ${folder}/program.rc @ONLY)
    set_source_files_properties(${folder}/program.rc PROPERTIES OBJECT_DEPENDS "${VELTO_ICO};${VELTO_MANIFEST}")
    target_sources(${target} PRIVATE ${folder}/program.rc)
    add_dependencies(${target} velto_ico)
endfunction()

enable_language(RC)
velto_windows_resources(velto-conf "Velto-Configurator command-line tool")

if(NOT VELTO_GUI)
    return()
endif()

# The window: no console, its own resources.
set_target_properties(velto-configurator PROPERTIES WIN32_EXECUTABLE TRUE)
velto_windows_resources(velto-configurator "Velto-Configurator")

# Qt's own Italian texts (standard buttons, file dialogs) go beside the program, in the translations folder
# the window looks in; Qt's translation files are the same on every system, so Debian's serve.
find_file(VELTO_QT_ITALIAN qtbase_it.qm PATHS /usr/share/qt6/translations NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
          REQUIRED)
foreach(folder src/app tests)
    configure_file(${VELTO_QT_ITALIAN} ${CMAKE_BINARY_DIR}/${folder}/translations/qtbase_it.qm COPYONLY)
endforeach()
install(FILES ${VELTO_QT_ITALIAN} DESTINATION translations)

# What the programs load, and nothing more: Qt's libraries, the platform and style plugins, and the MinGW
# runtime that Qt's DLLs import (a test compares this list with what each shipped file imports). They are
# shipped stripped, which halves them.
set(shipped Qt6::Core . Qt6::Gui . Qt6::Widgets . Qt6::PrintSupport . Qt6::QWindowsIntegrationPlugin platforms
    Qt6::QWindowsVistaStylePlugin styles)
foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime} OUTPUT_VARIABLE path
                    OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    file(REAL_PATH ${path} path)
    list(APPEND shipped ${path} .)
endforeach()
# libgcrypt, which both programs import, and the error library it imports, from Debian's MinGW packages.
foreach(library libgcrypt-20.dll libgpg-error-0.dll)
    find_file(VELTO_${library} ${library} PATHS /usr/x86_64-w64-mingw32/bin NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
              REQUIRED)
    list(APPEND shipped ${VELTO_${library}} .)
endforeach()
set(stripped)
while(shipped)
    list(POP_FRONT shipped file folder)
    if(TARGET ${file})
        get_target_property(name ${file} IMPORTED_LOCATION_RELEASE)
        set(file $<TARGET_FILE:${file}>)
    else()
        set(name ${file})
    endif()
    get_filename_component(name ${name} NAME)
    set(copy ${CMAKE_BINARY_DIR}/shipped/${folder}/${name})
    add_custom_command(OUTPUT ${copy} COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/shipped/${folder}
                       COMMAND ${CMAKE_STRIP} --strip-unneeded -o ${copy} ${file} DEPENDS ${file} VERBATIM)
    install(FILES ${copy} DESTINATION ${folder})
    list(APPEND stripped ${copy})
endwhile()
add_custom_target(velto_shipped ALL DEPENDS ${stripped})

# The licence, and the notices of what the programs bundle, from the Debian packages they were built from.
set(VELTO_NOTICES ${CMAKE_BINARY_DIR}/data/windows/THIRD-PARTY-NOTICES.txt)
add_custom_command(OUTPUT ${VELTO_NOTICES}
    COMMAND ${CMAKE_COMMAND} -D OUTPUT=${VELTO_NOTICES} -D QT_VERSION=${Qt6Core_VERSION}
            -P ${PROJECT_SOURCE_DIR}/cmake/WindowsNotices.cmake
    DEPENDS ${PROJECT_SOURCE_DIR}/cmake/WindowsNotices.cmake VERBATIM)
add_custom_target(velto_notices ALL DEPENDS ${VELTO_NOTICES})
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
install(FILES ${VELTO_NOTICES} DESTINATION .)
