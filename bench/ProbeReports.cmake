# cmake -DPROBE=path [-DFORM=--bare|--main-window] -P ProbeReports.cmake
# Passes when the probe exits normally after reporting, in order, its first frame, its peak memory by
# then and its close request.
execute_process(COMMAND ${PROBE} ${FORM} RESULT_VARIABLE status OUTPUT_VARIABLE reported)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the probe ended with ${status}, having reported:\n${reported}")
endif()
if(NOT reported MATCHES "^first-frame [0-9.]+\nfirst-frame-peak-kb [1-9][0-9.]*\nclose-request [0-9.]+\n$")
    message(FATAL_ERROR "the probe reported:\n${reported}")
endif()
