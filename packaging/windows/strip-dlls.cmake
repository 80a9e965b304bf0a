# SPDX-License-Identifier: MIT
# Run by CPack after it installs the folder and before it packs it: strips the debug data from every DLL.
file(GLOB_RECURSE dlls "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*.dll")
foreach(dll IN LISTS dlls)
    execute_process(COMMAND "${CPACK_STRIP_COMMAND}" --strip-unneeded "${dll}" COMMAND_ERROR_IS_FATAL ANY)
endforeach()
