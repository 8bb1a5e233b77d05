# Tests of the Windows build only, run under Wine through the build's emulator.

# velto-conf.exe gives the Linux build's bytes; VELTO_LINUX_VELTO_CONF names the Linux program.
set(VELTO_LINUX_VELTO_CONF "" CACHE FILEPATH "velto-conf of a Linux build, to compare velto-conf.exe with")
if(VELTO_LINUX_VELTO_CONF)
    add_test(NAME velto_conf_same_bytes_as_linux
             COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/windows/same-bytes.sh ${VELTO_LINUX_VELTO_CONF}
                     $<TARGET_FILE:velto-conf> ${CMAKE_CROSSCOMPILING_EMULATOR} ${PROJECT_SOURCE_DIR})
endif()

# The window answers its command line (there is no display to miss on Windows).
if(VELTO_GUI)
    add_test(NAME CommandLine.Help COMMAND velto-configurator --help)
    add_test(NAME CommandLine.Version COMMAND velto-configurator -V)
    set_tests_properties(CommandLine.Help PROPERTIES PASS_REGULAR_EXPRESSION "^Usage: velto-configurator")
    set_tests_properties(CommandLine.Version PROPERTIES PASS_REGULAR_EXPRESSION "^velto-configurator 1.0\n$")
endif()

# File names outside the ANSI code page reach velto-conf.exe whole, and so do the bytes it writes.
add_test(NAME velto_conf_unicode_names
         COMMAND sh -c "cp \"$2\" \"$3/καλημέρα-日本.xml\" && \"$0\" \"$1\" \"$4\" rewrite \"$3/καλημέρα-日本.xml\" \
                        \"$3/out-日本.xml\" && cmp \"$2\" \"$3/out-日本.xml\""
                 ${CMAKE_CROSSCOMPILING_EMULATOR} ${PROJECT_SOURCE_DIR}/examples/villa.xml ${CMAKE_CURRENT_BINARY_DIR}
                 $<TARGET_FILE:velto-conf>)

# Each program carries its manifest (UTF-8 code page, per-monitor DPI awareness) and version information with
# its publisher; the window has no console.
set(programs velto-conf "Velto-Configurator command-line tool" "Windows CUI")
if(VELTO_GUI)
    list(APPEND programs velto-configurator "Velto-Configurator" "Windows GUI")
endif()
while(programs)
    list(POP_FRONT programs program description subsystem)
    add_test(NAME ${program}_resources
             COMMAND sh -c "strings \"$0\" | grep -q '<activeCodePage.*>UTF-8<' && strings \"$0\" | grep -q PerMonitorV2 \
                            && strings -el \"$0\" | grep -qx \"$1\" && strings -el \"$0\" | grep -qx \"$3\" \
                            && x86_64-w64-mingw32-objdump -p \"$0\" | grep -q \"^Subsystem.*($2)\""
                     $<TARGET_FILE:${program}> ${description} ${subsystem} ${CPACK_PACKAGE_VENDOR})
endwhile()

# The installer and the zip that make windows builds, in a Wine prefix of their own, with a display; their
# signatures, when the build signs.
if(VELTO_GUI)
    add_test(NAME windows_installer_and_zip
             COMMAND xvfb-run -a -s "-screen 0 1280x900x24" sh ${CMAKE_CURRENT_SOURCE_DIR}/windows/package.sh
                     ${CMAKE_BINARY_DIR} ${PROJECT_VERSION} ${PROJECT_SOURCE_DIR}/examples/villa.xml
                     ${VELTO_SIGN_PKCS12} ${VELTO_SIGN_PASSWORD_FILE})
endif()

# The window at 150 % and 200 %, as Windows sets a screen's density, each in a fresh Wine prefix.
if(VELTO_GUI)
    foreach(dpi 144 192)
        add_test(NAME windows_high_dpi_${dpi}
                 COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/windows/high-dpi.sh ${CMAKE_CROSSCOMPILING_EMULATOR} ${dpi}
                         $<TARGET_FILE:gui_tests> $<TARGET_FILE:velto-screenshots> ${PROJECT_SOURCE_DIR}/examples/villa.xml)
    endforeach()
    # One at a time: xvfb-run -a started twice at once may pick the same display number.
    set_tests_properties(windows_installer_and_zip windows_high_dpi_144 windows_high_dpi_192
                         PROPERTIES RESOURCE_LOCK xvfb-display)
endif()
