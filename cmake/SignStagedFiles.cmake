# Run by CPack once the files of a package are staged, before they are packed: signs each program and DLL.
file(GLOB_RECURSE files ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*.exe ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*.dll)
execute_process(COMMAND ${CPACK_VELTO_SIGN} ${files} COMMAND_ERROR_IS_FATAL ANY)
