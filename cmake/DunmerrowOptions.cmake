# Compile options are set per target, never globally, so that third-party
# code pulled in later is not held to our warning level.
function(dunmerrow_target_options target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(DUNMERROW_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    # An optimised build for Linux gets the hardening Debian builds its own
    # packages with: checked buffer functions, stack guards, and relocations
    # bound and made read-only at start.
    if(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND CMAKE_BUILD_TYPE STREQUAL "Release")
        target_compile_options(${target} PRIVATE -D_FORTIFY_SOURCE=2 -fstack-protector-strong)
        target_link_options(${target} PRIVATE LINKER:-z,relro,-z,now)
    endif()
    # The fuzzing build gives everything libFuzzer's coverage hooks, so that
    # the fuzzers can steer into the parsers' branches; the fuzzers
    # themselves link libFuzzer (tests/fuzz).
    if(DUNMERROW_FUZZ)
        target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
    endif()
    if(DUNMERROW_SANITIZE)
        target_compile_options(${target} PRIVATE
            -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
endfunction()

# Fails the build of target whenever a source under dir includes a GUI
# module: the engine, the reading of result logs and system/ must work without
# a display.
function(dunmerrow_forbid_gui target dir)
    add_custom_target(${target}_no_gui_check ALL
        COMMAND ${CMAKE_COMMAND} -DDIR=${dir}
                -P ${PROJECT_SOURCE_DIR}/cmake/CheckNoGuiIncludes.cmake
        COMMENT "Checking that ${dir} includes no GUI module")
    add_dependencies(${target} ${target}_no_gui_check)
endfunction()
