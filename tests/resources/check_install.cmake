# Installs the build into a scratch prefix and checks what a desktop needs
# from it. Run as
#   cmake -DBUILD_DIR=... -DPREFIX=... -DAPP_ID=... [-DEXECUTABLE=name -DBINDIR=bin]
#         -DCHECK=tree|layout|desktop|appstream -P check_install.cmake
# "tree" installs and checks the layout of one application's files; "layout"
# checks another application's in what "tree" installed; the other two
# validate what "tree" installed with the freedesktop.org tools, and say
# "skipped" when the tool is not installed.

cmake_minimum_required(VERSION 3.25)

set(share ${PREFIX}/share)
set(desktop ${share}/applications/${APP_ID}.desktop)
set(metainfo ${share}/metainfo/${APP_ID}.metainfo.xml)

function(require_file path)
    if(NOT EXISTS ${path})
        message(FATAL_ERROR "Not installed: ${path}")
    endif()
endfunction()

function(run_validator name)
    find_program(tool ${name})
    if(NOT tool)
        message("${name} is not installed; skipped")
        return()
    endif()
    execute_process(COMMAND ${tool} ${ARGN}
        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    message("${output}")
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${name} failed")
    endif()
endfunction()

if(CHECK STREQUAL "tree")
    file(REMOVE_RECURSE ${PREFIX})
    execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "cmake --install failed:\n${output}")
    endif()
endif()

if(CHECK STREQUAL "tree" OR CHECK STREQUAL "layout")
    require_file(${desktop})
    require_file(${metainfo})
    # Each picture's size is tst_resources'; its folder is named by the same size.
    foreach(size 16 32 48)
        require_file(${share}/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
    endforeach()
    require_file(${share}/icons/hicolor/scalable/apps/${APP_ID}.svg)

    # What a distribution wants: the copyright and the release history.
    require_file(${share}/doc/dunmerrow/copyright)
    require_file(${share}/doc/dunmerrow/changelog.gz)

    # The names that tie the files together must lead somewhere.
    file(STRINGS ${desktop} icon_line REGEX "^Icon=")
    if(NOT icon_line STREQUAL "Icon=${APP_ID}")
        message(FATAL_ERROR "The desktop file names icon '${icon_line}', not ${APP_ID}")
    endif()
    file(READ ${metainfo} xml)
    if(NOT xml MATCHES "<launchable type=\"desktop-id\">([^<]*)</launchable>")
        message(FATAL_ERROR "The metainfo file has no desktop-id launchable")
    endif()
    require_file(${share}/applications/${CMAKE_MATCH_1})
    if(NOT xml MATCHES "<id>${APP_ID}</id>")
        message(FATAL_ERROR "The metainfo file's id is not ${APP_ID}")
    endif()

    if(EXECUTABLE)
        file(STRINGS ${desktop} exec_line REGEX "^Exec=")
        # The program, maybe followed by field codes such as %f.
        string(REGEX REPLACE " %[a-zA-Z]$" "" exec_line "${exec_line}")
        if(NOT exec_line STREQUAL "Exec=${EXECUTABLE}")
            message(FATAL_ERROR "The desktop file runs '${exec_line}', not ${EXECUTABLE}")
        endif()
        require_file(${PREFIX}/${BINDIR}/${EXECUTABLE})
        require_file(${share}/man/man1/${EXECUTABLE}.1.gz)
    endif()
elseif(CHECK STREQUAL "desktop")
    require_file(${desktop})
    run_validator(desktop-file-validate ${desktop})
elseif(CHECK STREQUAL "appstream")
    require_file(${metainfo})
    run_validator(appstreamcli validate --no-net --explain ${metainfo})
else()
    message(FATAL_ERROR "CHECK must be tree, desktop or appstream")
endif()
