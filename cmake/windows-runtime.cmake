# SPDX-License-Identifier: MIT
# What a MinGW-built Qt program loads besides Windows itself: the Qt libraries, the platform and style
# plugins, and the compiler's runtime DLLs that Qt was built against. Copied beside the programs in the build,
# so that they and their tests run there under Wine, and installed into the Windows folder with the texts of
# their licences and the sources they came from.

set(QXR_WINDOWS_QT_LICENSES "" CACHE PATH "Qt's licence texts and its source's name (scripts/windows/qt.sh)")

function(qxr_compiler_runtime_dll name out)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${name}
        OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
        message(FATAL_ERROR "${CMAKE_CXX_COMPILER} has no ${name}")
    endif()
    file(REAL_PATH "${path}" path)
    set(${out} "${path}" PARENT_SCOPE)
endfunction()

set(qxr_runtime_dlls)
foreach(name libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    qxr_compiler_runtime_dll(${name} path)
    list(APPEND qxr_runtime_dlls "${path}")
endforeach()

set(qxr_qt_dlls $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>)

# Copies the runtime beside target's program after each link, with Qt Test where it is built.
function(qxr_copy_windows_runtime target)
    set(libraries ${qxr_qt_dlls})
    if(TARGET Qt6::Test)
        list(APPEND libraries $<TARGET_FILE:Qt6::Test>)
    endif()
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${qxr_runtime_dlls} ${libraries} $<TARGET_FILE_DIR:${target}>
        COMMAND ${CMAKE_COMMAND} -E make_directory $<TARGET_FILE_DIR:${target}>/platforms
            $<TARGET_FILE_DIR:${target}>/styles
        COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>
            $<TARGET_FILE_DIR:${target}>/platforms
        COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:Qt6::QModernWindowsStylePlugin>
            $<TARGET_FILE_DIR:${target}>/styles
        VERBATIM)
endfunction()

function(qxr_install_windows_runtime)
    install(FILES ${qxr_runtime_dlls} ${qxr_qt_dlls} DESTINATION .)
    install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
    install(FILES $<TARGET_FILE:Qt6::QModernWindowsStylePlugin> DESTINATION styles)
    if(QXR_WINDOWS_QT_LICENSES)
        install(DIRECTORY ${QXR_WINDOWS_QT_LICENSES}/ DESTINATION licenses/qt)
    endif()
    install(FILES /usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright
        DESTINATION licenses/compiler-runtime RENAME gcc-runtime-copyright.txt OPTIONAL)
    install(FILES /usr/share/doc/mingw-w64-x86-64-dev/copyright
        DESTINATION licenses/compiler-runtime RENAME mingw-w64-copyright.txt OPTIONAL)
endfunction()
